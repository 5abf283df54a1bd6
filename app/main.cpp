// Quillmere: a historical atlas of Europe. The Greek texts are chosen when the
// executable's name holds "-el" or "_el" (build/quillmere-el).
#include <QApplication>

#include "app/application.h"
#include "app/mainwindow.h"
#include "data/stored_items.h"
#include "hypertext/command.h"
#include "hypertext/narrwin.h"
#include "hypertext/pagechoice.h"

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    quillmere_data::installStoredItems();
    quil2a::App::Options options;
    options.exeName = quil2a::App::exeBaseName(argc > 0 ? argv[0] : nullptr);
    quil2a::App app(options);
    // The narrative window: made visible on first use, its command links run on the map.
    app.narrWinFactory = [](quil2a::App& a) -> std::unique_ptr<quil2a::NarrativeWindow> {
        auto w = std::make_unique<quil2a::NarrWin>(a.atlas(), a.state());
        w->setCommandHandler(quil2a::commandRunner(a.engine(), a.mainWindow()));
        w->show();
        return w;
    };
    app.mainWindow().narrWinJumpHook = [&app] {
        if (quil2a::NarrativeWindow* w = app.NarrWin()) quil2a::NarrWinJump(app.atlas(), app.state(), *w);
    };
    app.installMessageBoxes();
    app.start();
    return qapp.exec();
}
