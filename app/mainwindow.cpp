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
#include <cmath>

#include "app/application.h"
#include "app/editdate.h"
#include "app/settings.h"
#include "dialog/maindlg.h"
#include "platform/clock.h"
#include "platform/codepage.h"
#include "platform/msgbox.h"

namespace quil2a {

MainWindow::MainWindow(App& app) : QMainWindow(nullptr), app_(app)
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

    NewEditDate = new EditDateClass(*this, surface_);
    place(NewEditDate, 21, 14, 60, 22, "");
    NewEditDate->onMouseEnter = [this] { NewEditDate->setMouseCursor(Qt::IBeamCursor); };
    NewEditDate->onMouseExit = [this] { NewEditDate->setMouseCursor(Qt::ArrowCursor); };

    TimeCtl = makeCanvas("TimeCtl", 120, 14, 101, 25, "LT");
    drawnControl(TimeCtl);
    TimeCtl->onPaint = [this](plat::Graphics& g) { TimeCtl_Paint(g); };
    TimeCtl->onMouseDown = [this](int x, int y) { return TimeCtl_MouseDown(x, y); };
    TimeCtl->onMouseUp = [this](int x, int y) { TimeCtl_MouseUp(x, y); };

    ZoomCtl = makeCanvas("ZoomCtl", 358, 14, 98, 25, "TR");
    drawnControl(ZoomCtl);
    ZoomCtl->onPaint = [this](plat::Graphics& g) { ZoomCtl_Paint(g); };
    ZoomCtl->onMouseDown = [this](int x, int y) { return ZoomCtl_MouseDown(x, y); };
    ZoomCtl->onMouseUp = [this](int x, int y) { ZoomCtl_MouseUp(x, y); };

    roller = makeCanvas("roller", 469, 0, 54, 54, "TR");
    drawnControl(roller);
    roller->setBackdrop(app_.pictures().btn0f());
    roller->onMouseDown = [this](int x, int y) { return roller_MouseDown(x, y); };
    roller->onMouseDrag = [this](int x, int y) { roller_MouseDrag(x, y); };
    roller->onMouseUp = [this](int x, int y) { roller_MouseUp(x, y); };
    // Drags keep coming while the pointer rests in the roller.
    roller->dragRepeatMs = 20;

    IncDecCtl = makeCanvas("IncDecCtl", 10, 18, 11, 17, "");
    drawnControl(IncDecCtl);
    IncDecCtl->onPaint = [this](plat::Graphics& g) { IncDecCtl_Paint(g); };
    IncDecCtl->onMouseDown = [this](int x, int y) { return IncDecCtl_MouseDown(x, y); };
    IncDecCtl->onMouseUp = [this](int x, int y) { IncDecCtl_MouseUp(x, y); };

    SwapCtl = makeCanvas("SwapCtl", 36, 39, 28, 14, "");
    drawnControl(SwapCtl);
    SwapCtl->onPaint = [this](plat::Graphics& g) { SwapCtl_Paint(g); };
    SwapCtl->onMouseDown = [this](int x, int y) { return SwapCtl_MouseDown(x, y); };
    SwapCtl->onMouseUp = [this](int x, int y) { SwapCtl_MouseUp(x, y); };

    // The hidden developer row.
    EditingMenu = new QComboBox(surface_);
    EditingMenu->setObjectName(QStringLiteral("EditingMenu"));
    for (const char* row : {"mNormal", "mDrag", "mZoom", "3", "4", "5 -these-", "6 -reserved-", "7 -for later-", "8", "9",
                            "SelectingBorder", "EditingBorder", "SelectingPaints", "EditingPaints", "SelectingGeo",
                            "EditingGeo"})
        EditingMenu->addItem(QString::fromLatin1(row));
    EditingMenu->setCurrentIndex(0);
    place(EditingMenu, 71, 337, 120, 19, "LB");
    EditingMenu->hide();
    CheckBox1 = new QCheckBox(QStringLiteral("cia"), surface_);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    place(CheckBox1, 209, 338, 35, 18, "LB");
    CheckBox1->hide();
    SaveBtn = new QPushButton(QStringLiteral("---"), surface_);
    SaveBtn->setObjectName(QStringLiteral("SaveBtn"));
    SaveBtn->setFocusPolicy(Qt::NoFocus);
    place(SaveBtn, 21, 339, 32, 17, "LB");
    SaveBtn->hide();
    StaticText1 = new QLabel(surface_);
    StaticText1->setObjectName(QStringLiteral("StaticText1"));
    place(StaticText1, 256, 339, 246, 14, "LRB");
    StaticText1->hide();

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

    JmpBtn = makeCanvas("JmpBtn", 88, 14, 20, 12, "");
    drawnControl(JmpBtn);
    JmpBtn->onPaint = [this](plat::Graphics& g) { JmpBtn_Paint(g); };
    JmpBtn->onMouseDown = [this](int x, int y) { return JmpBtn_MouseDown(x, y); };
    JmpBtn->onMouseUp = [this](int x, int y) { JmpBtn_MouseUp(x, y); };

    GoBtn = makeCanvas("GoBtn", 88, 26, 20, 12, "");
    drawnControl(GoBtn);
    GoBtn->onPaint = [this](plat::Graphics& g) { GoBtn_Paint(g); };
    GoBtn->onMouseDown = [this](int x, int y) { return GoBtn_MouseDown(x, y); };
    GoBtn->onMouseUp = [this](int x, int y) { GoBtn_MouseUp(x, y); };

    DlgB = makeCanvas("DlgB", 330, 26, 16, 12, "TR");
    drawnControl(DlgB);
    NarrB = makeCanvas("NarrB", 330, 14, 16, 12, "TR");
    drawnControl(NarrB);

    IDcanvas = makeCanvas("IDcanvas", 244, 54, 100, 18, "");
    IDcanvas->onPaint = [this](plat::Graphics& g) { IDcanvas_Paint(g); };
    IDcanvas->onMouseDown = [this](int x, int y) { return IDcanvas_MouseDown(x, y); };
    IDcanvas->onMouseUp = [this](int x, int y) { IDcanvas_MouseUp(x, y); };

    // Edge strips: they draw nothing; full screen gives them their cursors.
    topedge = makeCanvas("topedge", 0, 0, 523, 3, "LTR");
    leftedge = makeCanvas("leftedge", 0, 3, 3, 355, "LTB");
    rightedge = makeCanvas("rightedge", 521, 3, 3, 355, "TRB");
    lowedge = makeCanvas("lowedge", 0, 358, 523, 3, "LRB");
    for (Canvas* edge : {topedge, leftedge, rightedge, lowedge}) {
        edge->eraseBackground = false;
        const Qt::CursorShape shape = (edge == topedge || edge == lowedge) ? Qt::SizeVerCursor : Qt::SizeHorCursor;
        edge->onMouseEnter = [this, edge, shape] {
            if (app_.shell().FullScreen) edge->setMouseCursor(shape);
        };
        edge->onMouseExit = [edge] { edge->setMouseCursor(Qt::ArrowCursor); };
    }

    HelpB = makeCanvas("HelpB", 313, 19, 16, 13, "TR");
    drawnControl(HelpB);
    HelpB->acceptFocus = false;

    wireWindowButtons();
    wireEdgeStrips();
    wireEditingRow();

    Microseconds = [] { return plat::Microseconds(); };
    asyncModifiers = [] { return QGuiApplication::queryKeyboardModifiers(); };
}

MainWindow::~MainWindow() = default;

Canvas* MainWindow::makeCanvas(const char* name, int left, int top, int width, int height, const char* locks)
{
    auto* c = new Canvas(surface_, QString::fromLatin1(name));
    place(c, left, top, width, height, locks);
    return c;
}

void MainWindow::place(QWidget* w, int left, int top, int width, int height, const char* locks)
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

void MainWindow::drawnControl(Canvas* c)
{
    c->acceptFocus = true;
    c->eraseBackground = true;
    c->onMouseEnter = [c] { c->setMouseCursor(Qt::PointingHandCursor); };
    c->onMouseExit = [c] { c->setMouseCursor(Qt::ArrowCursor); };
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
    MapState& m = app_.state();
    ShellState& s = app_.shell();
    Atlas& a = app_.atlas();

    NewEditDate->Open();

    s.scalestep = 0.8;
    m.scale = std::pow(s.scalestep, s.scaleindex);
    s.minscale = 0.0075;
    s.maxscale = 0.25;

    setControlBounds(ZoomCtl, ZoomCtl->x(), ZoomCtl->y(), 68, ZoomCtl->height());
    setControlBounds(StaticText1, StaticText1->x(), StaticText1->y(), 0, StaticText1->height());

    EvoTimer.setMode(0);
    EvoTimer.setPeriod(1);

    m.speedi = 4;
    s.ctlgrey1 = plat::RGB(192, 192, 192);
    s.ctlgrey2 = plat::RGB(253, 253, 253);
    s.ctldarkred = plat::RGB(64, 32, 32);
    m.ctlbackcolor = plat::RGB(16, 16, 16);

    NewEditDate->BackColor = m.ctlbackcolor;
    NewEditDate->TextColor = s.ctlgrey2;

    m.countrynameson = m.citieson = m.citynameson = m.headlineson = m.borderext = true;

    const int lo = plat::Red(m.ctlbackcolor), hi = plat::Red(s.ctlgrey2), n = a.headcolor.ubound();
    for (int i = 1; i <= n; ++i) {
        const int v = lo + plat::Int(plat::Round(static_cast<double>(i) / n * (hi - lo)));
        a.headcolor[i] = plat::RGB(v, v, v);
    }

    IDcanvas->setControlWidth(0);

    const QSize screen = app_.screenSize();
    m.makePictures(screen.width(), screen.height());

    if (QScreen* primary = QGuiApplication::primaryScreen()) move(primary->availableGeometry().topLeft());
    setWindowSize(static_cast<int>(screen.width() * 0.6), static_cast<int>(screen.height() * 0.8));

    m.xc = MapCanvas->width() / 2.0;
    m.yc = MapCanvas->height() / 2.0;

    plat::Graphics& g = MapCanvas->graphics();
    g.SetForeColor(a.watercolor);
    g.FillRect(0, 0, MapCanvas->width(), MapCanvas->height());

    m.NarrWinOpen = true;

    if (NarrativeWindow* narr = app_.NarrWin()) {
        const int top = static_cast<int>(Top() + Height() * 0.05);
        const int width = static_cast<int>(screen.width() * 0.35);
        const int height = static_cast<int>(Height() * 0.85);
        const int left = Left() + Width() + 10;
        narr->setGeometry(left, top, width, height);
    }

    app_.engine().jumptodate();
    app_.engine().displaymap(*m.p, true);

    setFocusControl(MapCanvas);
    allowresize = true;
}

void MainWindow::Resized()
{
    if (!allowresize) return;
    MapState& m = app_.state();
    IDcanvas->setControlWidth(0);
    m.xc = MapCanvas->width() / 2.0;
    m.yc = MapCanvas->height() / 2.0;
    if (m.p) app_.engine().displaymap(*m.p, true);
    Refresh(false);
}

void MainWindow::Paint(plat::Graphics& g)
{
    g.SetForeColor(app_.state().ctlbackcolor);
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
    if (!SaveSettings(app_.state(), &why))
        plat::MsgBox(settingsNotSavedMessage(settingsFilePath(), why, app_.atlas().textCodePage()));
    if (app_.quit) app_.quit();
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

// Control strip and identification label.

void MainWindow::CtlCanvas_Paint(plat::Graphics& g)
{
    g.SetForeColor(app_.state().ctlbackcolor);
    g.FillRect(0, 0, Width(), Height());
}

bool MainWindow::CtlCanvas_MouseDown(int, int) { return false; }

void MainWindow::IDcanvas_Paint(plat::Graphics& g)
{
    if (const auto& pic = app_.state().IDpic) g.DrawPicture(*pic, 0, 0);
}

bool MainWindow::IDcanvas_MouseDown(int, int) { return true; }

void MainWindow::IDcanvas_MouseUp(int, int) { app_.state().IDfadeout = 7; }

void MainWindow::MapCanvas_Paint(plat::Graphics& g)
{
    if (const auto& p = app_.state().p) g.DrawPicture(*p, -20, -20);
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

void MainWindow::drawMapCanvas(const plat::Picture& p)
{
    MapCanvas->graphics().DrawPicture(p, -20, -20);
    mapShown_ = {p.serial(), p.version(), MapCanvas->picture().serial(), MapCanvas->picture().version()};
}

void MainWindow::drawMapCanvasRects(const plat::Picture& p, const std::vector<QRect>& rects, uint64_t since)
{
    // Only when the canvas still shows that version of p and nothing else.
    const MapShown now{p.serial(), since, MapCanvas->picture().serial(), MapCanvas->picture().version()};
    if (!(now == mapShown_)) {
        drawMapCanvas(p);
        return;
    }
    MapCanvas->copyParts(p, -20, -20, rects);
    mapShown_ = {p.serial(), p.version(), MapCanvas->picture().serial(), MapCanvas->picture().version()};
}

void MainWindow::refreshMainWindow() { Refresh(false); }

void MainWindow::drawHeadStrip(const plat::Picture& headpic) { surface_->graphics().DrawPicture(headpic, 0, Height() - 30); }

int MainWindow::idLabelLeft() const { return IDcanvas->x(); }
int MainWindow::idLabelTop() const { return IDcanvas->y(); }
void MainWindow::setIdLabelWidth(int w) { IDcanvas->setControlWidth(w); }
void MainWindow::refreshIdLabel() { IDcanvas->Refresh(false); }

void MainWindow::narrWinJump()
{
    if (narrWinJumpHook) narrWinJumpHook();
}

void MainWindow::narrWinUpdate(const plat::Bytes& pageAndAnchor)
{
    if (narr_) narr_->Update(pageAndAnchor);
}

void MainWindow::setVisibleMapBox(int x1, int y1, int x2, int y2)
{
    // The first reference makes the dialog, hidden.
    OptionsDialog* d = dlg_ ? dlg_ : app_.Dlg();
    if (d) d->setVisibleMapBox(x1, y1, x2, y2);
}

}  // namespace quil2a
