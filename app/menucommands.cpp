// The menu commands: export at three resolutions, quit, help and about, the
// windows and the zoom steps. Each handler returns false, as the menu expects.
#include <QAction>

#include "app/application.h"
#include "app/mainwindow.h"
#include "app/stripcontrols.h"
#include "dialog/maindlg.h"

namespace quil2a {

void App::ApplicationAddMenuHandlers()
{
    using Handler = bool (App::*)();
    struct Binding {
        const char* item;
        Handler handler;
    };
    const Binding bindings[] = {
        {"EditCopy", &App::EditCopy_Action},
        {"FileQuit", &App::FileQuit_Action},
        {"HelpAbout", &App::HelpAbout_Action},
        {"HelpUsing", &App::HelpUsing_Action},
        {"PrintMapAsDisplayed", &App::PrintMapAsDisplayed_Action},
        {"PrintMapFiner", &App::PrintMapFiner_Action},
        {"PrintMapFinest", &App::PrintMapFinest_Action},
        {"SaveMapAsDisplayed", &App::SaveMapAsDisplayed_Action},
        {"SaveMapFiner", &App::SaveMapFiner_Action},
        {"SaveMapFinest", &App::SaveMapFinest_Action},
        {"WindowMainMap", &App::WindowMainMap_Action},
        {"WindowNarrate", &App::WindowNarrate_Action},
        {"WindowOptions", &App::WindowOptions_Action},
        {"WindowZoomIn", &App::WindowZoomIn_Action},
        {"WindowZoomOut", &App::WindowZoomOut_Action},
        {"WindowPrefs", &App::WindowPrefs_Action},
    };
    for (const Binding& b : bindings) {
        QAction* item = menuBar_->item(QString::fromLatin1(b.item));
        if (!item) continue;
        // The shortcuts work from every window of the program, as a menu bar's do,
        // and through the main window also while full screen hides the menu bar.
        item->setShortcutContext(Qt::ApplicationShortcut);
        mainWindow_->addAction(item);
        const Handler h = b.handler;
        QObject::connect(item, &QAction::triggered, menuBar_, [this, h] { (this->*h)(); });
    }
}

void App::exportMap(int32_t mode, int32_t resolution)
{
    MainDlg* d = Dlg();
    if (!d) return;
    d->resolution = resolution;
    mainWindow_->setCursor(Qt::WaitCursor);
    d->SaveMap(mode);
    mainWindow_->setCursor(Qt::ArrowCursor);
}

bool App::EditCopy_Action()
{
    exportMap(1, 1);
    return false;
}

bool App::PrintMapAsDisplayed_Action()
{
    exportMap(0, 1);
    return false;
}

bool App::PrintMapFiner_Action()
{
    exportMap(0, 2);
    return false;
}

bool App::PrintMapFinest_Action()
{
    exportMap(0, 3);
    return false;
}

bool App::SaveMapAsDisplayed_Action()
{
    exportMap(2, 1);
    return false;
}

bool App::SaveMapFiner_Action()
{
    exportMap(2, 2);
    return false;
}

bool App::SaveMapFinest_Action()
{
    exportMap(2, 3);
    return false;
}

bool App::FileQuit_Action()
{
    // Dialog, narrative, main window: closing the last writes the settings and ends the program.
    if (dlg_) dlg_->Close();
    if (narr_) narr_->Close();
    mainWindow_->close();
    return false;
}

bool App::HelpAbout_Action()
{
    Splash& sp = splash();
    if (atlas_.lang().splash != StoredPictures::kFlash1) sp.setBackdrop(pictures_.picture(atlas_.lang().splash));
    sp.show();
    sp.raise();
    return false;
}

bool App::HelpUsing_Action()
{
    NarrativeWindow* w = NarrWin();
    if (!w) return false;
    w->Show();
    engine_->setNarrativeFollows(true);
    w->Update("help.htm#home");
    return false;
}

bool App::WindowMainMap_Action()
{
    mainWindow_->raise();
    mainWindow_->activateWindow();
    return false;
}

bool App::WindowNarrate_Action()
{
    NarrativeWindow* w = NarrWin();
    if (!w) return false;
    w->Show();
    w->SetFocus();
    engine_->setNarrativeFollows(true);
    mainWindow_->narrWinJump();
    return false;
}

bool App::WindowOptions_Action()
{
    if (MainDlg* d = Dlg()) {
        d->Show();
        d->SetFocus();
    }
    mainWindow_->DlgB->Refresh(false);
    return false;
}

bool App::WindowPrefs_Action() { return WindowOptions_Action(); }

bool App::WindowZoomIn_Action()
{
    mainWindow_->setzoom(-1);
    return false;
}

bool App::WindowZoomOut_Action()
{
    mainWindow_->setzoom(1);
    return false;
}

}  // namespace quil2a
