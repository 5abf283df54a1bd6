// A fresh application on the hand-made test atlas, with its settings kept
// apart from the user's, no real message boxes and no quitting.
#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/application.h"
#include "app/editdate.h"
#include "app/mainwindow.h"
#include "app/settings.h"
#include "app/stripcontrols.h"
#include "data/stored_items.h"
#include "platform/msgbox.h"
#include "platform/resources.h"
#include "support/items.h"

namespace apptest {

// Settings in a folder of this test process only: the tests run side by side.
inline void privateSettings()
{
    static QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
}

// The colour a control shows at a point.
inline plat::Color shownPixel(quil2a::Canvas* c, int x, int y) { return c->shownPicture().image().pixel(x, y) & 0xFFFFFFu; }

// A narrative window that only remembers what it was asked to do.
struct NarrDouble : quil2a::NarrativeWindow {
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<plat::Bytes> pages;
    std::function<void()> onUpdate;
    void Show() override {}
    void Hide() override {}
    void SetFocus() override {}
    void Close() override {}
    void Update(const plat::Bytes& page) override
    {
        pages.push_back(page);
        if (onUpdate) onUpdate();
    }
    void setGeometry(int l, int t, int w, int h) override
    {
        left = l;
        top = t;
        width = w;
        height = h;
    }
};

struct Harness {
    testsupport::TestItems items{testsupport::miniAtlasFolder()};
    plat::MsgBoxRecorder messages;
    std::unique_ptr<quil2a::App> app;
    plat::ResourceProvider previousProvider;
    NarrDouble* narr = nullptr;
    int quits = 0;

    explicit Harness(const std::string& exeName = "quillmere", QSize screen = QSize(1280, 800))
    {
        // The program's own pictures beside the test atlas's items.
        previousProvider = plat::setResourceProvider([this](const std::string& type, int n) {
            return type == "PICT" ? quillmere_data::storedResource(type, n) : previousProvider(type, n);
        });
        privateSettings();
        QFile::remove(quil2a::settingsFilePath());
        quil2a::App::Options options;
        options.exeName = exeName;
        options.screenSize = screen;
        app = std::make_unique<quil2a::App>(options);
        app->quit = [this] { ++quits; };
        app->runModal = [](const QString&) {};
        app->narrWinFactory = [this](quil2a::App&) {
            auto d = std::make_unique<NarrDouble>();
            narr = d.get();
            return d;
        };
    }
    ~Harness()
    {
        app.reset();
        plat::setResourceProvider(std::move(previousProvider));
        QFile::remove(quil2a::settingsFilePath());
    }

    // Both open events, as the program runs them.
    void open()
    {
        app->Open();
        win().Open();
    }
    void writeSettings(const char* text)
    {
        QDir().mkpath(QFileInfo(quil2a::settingsFilePath()).absolutePath());
        QFile f(quil2a::settingsFilePath());
        f.open(QIODevice::WriteOnly);
        f.write(text);
    }

    quil2a::MainWindow& win() { return app->mainWindow(); }
    quil2a::MapState& m() { return app->state(); }
    quil2a::ShellState& s() { return app->shell(); }
    plat::Bytes dateText() { return win().NewEditDate->EditText; }

    // A press and a release on a control, in its own coordinates.
    static void click(QWidget* w, QPoint at) { clickAndRelease(w, at, at); }
    static void clickAndRelease(QWidget* w, QPoint down, QPoint up)
    {
        QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, down);
        QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, up);
    }
    // Runs animation ticks until the timer stops (at most n); returns how many ran.
    int ticksUntilStopped(int n = 100000)
    {
        int i = 0;
        while (win().EvoTimer.Mode() != 0 && i < n) {
            win().EvoTimer_Action();
            ++i;
        }
        return i;
    }
};

}  // namespace apptest
