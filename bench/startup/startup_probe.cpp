// Starts the atlas headless as the program does, prints one line when the
// main window's open has finished, and ends. bench_startup.cpp times it.
#include <QApplication>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>

#include "app/application.h"
#include "data/stored_items.h"

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication qapp(argc, argv);
    // The user's own settings stay untouched and do not vary the figure.
    QStandardPaths::setTestModeEnabled(true);
    quillmere_data::installStoredItems();
    quil2a::App::Options options;
    options.exeName = argc > 1 ? argv[1] : "quillmere";
    quil2a::App app(options);
    app.start();
    std::printf("open done\n");
    std::fflush(stdout);
    return 0;
}
