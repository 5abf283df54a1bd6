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
    connect(CheckBox1, &QCheckBox::toggled, this, [this] { CheckBox1_Action(); });
    connect(SaveBtn, &QPushButton::clicked, this, [this] { SaveBtn_Action(); });
}

void MainWindow::EditingMenu_Change() { app_.shell().mouseaction = EditingMenu->currentIndex(); }

void MainWindow::CheckBox1_Action() { app_.shell().showciamap = CheckBox1->isChecked(); }

void MainWindow::SaveBtn_Action() {}

}  // namespace quil2a
