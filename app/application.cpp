#include "app/application.h"

#include <QApplication>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>

#include "app/appicon.h"
#include "app/mainwindow.h"
#include "app/menubar.h"
#include "app/settings.h"
#include "app/splash.h"
#include "atlasdata/content.h"
#include "atlasdata/loaders.h"
#include "dialog/maindlg.h"
#include "hypertext/command.h"
#include "hypertext/narrwin.h"
#include "hypertext/pagechoice.h"
#include "platform/codepage.h"
#include "platform/msgbox.h"

namespace quil2a {

namespace {
// Menu items and the interface string that gives each its caption.
struct Caption {
    const char* item;
    int n;
};
constexpr Caption kCaptions[] = {
    {"FileMenu", 47}, {"EditMenu", 48}, {"WindowMenu", 49}, {"HelpMenu", 50}, {"FileSaveMap", 51},
    {"FilePrintMap", 52}, {"FileQuit", 53}, {"SaveMapAsDisplayed", 21}, {"SaveMapFiner", 22},
    {"SaveMapFinest", 23}, {"PrintMapAsDisplayed", 21}, {"PrintMapFiner", 22}, {"PrintMapFinest", 23},
    {"EditCopy", 55}, {"WindowZoomIn", 56}, {"WindowZoomOut", 57}, {"WindowMainMap", 58},
    {"WindowNarrate", 59}, {"WindowOptions", 60}, {"WindowPrefs", 61}, {"HelpUsing", 62}, {"HelpAbout", 63},
};
}  // namespace

App::App(Options options) : options_(std::move(options))
{
    menuBar_ = new MenuBarOSX();
    mainWindow_ = std::make_unique<MainWindow>(*this);
    mainWindow_->setMenuBar(menuBar_);
    engine_ = std::make_unique<MapEngine>(atlas_, state_, *mainWindow_);
    // The narrative window: made visible on first use, its command links run on the map.
    narrWinFactory = [](App& a) -> std::unique_ptr<NarrativeWindow> {
        auto w = std::make_unique<quil2a::NarrWin>(a.atlas(), a.engine());
        w->setCommandHandler(commandRunner(a.engine()));
        return w;
    };
    mainWindow_->narrWinJumpHook = [this] {
        if (!state_.NarrWinOpen) return;
        if (NarrativeWindow* w = NarrWin()) NarrWinJump(atlas_, state_, *w);
    };
    ApplicationAddMenuHandlers();
    exportHooks.holdAnimation = [this](bool held) { modalDepth_ += held ? 1 : -1; };
    quit = [] { QCoreApplication::quit(); };
    runModal = [this](const QString& text) {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Quillmere"), text, QMessageBox::Ok,
                        mainWindow_ && mainWindow_->isVisible() ? mainWindow_.get() : nullptr);
        box.exec();
    };
}

App::~App()
{
    mainWindow_->setOptionsDialog(nullptr);
    dlg_.reset();
    for (const QPointer<QWidget>& d : closedDlgs_) delete d.data();
    delete splash_.data();
    narr_.reset();
    mainWindow_->setNarrativeWindow(nullptr);
}

bool App::greekName(std::string_view exeName)
{
    return languageOfExe(exeName) == Language::Greek;
}

std::string App::exeBaseName(const char* argv0)
{
    if (!argv0) return {};
    const std::string s(argv0);
    const size_t slash = s.find_last_of('/');
    return slash == std::string::npos ? s : s.substr(slash + 1);
}

QSize App::screenSize() const
{
    if (options_.screenSize.isValid() && !options_.screenSize.isEmpty()) return options_.screenSize;
    if (QScreen* screen = QGuiApplication::primaryScreen()) return screen->geometry().size();
    return QSize(1024, 768);
}

void App::Open()
{
    Atlas& a = atlas_;
    MapState& m = state_;
    ShellState& s = shell_;

    a.grandom = plat::Random();

    m.x0 = 10500.0;
    m.y0 = 12000.0;
    m.maindate = 1805.0;
    m.mindate = 1000.0;
    m.maxdate = 2003.0;
    s.swapdate = 2000.0;
    s.scaleindex = 0;
    // The transport starts stopped with no direction taken: its ticks show on the backward side.
    m.timeforward = false;

    a.content.cfilelist.Clear();
    Fillcfilelist(a);

    a.language = languageOfExe(options_.exeName);
    // Qt's standard dialogs and message-box buttons speak the edition's language.
    if (a.GreekText() && !qtTexts_) {
        auto texts = std::make_unique<QTranslator>();
        if (texts->load(QStringLiteral(":/i18n/qt_el.qm")) && QCoreApplication::installTranslator(texts.get()))
            qtTexts_ = std::move(texts);
    }
    a.gamma = 0.7;

    // Every window of the program carries the atlas's icon.
    if (const plat::Picture* thumb = pictures_.picture(kIconThumbnail))
        QGuiApplication::setWindowIcon(atlasIcons(thumb->image()));

    // The splash is drawn before the long load begins.
    Splash& sp = splash();
    if (a.lang().splash != StoredPictures::kFlash1) sp.setBackdrop(pictures_.picture(a.lang().splash));
    sp.show();
    sp.repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    loadmapdata(a);
    loadtextdata(a);

    ReadSettings(m, s);

    if (!(m.x0 >= kViewLow && m.x0 <= kViewHigh)) m.x0 = 10500.0;
    if (!(m.y0 >= kViewLow && m.y0 <= kViewHigh)) m.y0 = 12000.0;
    if (!(m.maindate >= m.mindate && m.maindate <= m.maxdate)) m.maindate = m.mindate;
    if (!(s.swapdate >= m.mindate && s.swapdate <= m.maxdate)) s.swapdate = m.maxdate;
    if (!(s.scaleindex >= 2 && s.scaleindex <= 30)) s.scaleindex = 13;

    for (const Caption& c : kCaptions)
        MenuBarOSX::setCaption(menuBar_->item(QString::fromLatin1(c.item)),
                               plat::decode(a.quilstring[c.n], a.textCodePage()));
}

void App::start()
{
    Open();
    mainWindow_->Open();
    const auto showWindows = [this] {
        if (NarrativeWindow* w = state_.NarrWinOpen ? NarrWin() : nullptr) w->Show();
        mainWindow_->show();
        mainWindow_->raise();
        mainWindow_->activateWindow();
    };
    // The splash keeps its five seconds (or until clicked) before the windows come.
    if (Splash* sp = openSplash())
        QObject::connect(sp, &Splash::gone, mainWindow_.get(), showWindows);
    else
        showWindows();
}

Splash& App::splash()
{
    if (!splash_ || splash_->closed()) splash_ = new Splash(pictures_.flash1());
    return *splash_;
}

Splash* App::openSplash() const { return splash_ && !splash_->closed() ? splash_.data() : nullptr; }

NarrativeWindow* App::NarrWin()
{
    if (!narr_ && narrWinFactory) {
        narr_ = narrWinFactory(*this);
        mainWindow_->setNarrativeWindow(narr_.get());
    }
    return narr_.get();
}

MainDlg* App::Dlg()
{
    if (dlg_ || makingDlg_) return dlg_.get();
    makingDlg_ = true;
    DialogLinks links;
    links.fullScreen = [this] { return shell_.FullScreen; };
    links.setFullScreen = [this](bool on) { setFullScreen(on); };
    links.setMenuBarVisible = [this](bool visible) { setMenuBarVisible(visible); };
    links.hideNarrative = [this] {
        if (narr_) narr_->Hide();
    };
    links.storedPicture = [this](int n) { return pictures_.picture(n); };
    links.onClosed = [this] {
        if (!dlg_) return;
        if (mainWindow_->optionsDialog() == dlg_.get()) mainWindow_->setOptionsDialog(nullptr);
        MainDlg* closed = dlg_.release();
        std::erase_if(closedDlgs_, [](const QPointer<QWidget>& d) { return d.isNull(); });
        closedDlgs_.emplace_back(closed);
        closed->deleteLater();
    };
    links.exportHooks = &exportHooks;
    links.ctlgrey1 = shell_.ctlgrey1;
    links.ctlgrey2 = shell_.ctlgrey2;
    dlg_ = std::make_unique<MainDlg>(atlas_, state_, *engine_, *mainWindow_, std::move(links));
    makingDlg_ = false;
    // A dialog made again after a close frames the view shown, without waiting for a render.
    if (state_.p) {
        const std::array<int, 4> box = engine_->visibleMapBox();
        dlg_->setVisibleMapBox(box[0], box[1], box[2], box[3]);
    }
    mainWindow_->setOptionsDialog(dlg_.get());
    return dlg_.get();
}

OptionsDialog* App::optionsDialog() { return Dlg(); }

void App::setFullScreen(bool on)
{
    shell_.FullScreen = on;
    if (on) mainWindow_->showFullScreen();
    else mainWindow_->showNormal();
}

void App::setMenuBarVisible(bool visible)
{
    if (QMenuBar* bar = mainWindow_->menuBar()) bar->setVisible(visible);
}

void App::showMessage(const plat::Bytes& text)
{
    ++modalDepth_;
    if (runModal) runModal(plat::decode(text, atlas_.textCodePage()));
    --modalDepth_;
}

void App::installMessageBoxes()
{
    plat::setMsgBoxHandler([this](const plat::Bytes& text) { showMessage(text); });
}

}  // namespace quil2a
