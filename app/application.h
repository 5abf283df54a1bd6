// The application object: it owns the atlas, the map state, the shell state,
// the map engine and the windows, and runs the start-up. A test makes a fresh one.
#pragma once

#include <QPointer>
#include <QSize>
#include <QTranslator>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/appservices.h"
#include "app/menubar.h"
#include "app/pictures.h"
#include "app/shellstate.h"
#include "app/splash.h"
#include "atlasdata/atlas.h"
#include "dialog/savemap.h"
#include "engine/engine.h"
#include "engine/mapstate.h"

namespace quil2a {

class MainDlg;
class MainWindow;

struct AppOptions {
    // The executable's file name as started (a link keeps its own name).
    std::string exeName = "quillmere";
    // The first screen's size; empty takes the real one.
    QSize screenSize;
};

class App : public AppServices {
public:
    using Options = AppOptions;

    explicit App(Options options = Options());
    ~App() override;
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // The application's open event: defaults, content list, language, splash,
    // data, settings, validation, menu captions.
    void Open();
    // Open, then the main window's Open; the main window and the narrative
    // beside it are shown once the splash has gone.
    void start();

    // The Greek set is chosen by an executable name holding "-EL" or "_EL" in any case.
    static bool greekName(std::string_view exeName);
    // The file name part of argv[0], without following links.
    static std::string exeBaseName(const char* argv0);

    // The application owns the atlas and the map state and sets them up at
    // start (defaults, loading, settings); after that they change through the engine.
    Atlas& atlas() { return atlas_; }
    MapState& state() { return state_; }
    MainWindow& mainWindow() { return *mainWindow_; }
    MenuBarOSX& menuBar() { return *menuBar_; }
    const Options& options() const { return options_; }

    // AppServices.
    MapEngine& engine() override { return *engine_; }
    const MapState& map() const override { return state_; }
    const Atlas& atlas() const override { return atlas_; }
    ShellState& shell() override { return shell_; }
    StoredPictures& pictures() override { return pictures_; }
    QSize screenSize() const override;
    NarrativeWindow* narrative() override { return NarrWin(); }
    OptionsDialog* optionsDialog() override;
    bool modalRunning() const override { return modalDepth_ > 0; }
    void quitProgram() override
    {
        if (quit) quit();
    }

    // The splash window, made when none is open.
    Splash& splash();
    Splash* openSplash() const;

    // The narrative window, made on first use by narrWinFactory (the program's
    // own unless replaced); null without one.
    NarrativeWindow* NarrWin();
    std::function<std::unique_ptr<NarrativeWindow>(App&)> narrWinFactory;

    // The options dialog, made hidden on first use (normally by the first full
    // render); closing it discards it and the next use makes a new one. Null
    // only while it is being made.
    MainDlg* Dlg();
    MainDlg* existingDlg() const { return dlg_.get(); }
    // The main window's full screen and menu bar, as the dialog switches them.
    void setFullScreen(bool on) override;
    void setMenuBarVisible(bool visible) override;

    // Shows a message and waits for it; the animation timer's ticks are
    // ignored meanwhile. runModal shows it (a message box unless replaced).
    void showMessage(const plat::Bytes& text);
    std::function<void(const QString& text)> runModal;
    // Routes every message of the program to showMessage.
    void installMessageBoxes();

    // Ends the program (the main window's close calls it).
    std::function<void()> quit;

    // Menu commands, one per command item, each bound to its item by name.
    bool EditCopy_Action();
    bool FileQuit_Action();
    bool HelpAbout_Action();
    bool HelpUsing_Action();
    bool PrintMapAsDisplayed_Action();
    bool PrintMapFiner_Action();
    bool PrintMapFinest_Action();
    bool SaveMapAsDisplayed_Action();
    bool SaveMapFiner_Action();
    bool SaveMapFinest_Action();
    bool WindowMainMap_Action();
    bool WindowNarrate_Action();
    bool WindowOptions_Action();
    bool WindowZoomIn_Action();
    bool WindowZoomOut_Action();
    bool WindowPrefs_Action();

    // The export's dialogs (the system's unless replaced) and its hold on the
    // animation; every options dialog made uses these.
    ExportHooks exportHooks;

private:
    void ApplicationAddMenuHandlers();
    // The dialog's export at a resolution, under the wait cursor.
    void exportMap(int32_t mode, int32_t resolution);

    Options options_;
    Atlas atlas_;
    MapState state_;
    ShellState shell_;
    StoredPictures pictures_;
    QPointer<MenuBarOSX> menuBar_;
    std::unique_ptr<MainWindow> mainWindow_;
    std::unique_ptr<MapEngine> engine_;
    std::unique_ptr<NarrativeWindow> narr_;
    std::unique_ptr<MainDlg> dlg_;
    bool makingDlg_ = false;
    // Closed dialogs waiting for their deletion.
    std::vector<QPointer<QWidget>> closedDlgs_;
    QPointer<Splash> splash_;
    // The Greek texts of Qt's own dialogs, installed by the Greek edition only.
    std::unique_ptr<QTranslator> qtTexts_;
    int modalDepth_ = 0;
};

}  // namespace quil2a
