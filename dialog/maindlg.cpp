#include "dialog/maindlg.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>

#include "engine/thumbmap.h"
#include "platform/codepage.h"

namespace quil2a {

namespace {
constexpr int kDesignTextSize = 12;

template <class W>
W* placed(W* w, const char* name, int left, int top, int width, int height)
{
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(left, top, width, height);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(kDesignTextSize);
    w->setFont(f);
    return w;
}

QFrame* separator(QWidget* parent, const char* name, int left, int top, int width, int height, bool vertical)
{
    auto* f = placed(new QFrame(parent), name, left, top, width, height);
    f->setFrameShape(vertical ? QFrame::VLine : QFrame::HLine);
    f->setFrameShadow(QFrame::Sunken);
    return f;
}

void setTextSize(QWidget* w, int size)
{
    QFont f = w->font();
    f.setPixelSize(size);
    w->setFont(f);
}

// The row that shows a scheme (1 and 3 are coloured like 2 and 4); -1 for none.
int schemeRow(ColorScheme scheme)
{
    const SchemeInfo* s = schemeInfo(scheme);
    return s ? s->dialogRow : -1;
}
}  // namespace

MainDlg::MainDlg(Atlas& atlas, const MapState& state, MapEngine& engine, EngineHost& host, DialogLinks links)
    : QWidget(nullptr, Qt::Window), a_(atlas), m_(state), engine_(engine), host_(host), links_(std::move(links))
{
    setObjectName(QStringLiteral("MainDlg"));
    setWindowTitle(QStringLiteral("Quillmere"));
    setMinimumSize(64, 64);
    setMaximumSize(32000, 32000);
    resize(601, 436);
    // In the middle of the main screen.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect r(QPoint(0, 0), size());
        r.moveCenter(screen->availableGeometry().center());
        move(r.topLeft());
    }
    createControls();
    Open();
}

MainDlg::~MainDlg()
{
    // The controls go after this object's own parts: they must call nothing back.
    for (QObject* c : children()) c->blockSignals(true);
}

void MainDlg::createControls()
{
    QListBox = placed(new QListWidget(this), "QListBox", 20, 67, 207, 95);
    QListBox->setSelectionMode(QAbstractItemView::SingleSelection);
    QListBox->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QListBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QListBox->setStyleSheet(QStringLiteral("QListWidget::item { border-bottom: 1px solid #d8d8d8; }"
                                           "QListWidget::item:selected { background: palette(highlight);"
                                           " color: palette(highlighted-text); }"));
    connect(QListBox, &QListWidget::itemSelectionChanged, this, [this] { QListBox_Change(); });

    Qtype = placed(new QComboBox(this), "Qtype", 118, 8, 109, 20);
    connect(Qtype, &QComboBox::activated, this, [this](int) { Qtype_Change(); });
    QSortOrder = placed(new QComboBox(this), "QSortOrder", 118, 35, 109, 20);
    connect(QSortOrder, &QComboBox::activated, this, [this](int) { QSortOrder_Change(); });

    QHTML = placed(new HTMLvu(a_, this), "QHTML", 20, 185, 312, 100);
    QHTML->normalcolor = 0x000000;
    QHTML->linkcolor = 0x000000;
    // The viewer's open event.
    showPage("<html><body bgcolor='#ffffff'><br>");

    ListLabel = placed(new QLabel(this), "ListLabel", 20, 8, 100, 20);
    SortLabel = placed(new QLabel(this), "SortLabel", 20, 35, 71, 20);
    ShowLabel = placed(new QLabel(this), "ShowLabel", 239, 80, 47, 20);
    Separator2 = separator(this, "Separator2", 351, 14, 12, 408, true);

    ShowPlaceBtn = placed(new QPushButton(this), "ShowPlaceBtn", 238, 100, 110, 22);
    connect(ShowPlaceBtn, &QPushButton::clicked, this, [this] { ShowPlaceBtn_Action(); });
    ShowPlaceAndDateBtn = placed(new QPushButton(this), "ShowPlaceAndDateBtn", 238, 130, 110, 22);
    connect(ShowPlaceAndDateBtn, &QPushButton::clicked, this, [this] { ShowPlaceAndDateBtn_Action(); });

    // The resolution buttons sit in a canvas of their own: window (490, 42) is its (6, 7).
    ResolutionGroup = placed(new QWidget(this), "ResolutionGroup", 484, 35, 120, 88);
    res1 = placed(new QRadioButton(ResolutionGroup), "res1", 6, 7, 109, 20);
    res1->setChecked(true);
    connect(res1, &QRadioButton::clicked, this, [this] { res1_Action(); });
    res2 = placed(new QRadioButton(ResolutionGroup), "res2", 6, 32, 109, 20);
    connect(res2, &QRadioButton::clicked, this, [this] { res2_Action(); });
    res3 = placed(new QRadioButton(ResolutionGroup), "res3", 6, 57, 109, 20);
    connect(res3, &QRadioButton::clicked, this, [this] { res3_Action(); });

    PrintBtn = placed(new QPushButton(this), "PrintBtn", 368, 35, 110, 22);
    connect(PrintBtn, &QPushButton::clicked, this, [this] { PrintBtn_Action(); });
    SaveBtn = placed(new QPushButton(this), "SaveBtn", 368, 65, 110, 22);
    connect(SaveBtn, &QPushButton::clicked, this, [this] { SaveBtn_Action(); });
    ResolutionLabel = placed(new QLabel(this), "ResolutionLabel", 485, 14, 100, 20);
    ClipBtn = placed(new QPushButton(this), "ClipBtn", 368, 95, 110, 22);
    connect(ClipBtn, &QPushButton::clicked, this, [this] { ClipBtn_Action(); });

    FullScreenBox = placed(new QCheckBox(this), "FullScreenBox", 206, 312, 142, 20);
    connect(FullScreenBox, &QCheckBox::clicked, this, [this] { FullScreenBox_Action(); });

    VuReg = placed(new DrawnControl(this), "VuReg", 376, 154, kThumbSize, kThumbSize);
    setBackdrop(kVuReg1);
    VuReg->onPaint = [this](plat::Graphics& g) { VuReg_Paint(g); };
    VuReg->onMouseDown = [this](int x, int y) { return VuReg_MouseDown(x, y); };
    VuReg->onMouseDrag = [this](int x, int y) { VuReg_MouseDrag(x, y); };
    VuReg->onMouseUp = [this](int x, int y) { VuReg_MouseUp(x, y); };

    Separator1 = separator(this, "Separator1", 368, 135, 216, 4, false);

    CountryNamesBox = placed(new QCheckBox(this), "CountryNamesBox", 20, 312, 160, 20);
    connect(CountryNamesBox, &QCheckBox::clicked, this, [this] { CountryNamesBox_Action(); });
    CitiesBox = placed(new QCheckBox(this), "CitiesBox", 20, 339, 160, 20);
    connect(CitiesBox, &QCheckBox::clicked, this, [this] { CitiesBox_Action(); });
    CityNamesBox = placed(new QCheckBox(this), "CityNamesBox", 20, 366, 160, 20);
    connect(CityNamesBox, &QCheckBox::clicked, this, [this] { CityNamesBox_Action(); });
    HeadlinesBox = placed(new QCheckBox(this), "HeadlinesBox", 20, 393, 160, 20);
    connect(HeadlinesBox, &QCheckBox::clicked, this, [this] { HeadlinesBox_Action(); });

    // The region and scheme popups act on a person's choice only: rows set by
    // code (at open, or to follow a command link) run nothing.
    SelectReg = placed(new QComboBox(this), "SelectReg", 389, 365, 175, 20);
    connect(SelectReg, &QComboBox::activated, this, [this](int) { SelectReg_Change(); });

    DatesLabel = placed(new QLabel(this), "DatesLabel", 20, 164, 139, 20);
    Separator3 = separator(this, "Separator3", 20, 296, 328, 11, false);
    PriDates = placed(new QLabel(this), "PriDates", 127, 164, 100, 20);
    QFont bold = PriDates->font();
    bold.setBold(true);
    PriDates->setFont(bold);

    SortArrow = placed(new PopupArrow(this), "SortArrow", 103, 42, 10, 10);
    SortArrow->onMouseDown = [this](int x, int y) { return SortArrow_MouseDown(x, y); };
    SortArrow->onMouseUp = [this](int x, int y) { SortArrow_MouseUp(x, y); };

    QScroll = placed(new QScrollBar(Qt::Vertical, this), "QScroll", 332, 185, 16, 100);
    QScroll->setRange(0, 100);
    QScroll->setValue(0);
    QScroll->setSingleStep(1);
    QScroll->setPageStep(20);
    QScroll->setTracking(false);
    QScroll->setFocusPolicy(Qt::StrongFocus);
    connect(QScroll, &QScrollBar::valueChanged, this, [this](int) { QScroll_ValueChanged(); });

    SelectCS = placed(new QComboBox(this), "SelectCS", 389, 397, 175, 20);
    connect(SelectCS, &QComboBox::activated, this, [this](int) { SelectCS_Change(); });
}

QString MainDlg::text(int n) const { return plat::decode(a_.quilstring[n], a_.textCodePage()); }

void MainDlg::Open()
{
    ListLabel->setText(text(2));
    Qtype->clear();
    for (int n : {3, 4, 5}) Qtype->addItem(text(n));
    SortLabel->setText(text(6));
    QSortOrder->clear();
    for (int n : {7, 8}) QSortOrder->addItem(text(n));
    ShowLabel->setText(text(9));
    ShowPlaceBtn->setText(text(10));
    ShowPlaceAndDateBtn->setText(text(11));
    DatesLabel->setText(text(12));
    CountryNamesBox->setText(text(13));
    CitiesBox->setText(text(14));
    CityNamesBox->setText(text(15));
    HeadlinesBox->setText(text(16));
    PrintBtn->setText(text(17));
    SaveBtn->setText(text(18));
    ClipBtn->setText(text(19));
    ResolutionLabel->setText(text(20));
    res1->setText(text(21));
    res2->setText(text(22));
    res3->setText(text(23));
    FullScreenBox->setText(text(25));

    const int design = TextSize(FullScreenBox);
    const int ts = design - 2 - a_.lang().dialogTextLess;
    if (ts != design) {
        for (QWidget* w : std::initializer_list<QWidget*>{ListLabel, SortLabel, ShowLabel, ResolutionLabel, DatesLabel,
                                                          Qtype, QSortOrder, QListBox, ShowPlaceBtn, ShowPlaceAndDateBtn, PriDates,
                                                          FullScreenBox, CountryNamesBox, CitiesBox, CityNamesBox, HeadlinesBox, PrintBtn,
                                                          SaveBtn, ClipBtn, res1, res2, res3, SelectReg, SelectCS})
            setTextSize(w, ts);
    }

    FullScreenBox->setChecked(links_.fullScreen ? links_.fullScreen() : false);
    CountryNamesBox->setChecked(m_.countrynameson);
    CitiesBox->setChecked(m_.citieson);
    CityNamesBox->setChecked(m_.citynameson);
    HeadlinesBox->setChecked(m_.headlineson);

    {
        const QSignalBlocker regions(SelectReg), schemes(SelectCS);
        for (int i = 0; i <= a_.vregname.ubound() && !a_.vregname[i].empty(); ++i)
            SelectReg->addItem(plat::decode(a_.vregname[i], a_.textCodePage()));
        for (const SchemeRow& r : kSchemeRows) SelectCS->addItem(text(r.caption));
        SelectReg->setCurrentIndex(0);

        if (const SchemeInfo* s = schemeInfo(a_.colorscheme)) {
            setBackdrop(s->openThumbnail);
            SelectCS->setCurrentIndex(s->dialogRow);
        }
    }

    Qtype->setCurrentIndex(2);
    QSortOrder->setCurrentIndex(1);
    FillQListBox();
    DoQListSort();
    setListIndex(0);
}

int MainDlg::TextSize(const QWidget* w) { return w->font().pixelSize(); }

void MainDlg::setBackdrop(int resource)
{
    VuReg->setBackdrop(links_.storedPicture ? links_.storedPicture(resource) : nullptr);
}

// Lifecycle.

void MainDlg::Show() { show(); }
void MainDlg::Hide() { hide(); }

void MainDlg::SetFocus()
{
    raise();
    activateWindow();
}

void MainDlg::Close() { close(); }

void MainDlg::closeEvent(QCloseEvent* e)
{
    e->accept();
    if (closed_) return;
    closed_ = true;
    hide();
    if (links_.onClosed) links_.onClosed();
}

void MainDlg::setVisibleMapBox(int x1, int y1, int x2, int y2)
{
    vmx1 = x1;
    vmy1 = y1;
    vmx2 = x2;
    vmy2 = y2;
    followScheme();
    VuReg->Refresh(true);
}

// Display options and full screen.

void MainDlg::CountryNamesBox_Action() { engine_.setShown(MapEngine::Shown::CountryNames, CountryNamesBox->isChecked()); }

void MainDlg::CitiesBox_Action()
{
    engine_.setShown(MapEngine::Shown::Cities, CitiesBox->isChecked());
    CityNamesBox->setEnabled(m_.citieson);
}

void MainDlg::CityNamesBox_Action() { engine_.setShown(MapEngine::Shown::CityNames, CityNamesBox->isChecked()); }

void MainDlg::HeadlinesBox_Action() { engine_.setShown(MapEngine::Shown::Headlines, HeadlinesBox->isChecked()); }

void MainDlg::FullScreenBox_Action()
{
    if (FullScreenBox->isChecked()) {
        if (links_.setFullScreen) links_.setFullScreen(true);
        if (links_.hideNarrative) links_.hideNarrative();
        engine_.setNarrativeFollows(false);
        Hide();
        if (links_.setMenuBarVisible) links_.setMenuBarVisible(false);
    } else {
        if (links_.setFullScreen) links_.setFullScreen(false);
        if (links_.setMenuBarVisible) links_.setMenuBarVisible(true);
    }
}

void MainDlg::SaveMap(int32_t mode)
{
    ExportHooks defaults;
    MapExport ex(engine_, links_.exportHooks ? *links_.exportHooks : defaults);
    ex.SaveMap(mode, resolution, host_.mapCanvasWidth(), host_.mapCanvasHeight());
    if (ex.wid > 0) {
        wid = ex.wid;
        ht = ex.ht;
    }
}

void MainDlg::fullScreenEnded()
{
    if (!FullScreenBox->isChecked()) return;
    FullScreenBox->setChecked(false);
    FullScreenBox_Action();
}

// Colour schemes.

void MainDlg::SelectCS_Change()
{
    const int row = SelectCS->currentIndex();
    ColorScheme scheme = a_.colorscheme;
    if (row >= 0 && row < kSchemeRowCount) {
        setBackdrop(kSchemeRows[row].thumbnail);
        scheme = kSchemeRows[row].scheme;
    }
    engine_.setScheme(scheme);
}

void MainDlg::followScheme()
{
    const int row = schemeRow(a_.colorscheme);
    if (row < 0 || row == SelectCS->currentIndex()) return;
    const QSignalBlocker quiet(SelectCS);
    SelectCS->setCurrentIndex(row);
    setBackdrop(kSchemeRows[row].thumbnail);
}

}  // namespace quil2a
