#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>

#include "atlasdata/content.h"
#include "data/stored_items.h"
#include "platform/codepage.h"
#include "platform/msgbox.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    plat::setMsgBoxHandler([](const plat::Bytes& text) {
        QMessageBox::information(nullptr, QStringLiteral("Quillmere"), plat::decode(text, plat::CodePage::Win1252));
    });
    quillmere_data::installStoredItems();
    auto atlas = std::make_unique<quil2a::Atlas>();
    quil2a::Fillcfilelist(*atlas);

    QMainWindow win;
    win.setWindowTitle(QStringLiteral("Quillmere"));
    auto* label = new QLabel(QStringLiteral("%1 stored items loaded.").arg(atlas->content.cfilelist.Count()));
    label->setAlignment(Qt::AlignCenter);
    win.setCentralWidget(label);
    win.resize(640, 400);
    win.show();
    return app.exec();
}
