// The hidden developer row: the popup sets the map's mouse mode (only 0,
// normal, and 1, the pan drag, have any behaviour; any other makes the map
// ignore clicks), the check box a flag that nothing reads, the button nothing.
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

#include "app/mainwindow.h"

namespace quil2a {

void MainWindow::wireEditingRow()
{
    connect(EditingMenu, &QComboBox::currentIndexChanged, this, [this] { EditingMenu_Change(); });
    connect(CiaMapBox, &QCheckBox::toggled, this, [this] { CiaMapBox_Action(); });
    connect(DevButton, &QPushButton::clicked, this, [this] { DevButton_Action(); });
}

void MainWindow::EditingMenu_Change() { app_.shell().mouseaction = EditingMenu->currentIndex(); }

void MainWindow::CiaMapBox_Action() { app_.shell().showciamap = CiaMapBox->isChecked(); }

void MainWindow::DevButton_Action() {}

}  // namespace quil2a
