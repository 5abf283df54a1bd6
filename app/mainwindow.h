// The main window: the map canvas under a dark strip of drawn controls (date
// field, time transport, date buttons, zoom gauge, window buttons), the pan
// roller, the edge strips, the identification label and the two timers. Each
// drawn control is a class of its own (stripcontrols.h, editdate.h); the
// window makes, places and lays them out, owns the map canvas, the timers and
// the keys. It is the engine's host (the engine reaches the windows only
// through it) and its controls' host (they reach nothing else); it asks the
// application for the rest through AppServices.
#pragma once

#include <QMainWindow>
#include <cstdint>
#include <functional>
#include <vector>

#include "app/appservices.h"
#include "app/controlhost.h"
#include "app/cursors.h"
#include "app/timer.h"
#include "dialog/options.h"
#include "engine/host.h"
#include "hypertext/narrative.h"
#include "widgets/canvas.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace quil2a {

class DateArrow;
class DateStep;
class DateSwap;
class EdgeStrip;
class EditDateClass;
class Roller;
class TimeTransport;
class WindowButton;
class ZoomGauge;

class MainWindow : public QMainWindow, public EngineHost, public ControlHost {
    Q_OBJECT
public:
    explicit MainWindow(AppServices& app);
    ~MainWindow() override;

    // Window events.
    void Open();
    void Resized();
    void Paint(plat::Graphics& g);
    void Close();
    // Key commands of the window, after the focused control refused the key.
    bool KeyDown(const plat::Bytes& key);
    // Key texts of the zoom keys (Page Up, Page Down) and of help (F1, Help).
    static constexpr int kZoomInKey = 203, kZoomOutKey = 204, kHelpKey = 5;

    // The window's inner size and place, as the controls' coordinates see them.
    int Width() const override { return w_; }
    int Height() const override { return h_; }
    int Left() const;
    int Top() const;
    void setWindowSize(int w, int h);
    // Repaints the window and its controls; erase fills with the back colour first.
    void Refresh(bool erase = false);
    // The window's own surface (margins, headline strip).
    Canvas& surface() override { return *surface_; }

    // Keyboard focus among the controls; null is the window itself.
    void setFocusControl(Canvas* c) override;
    Canvas* focusControl() const { return focus_; }
    // Bounds in window coordinates; the lock distances follow the new bounds.
    void setControlBounds(QWidget* w, int left, int top, int width, int height);

    // Controls, in creation order.
    Canvas* CtlCanvas = nullptr;
    EditDateClass* NewEditDate = nullptr;
    TimeTransport* TimeCtl = nullptr;
    ZoomGauge* ZoomCtl = nullptr;
    Roller* roller = nullptr;
    DateStep* IncDecCtl = nullptr;
    DateSwap* SwapCtl = nullptr;
    // The hidden developer row: the map's mouse mode, a flag nothing reads
    // (showciamap), a button that does nothing and an empty label.
    QComboBox* EditingMenu = nullptr;
    QCheckBox* CiaMapBox = nullptr;
    QPushButton* DevButton = nullptr;
    QLabel* DevLabel = nullptr;
    Timer OtherTimer;
    Timer EvoTimer;
    Canvas* MapCanvas = nullptr;
    DateArrow* JmpBtn = nullptr;
    DateArrow* GoBtn = nullptr;
    WindowButton* DlgB = nullptr;
    WindowButton* NarrB = nullptr;
    Canvas* IDcanvas = nullptr;
    EdgeStrip* topedge = nullptr;
    EdgeStrip* leftedge = nullptr;
    EdgeStrip* rightedge = nullptr;
    EdgeStrip* lowedge = nullptr;
    WindowButton* HelpB = nullptr;

    // Window properties (the roller's and the zoom gauge's are theirs).
    int32_t lastdragx = 0, lastdragy = 0;
    double lastclicktime = 0;
    bool resetmouse = false;
    bool allowresize = false;

    // Control strip, identification label, map canvas.
    void CtlCanvas_Paint(plat::Graphics& g);
    bool CtlCanvas_MouseDown(int x, int y);
    void IDcanvas_Paint(plat::Graphics& g);
    bool IDcanvas_MouseDown(int x, int y);
    void IDcanvas_MouseUp(int x, int y);
    void MapCanvas_Paint(plat::Graphics& g);
    bool MapCanvas_MouseDown(int x, int y);
    void MapCanvas_MouseDrag(int x, int y);
    void MapCanvas_MouseUp(int x, int y);
    bool MapCanvas_MouseWheel(int x, int y, int deltaX, int deltaY);

    // The one zoom step of keys, menu and Control-click (direction below 0 zooms in).
    void setzoom(int32_t direction);
    // p shown in the map canvas with its top left at (ox, oy), the uncovered strips blank.
    void showShiftedMap(int ox, int oy) override;

    // The text the identification label shows (set by the identification click).
    plat::Bytes IDlabelText;
    // The cursor the map canvas was last given.
    MapCursor mapCursor() const { return mapCursor_; }
    void setMapCursor(MapCursor c);
    // The microsecond clock and the modifier keys held right now; tests replace them.
    std::function<double()> Microseconds;
    std::function<Qt::KeyboardModifiers()> asyncModifiers;

    // The animation tick and the interface timer's.
    void EvoTimer_Action();
    void OtherTimer_Action();
    bool inTick() const { return inTick_; }
    // The help page in the narrative window (the help key and button).
    void showHelp() override;

    // The hidden developer row: mouse mode, a flag nothing reads, an idle button.
    void EditingMenu_Change();
    void CiaMapBox_Action();
    void DevButton_Action();

    // The other windows, when they exist.
    void setNarrativeWindow(NarrativeWindow* w) { narr_ = w; }
    NarrativeWindow* narrativeWindow() const { return narr_; }
    void setOptionsDialog(OptionsDialog* d) { dlg_ = d; }
    OptionsDialog* optionsDialog() const { return dlg_; }
    // Shows the narrative page for the date shown (set by the narrative's builder).
    std::function<void()> narrWinJumpHook;

    // ControlHost.
    MapEngine& engine() override;
    const MapState& map() const override;
    const Atlas& atlas() const override;
    ShellState& shell() override;
    StoredPictures& pictures() override;
    void focusMap() override;
    void refreshControls() override;
    Timer& animationTimer() override;
    void showTransport() override;
    plat::Bytes typedDate() const override;
    double microseconds() override;
    void openOptions() override;
    void openNarrative() override;
    void leaveFullScreen() override;

    // EngineHost.
    void setDateFieldText(const plat::Bytes& text) override;
    int mapCanvasWidth() const override;
    int mapCanvasHeight() const override;
    void drawMapCanvas(const plat::Picture& p) override;
    void drawMapCanvasRects(const plat::Picture& p, const std::vector<QRect>& rects) override;
    void refreshMainWindow() override;
    void viewChanged() override;
    void drawHeadStrip(const plat::Picture& headpic) override;
    int idLabelLeft() const override;
    int idLabelTop() const override;
    void setIdLabelWidth(int w) override;
    void refreshIdLabel() override;
    void narrWinJump() override;
    void setVisibleMapBox(int x1, int y1, int x2, int y2) override;
    void layersWaiting() override;

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    struct Placed {
        QWidget* w;
        bool lockLeft, lockTop, lockRight, lockBottom;
        int rightDist, bottomDist;
    };
    Canvas* makeCanvas(const char* name, int left, int top, int width, int height, const char* locks);
    template <class W>
    W* place(W* w, int left, int top, int width, int height, const char* locks)
    {
        placeWidget(w, left, top, width, height, locks);
        return w;
    }
    void placeWidget(QWidget* w, int left, int top, int width, int height, const char* locks);
    void layoutControls();
    void surfaceResized(int w, int h);
    void wireEditingRow();
    // A date key: one step, or only the date shown again at a range end.
    void stepKey(int dir);
    // The map click: zoom about the point, pan start, identification (picture point X, Y).
    void zoomClick(int X, int Y, bool out);
    void identify(int X, int Y);
    void showIdLabel(const plat::Bytes& label, int X, int Y);

    AppServices& app_;
    Canvas* surface_ = nullptr;
    std::vector<Placed> placed_;
    int w_ = 523, h_ = 361;
    Canvas* focus_ = nullptr;
    NarrativeWindow* narr_ = nullptr;
    OptionsDialog* dlg_ = nullptr;
    bool inTick_ = false;
    bool dateFieldDue_ = false;
    bool layersDue_ = false;
    bool closing_ = false;
    MapCursor mapCursor_ = MapCursor::StandardPointer;
};

}  // namespace quil2a
