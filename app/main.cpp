// Quillmere: a historical atlas of Europe. The Greek texts are chosen when the
// executable's name holds "-el" or "_el" (build/quillmere-el).
#include <QApplication>

#include "app/application.h"
#include "data/stored_items.h"

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    quillmere_data::installStoredItems();
    quil2a::App::Options options;
    options.exeName = quil2a::App::exeBaseName(argc > 0 ? argv[0] : nullptr);
    // The desktop entry of the edition started, for the desktop's window list.
    QGuiApplication::setDesktopFileName(quil2a::App::greekName(options.exeName) ? QStringLiteral("org.quillmere.atlas.el")
                                                                                 : QStringLiteral("org.quillmere.atlas"));
    quil2a::App app(options);
    app.installMessageBoxes();
    app.start();
    return qapp.exec();
}
