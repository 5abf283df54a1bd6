#include "app/mainwindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cmath>

#include "app/editdate.h"
#include "app/settings.h"
#include "app/stripcontrols.h"
#include "platform/clock.h"
#include "platform/codepage.h"
#include "platform/msgbox.h"

namespace quil2a {

MainWindow::MainWindow(AppServices& app) : QMainWindow(nullptr), app_(app)
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("QUILLMERE"));

    surface_ = new Canvas(this, QStringLiteral("MainWindowSurface"));
    surface_->eraseColor = plat::RGB(32, 32, 32);
    surface_->onPaint = [this](plat::Graphics& g) { Paint(g); };
    surface_->onResize = [this](int w, int h) { surfaceResized(w, h); };
    surface_->setFocusPolicy(Qt::StrongFocus);
    surface_->setMinimumSize(450, 64);
    surface_->setMaximumSize(32000, 32000);
    setCentralWidget(surface_);
    resize(w_, h_);

    CtlCanvas = makeCanvas("CtlCanvas", 0, 0, 521, 54, "LTR");
    CtlCanvas->eraseBackground = false;
    CtlCanvas->onPaint = [this](plat::Graphics& g) { CtlCanvas_Paint(g); };
    CtlCanvas->onMouseEnter = [this] { CtlCanvas->setMouseCursor(Qt::ArrowCursor); };
    CtlCanvas->onMouseDown = [this](int x, int y) { return CtlCanvas_MouseDown(x, y); };

    NewEditDate = place(new EditDateClass(*this), 21, 14, 60, 22, "");
    TimeCtl = place(new TimeTransport(*this), 120, 14, 101, 25, "LT");
    ZoomCtl = place(new ZoomGauge(*this), 358, 14, 98, 25, "TR");
    roller = place(new Roller(*this), 469, 0, 54, 54, "TR");
    IncDecCtl = place(new DateStep(*this), 10, 18, 11, 17, "");
    SwapCtl = place(new DateSwap(*this), 36, 39, 28, 14, "");

    // The hidden developer row.
    EditingMenu = new QComboBox(surface_);
    EditingMenu->setObjectName(QStringLiteral("EditingMenu"));
    for (const char* row : {"mNormal", "mDrag", "mZoom", "3", "4", "5 -these-", "6 -reserved-", "7 -for later-", "8", "9",
                            "SelectingBorder", "EditingBorder", "SelectingPaints", "EditingPaints", "SelectingGeo",
                            "EditingGeo"})
        EditingMenu->addItem(QString::fromLatin1(row));
    EditingMenu->setCurrentIndex(0);
    placeWidget(EditingMenu, 71, 337, 120, 19, "LB");
    EditingMenu->hide();
    CiaMapBox = new QCheckBox(QStringLiteral("cia"), surface_);
    CiaMapBox->setObjectName(QStringLiteral("CiaMapBox"));
    placeWidget(CiaMapBox, 209, 338, 35, 18, "LB");
    CiaMapBox->hide();
    DevButton = new QPushButton(QStringLiteral("---"), surface_);
    DevButton->setObjectName(QStringLiteral("DevButton"));
    DevButton->setFocusPolicy(Qt::NoFocus);
    placeWidget(DevButton, 21, 339, 32, 17, "LB");
    DevButton->hide();
    DevLabel = new QLabel(surface_);
    DevLabel->setObjectName(QStringLiteral("DevLabel"));
    placeWidget(DevLabel, 256, 339, 246, 14, "LRB");
    DevLabel->hide();

    OtherTimer.onAction = [this] { OtherTimer_Action(); };
    OtherTimer.setPeriod(97);
    OtherTimer.setMode(2);
    EvoTimer.onAction = [this] { EvoTimer_Action(); };
    EvoTimer.setPeriod(3600);
    EvoTimer.setMode(0);

    MapCanvas = makeCanvas("MapCanvas", 20, 54, 482, 276, "LTRB");
    MapCanvas->acceptFocus = true;
    MapCanvas->eraseBackground = false;
    MapCanvas->onPaint = [this](plat::Graphics& g) { MapCanvas_Paint(g); };
    MapCanvas->onMouseDown = [this](int x, int y) { return MapCanvas_MouseDown(x, y); };
    MapCanvas->onMouseDrag = [this](int x, int y) { MapCanvas_MouseDrag(x, y); };
    MapCanvas->onMouseUp = [this](int x, int y) { MapCanvas_MouseUp(x, y); };
    MapCanvas->onMouseWheel = [this](int x, int y, int dx, int dy) { return MapCanvas_MouseWheel(x, y, dx, dy); };

    JmpBtn = place(new DateArrow(*this, DateArrow::Kind::Jump), 88, 14, 20, 12, "");
    GoBtn = place(new DateArrow(*this, DateArrow::Kind::Go), 88, 26, 20, 12, "");
    DlgB = place(new WindowButton(*this, WindowButton::Kind::Dialog), 330, 26, 16, 12, "TR");
    NarrB = place(new WindowButton(*this, WindowButton::Kind::Narrative), 330, 14, 16, 12, "TR");

    IDcanvas = makeCanvas("IDcanvas", 244, 54, 100, 18, "");
    IDcanvas->onPaint = [this](plat::Graphics& g) { IDcanvas_Paint(g); };
    IDcanvas->onMouseDown = [this](int x, int y) { return IDcanvas_MouseDown(x, y); };
    IDcanvas->onMouseUp = [this](int x, int y) { IDcanvas_MouseUp(x, y); };

    // Edge strips: they draw nothing; in full screen they show resize arrows.
    topedge = place(new EdgeStrip(*this, "topedge", Qt::SizeVerCursor), 0, 0, 523, 3, "LTR");
    leftedge = place(new EdgeStrip(*this, "leftedge", Qt::SizeHorCursor), 0, 3, 3, 355, "LTB");
    rightedge = place(new EdgeStrip(*this, "rightedge", Qt::SizeHorCursor), 521, 3, 3, 355, "TRB");
    lowedge = place(new EdgeStrip(*this, "lowedge", Qt::SizeVerCursor), 0, 358, 523, 3, "LRB");

    HelpB = place(new WindowButton(*this, WindowButton::Kind::Help), 313, 19, 16, 13, "TR");

    wireEditingRow();

    Microseconds = [] { return plat::Microseconds(); };
    asyncModifiers = [] { return QGuiApplication::queryKeyboardModifiers(); };
}

MainWindow::~MainWindow() = default;

Canvas* MainWindow::makeCanvas(const char* name, int left, int top, int width, int height, const char* locks)
{
    return place(new Canvas(surface_, QString::fromLatin1(name)), left, top, width, height, locks);
}

void MainWindow::placeWidget(QWidget* w, int left, int top, int width, int height, const char* locks)
{
    const std::string l(locks);
    Placed p{w, l.find('L') != std::string::npos, l.find('T') != std::string::npos, l.find('R') != std::string::npos,
             l.find('B') != std::string::npos, 0, 0};
    placed_.push_back(p);
    setControlBounds(w, left, top, width, height);
}

void MainWindow::setControlBounds(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(left, top, std::max(width, 0), std::max(height, 0));
    for (Placed& p : placed_) {
        if (p.w != w) continue;
        p.rightDist = w_ - (left + width);
        p.bottomDist = h_ - (top + height);
    }
}

void MainWindow::layoutControls()
{
    for (const Placed& p : placed_) {
        QRect g = p.w->geometry();
        int left = g.x(), top = g.y(), width = g.width(), height = g.height();
        if (p.lockLeft && p.lockRight) width = w_ - left - p.rightDist;
        else if (p.lockRight) left = w_ - p.rightDist - width;
        if (p.lockTop && p.lockBottom) height = h_ - top - p.bottomDist;
        else if (p.lockBottom) top = h_ - p.bottomDist - height;
        p.w->setGeometry(left, top, std::max(width, 0), std::max(height, 0));
    }
}

int MainWindow::Left() const { return surface_->mapToGlobal(QPoint(0, 0)).x(); }
int MainWindow::Top() const { return surface_->mapToGlobal(QPoint(0, 0)).y(); }

void MainWindow::setWindowSize(int w, int h)
{
    w = std::clamp(w, 450, 32000);
    h = std::clamp(h, 64, 32000);
    w_ = w;
    h_ = h;
    const int bar = menuBar() && !menuBar()->isHidden() ? menuBar()->sizeHint().height() : 0;
    resize(w, h + bar);
    if (layout()) layout()->activate();
    layoutControls();
}

void MainWindow::surfaceResized(int w, int h)
{
    if (w == w_ && h == h_) return;
    w_ = w;
    h_ = h;
    layoutControls();
    Resized();
}

void MainWindow::Refresh(bool erase)
{
    surface_->Refresh(erase);
    for (const Placed& p : placed_) {
        auto* c = qobject_cast<Canvas*>(p.w);
        if (!c || !c->isVisibleTo(surface_) || (!c->onPaint && !c->backdrop())) continue;
        c->Refresh(erase && c->eraseBackground);
    }
}

void MainWindow::setFocusControl(Canvas* c)
{
    surface_->setFocus(Qt::OtherFocusReason);
    if (c == focus_) return;
    Canvas* old = focus_;
    focus_ = c;
    if (old && old->onLostFocus) old->onLostFocus();
    if (c && c->onGotFocus) c->onGotFocus();
}

void MainWindow::Open()
{
    const MapState& m = app_.map();
    ShellState& s = app_.shell();
    MapEngine& engine = app_.engine();

    NewEditDate->Open();

    s.scalestep = 0.8;
    engine.setView(m.x0, m.y0, std::pow(s.scalestep, s.scaleindex), false);
    s.minscale = 0.0075;
    s.maxscale = 0.25;

    setControlBounds(ZoomCtl, ZoomCtl->x(), ZoomCtl->y(), 68, ZoomCtl->height());
    setControlBounds(DevLabel, DevLabel->x(), DevLabel->y(), 0, DevLabel->height());

    EvoTimer.setMode(0);
    EvoTimer.setPeriod(1);

    engine.setSpeed(4);
    s.ctlgrey1 = plat::RGB(192, 192, 192);
    s.ctlgrey2 = plat::RGB(253, 253, 253);
    s.ctldarkred = plat::RGB(64, 32, 32);
    // The strip's background, and the headline fade ramp from it up to the bright grey.
    engine.setControlColours(plat::RGB(16, 16, 16), s.ctlgrey2);

    NewEditDate->BackColor = m.ctlbackcolor;
    NewEditDate->TextColor = s.ctlgrey2;

    for (auto shown : {MapEngine::Shown::CountryNames, MapEngine::Shown::Cities, MapEngine::Shown::CityNames,
                       MapEngine::Shown::Headlines, MapEngine::Shown::BorderExtension})
        engine.setShown(shown, true);

    IDcanvas->setControlWidth(0);

    const QSize screen = app_.screenSize();
    MapCanvas->settle();  // the pictures it may show are made again
    engine.makePictures(screen.width(), screen.height());

    if (QScreen* primary = QGuiApplication::primaryScreen()) move(primary->availableGeometry().topLeft());
    setWindowSize(static_cast<int>(screen.width() * 0.6), static_cast<int>(screen.height() * 0.8));

    engine.setCentre(MapCanvas->width() / 2.0, MapCanvas->height() / 2.0, false);

    plat::Graphics& g = MapCanvas->graphics();
    g.SetForeColor(app_.atlas().watercolor);
    g.FillRect(0, 0, MapCanvas->width(), MapCanvas->height());

    engine.setNarrativeFollows(true);

    if (NarrativeWindow* narr = app_.narrative()) {
        const int top = static_cast<int>(Top() + Height() * 0.05);
        const int width = static_cast<int>(screen.width() * 0.35);
        const int height = static_cast<int>(Height() * 0.85);
        const int left = Left() + Width() + 10;
        narr->setGeometry(left, top, width, height);
    }

    engine.rebuildAt(m.maindate);
    engine.redraw();

    setFocusControl(MapCanvas);
    allowresize = true;
}

void MainWindow::Resized()
{
    if (!allowresize) return;
    IDcanvas->setControlWidth(0);
    app_.engine().setCentre(MapCanvas->width() / 2.0, MapCanvas->height() / 2.0, true);
    Refresh(false);
}

void MainWindow::Paint(plat::Graphics& g)
{
    g.SetForeColor(app_.map().ctlbackcolor);
    const int strip = CtlCanvas->height();
    g.FillRect(0, strip, MapCanvas->x(), MapCanvas->height());
    g.FillRect(MapCanvas->x() + MapCanvas->width(), strip, 30, MapCanvas->height());
    g.FillRect(0, strip + MapCanvas->height(), Width(), 60);
}

void MainWindow::Close()
{
    if (closing_) return;
    closing_ = true;
    QString why;
    if (!SaveSettings(app_.map(), &why))
        plat::MsgBox(settingsNotSavedMessage(settingsFilePath(), why, app_.atlas().textCodePage()));
    app_.quitProgram();
}

void MainWindow::closeEvent(QCloseEvent* e)
{
    Close();
    e->accept();
}

namespace {
// The key as the handlers see it: one byte, control keys by their codes.
plat::Bytes keyText(const QKeyEvent* e, plat::CodePage cp)
{
    switch (e->key()) {
    case Qt::Key_Home: return plat::ChrB(1);
    case Qt::Key_End: return plat::ChrB(4);
    case Qt::Key_Backspace: return plat::ChrB(8);
    case Qt::Key_Tab: return plat::ChrB(9);
    // The map's zoom keys.
    case Qt::Key_PageUp: return plat::ChrB(MainWindow::kZoomInKey);
    case Qt::Key_PageDown: return plat::ChrB(MainWindow::kZoomOutKey);
    case Qt::Key_F1:
    case Qt::Key_Help: return plat::ChrB(MainWindow::kHelpKey);
    case Qt::Key_Return: return plat::ChrB(13);
    case Qt::Key_Enter: return plat::ChrB(3);
    case Qt::Key_Escape: return plat::ChrB(27);
    case Qt::Key_Left: return plat::ChrB(28);
    case Qt::Key_Right: return plat::ChrB(29);
    case Qt::Key_Up: return plat::ChrB(30);
    case Qt::Key_Down: return plat::ChrB(31);
    case Qt::Key_Delete: return plat::ChrB(127);
    default: break;
    }
    const QString text = e->text();
    if (text.isEmpty()) return {};
    plat::Bytes key = plat::encode(text.left(1), cp);
    // A typed letter never stands for a zoom key.
    if (key.size() == 1 && (plat::AscB(key) == MainWindow::kZoomInKey || plat::AscB(key) == MainWindow::kZoomOutKey)) return {};
    return key;
}
}  // namespace

void MainWindow::keyPressEvent(QKeyEvent* e)
{
    const plat::Bytes key = keyText(e, app_.atlas().textCodePage());
    if (key.empty()) {
        QMainWindow::keyPressEvent(e);
        return;
    }
    if (focus_ && focus_->onKeyDown && focus_->onKeyDown(key)) return;
    KeyDown(key);
}

// Date and zoom steps, the animation tick.

namespace {
int32_t date10(double d) { return plat::Int(plat::Round(d * 10.0)); }
}  // namespace

void MainWindow::setzoom(int32_t direction)
{
    const MapState& m = app_.map();
    // Also at a limit the map is rendered once more.
    app_.engine().setView(m.x0, m.y0, ZoomGauge::stepped(app_.shell(), m.scale, direction < 0));
}

void MainWindow::EvoTimer_Action()
{
    // One tick runs to its end: it neither yields to other events nor runs
    // again inside a message box that one of its steps shows.
    if (inTick_ || app_.modalRunning()) return;
    inTick_ = true;
    struct Leave {
        bool& flag;
        ~Leave() { flag = false; }
    } leave{inTick_};

    const MapState& m = app_.map();
    ShellState& s = app_.shell();
    MapEngine& engine = app_.engine();
    const int32_t target = std::clamp(date10(s.targetdate), date10(m.mindate), date10(m.maxdate));
    const int32_t now = date10(m.maindate);

    auto stop = [this] {
        EvoTimer.setMode(0);
        TimeCtl->Refresh(false);
    };
    if (now == target) {
        stop();
        return;
    }
    const int dir = now < target ? 1 : -1;
    for (int step = 1; step <= s.timesteps; ++step) {
        if (!engine.step(dir)) {
            stop();
            break;
        }
        if (date10(m.maindate) == target) {
            stop();
            break;
        }
    }
    engine.showdate();
    if (dateFieldDue_) {
        dateFieldDue_ = false;
        NewEditDate->Refresh(false);
    }
}

// Control strip and identification label.

void MainWindow::CtlCanvas_Paint(plat::Graphics& g)
{
    g.SetForeColor(app_.map().ctlbackcolor);
    g.FillRect(0, 0, Width(), Height());
}

bool MainWindow::CtlCanvas_MouseDown(int, int) { return false; }

void MainWindow::IDcanvas_Paint(plat::Graphics& g)
{
    if (const auto& pic = app_.map().IDpic) g.DrawPicture(*pic, 0, 0);
}

bool MainWindow::IDcanvas_MouseDown(int, int) { return true; }

void MainWindow::IDcanvas_MouseUp(int, int) { app_.engine().setIdFade(7); }

void MainWindow::MapCanvas_Paint(plat::Graphics& g)
{
    if (const auto& p = app_.map().p) g.DrawPicture(*p, -20, -20);
}

// EngineHost.

void MainWindow::setDateFieldText(const plat::Bytes& text)
{
    NewEditDate->EditText = text;
    // Of the steps of one animation tick only the last date is seen: the
    // tick paints the field once at its end.
    if (inTick_) dateFieldDue_ = true;
    else NewEditDate->Refresh(false);
}

int MainWindow::mapCanvasWidth() const { return MapCanvas->width(); }
int MainWindow::mapCanvasHeight() const { return MapCanvas->height(); }

void MainWindow::drawMapCanvas(const plat::Picture& p) { MapCanvas->showLive(p, -20, -20); }

void MainWindow::drawMapCanvasRects(const plat::Picture& p, const std::vector<QRect>& rects)
{
    // The canvas shows p itself: only the changed parts are painted again.
    if (MapCanvas->live() != &p) {
        drawMapCanvas(p);
        return;
    }
    MapCanvas->liveChanged(rects);
}

// ControlHost.

MapEngine& MainWindow::engine() { return app_.engine(); }
const MapState& MainWindow::map() const { return app_.map(); }
const Atlas& MainWindow::atlas() const { return app_.atlas(); }
ShellState& MainWindow::shell() { return app_.shell(); }
StoredPictures& MainWindow::pictures() { return app_.pictures(); }
void MainWindow::focusMap() { setFocusControl(MapCanvas); }
void MainWindow::refreshControls() { Refresh(false); }
Timer& MainWindow::animationTimer() { return EvoTimer; }

void MainWindow::showTransport()
{
    setFocusControl(TimeCtl);
    TimeCtl->Refresh(false);
}

plat::Bytes MainWindow::typedDate() const { return NewEditDate->EditText; }
double MainWindow::microseconds() { return Microseconds(); }

void MainWindow::openOptions()
{
    if (OptionsDialog* d = app_.optionsDialog()) {
        d->Show();
        d->SetFocus();
    }
}

void MainWindow::openNarrative()
{
    NarrativeWindow* w = app_.narrative();
    if (!w) return;
    w->Show();
    w->SetFocus();
    app_.engine().setNarrativeFollows(true);
    narrWinJump();
}

void MainWindow::leaveFullScreen()
{
    app_.setFullScreen(false);
    app_.setMenuBarVisible(true);
    if (OptionsDialog* d = app_.optionsDialog()) d->fullScreenEnded();
}

// EngineHost.

void MainWindow::refreshMainWindow() { Refresh(false); }
void MainWindow::viewChanged() { ZoomCtl->Refresh(false); }

void MainWindow::drawHeadStrip(const plat::Picture& headpic) { surface_->graphics().DrawPicture(headpic, 0, Height() - 30); }

int MainWindow::idLabelLeft() const { return IDcanvas->x(); }
int MainWindow::idLabelTop() const { return IDcanvas->y(); }
void MainWindow::setIdLabelWidth(int w) { IDcanvas->setControlWidth(w); }
void MainWindow::refreshIdLabel() { IDcanvas->Refresh(false); }

void MainWindow::narrWinJump()
{
    if (narrWinJumpHook) narrWinJumpHook();
}

void MainWindow::layersWaiting()
{
    // After the new map is painted, when nothing else waits.
    if (layersDue_) return;
    layersDue_ = true;
    QTimer::singleShot(0, this, [this] {
        layersDue_ = false;
        app_.engine().completeLayers();
    });
}

void MainWindow::setVisibleMapBox(int x1, int y1, int x2, int y2)
{
    // The first reference makes the dialog, hidden.
    OptionsDialog* d = dlg_ ? dlg_ : app_.optionsDialog();
    if (d) d->setVisibleMapBox(x1, y1, x2, y2);
}

}  // namespace quil2a
