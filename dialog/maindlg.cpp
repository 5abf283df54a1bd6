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

#include "dialog/thumbmap.h"
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

    StaticText1 = placed(new QLabel(this), "StaticText1", 20, 8, 100, 20);
    StaticText2 = placed(new QLabel(this), "StaticText2", 20, 35, 71, 20);
    StaticText3 = placed(new QLabel(this), "StaticText3", 239, 80, 47, 20);
    Separator2 = separator(this, "Separator2", 351, 14, 12, 408, true);

    PushButton2 = placed(new QPushButton(this), "PushButton2", 238, 100, 110, 22);
    connect(PushButton2, &QPushButton::clicked, this, [this] { PushButton2_Action(); });
    PushButton3 = placed(new QPushButton(this), "PushButton3", 238, 130, 110, 22);
    connect(PushButton3, &QPushButton::clicked, this, [this] { PushButton3_Action(); });

    // The resolution buttons sit in a canvas of their own: window (490, 42) is its (6, 7).
    Canvas1 = placed(new QWidget(this), "Canvas1", 484, 35, 120, 88);
    res1 = placed(new QRadioButton(Canvas1), "res1", 6, 7, 109, 20);
    res1->setChecked(true);
    connect(res1, &QRadioButton::clicked, this, [this] { res1_Action(); });
    res2 = placed(new QRadioButton(Canvas1), "res2", 6, 32, 109, 20);
    connect(res2, &QRadioButton::clicked, this, [this] { res2_Action(); });
    res3 = placed(new QRadioButton(Canvas1), "res3", 6, 57, 109, 20);
    connect(res3, &QRadioButton::clicked, this, [this] { res3_Action(); });

    PrintBtn = placed(new QPushButton(this), "PrintBtn", 368, 35, 110, 22);
    connect(PrintBtn, &QPushButton::clicked, this, [this] { PrintBtn_Action(); });
    SaveBtn = placed(new QPushButton(this), "SaveBtn", 368, 65, 110, 22);
    connect(SaveBtn, &QPushButton::clicked, this, [this] { SaveBtn_Action(); });
    StaticText4 = placed(new QLabel(this), "StaticText4", 485, 14, 100, 20);
    ClipBtn = placed(new QPushButton(this), "ClipBtn", 368, 95, 110, 22);
    connect(ClipBtn, &QPushButton::clicked, this, [this] { ClipBtn_Action(); });

    CheckBox1 = placed(new QCheckBox(this), "CheckBox1", 206, 312, 142, 20);
    connect(CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1_Action(); });

    VuReg = placed(new DrawnControl(this), "VuReg", 376, 154, kThumbSize, kThumbSize);
    setBackdrop(kVuReg1);
    VuReg->onPaint = [this](plat::Graphics& g) { VuReg_Paint(g); };
    VuReg->onMouseDown = [this](int x, int y) { return VuReg_MouseDown(x, y); };
    VuReg->onMouseDrag = [this](int x, int y) { VuReg_MouseDrag(x, y); };
    VuReg->onMouseUp = [this](int x, int y) { VuReg_MouseUp(x, y); };

    Separator1 = separator(this, "Separator1", 368, 135, 216, 4, false);

    CheckBox3 = placed(new QCheckBox(this), "CheckBox3", 20, 312, 160, 20);
    connect(CheckBox3, &QCheckBox::clicked, this, [this] { CheckBox3_Action(); });
    CheckBox4 = placed(new QCheckBox(this), "CheckBox4", 20, 339, 160, 20);
    connect(CheckBox4, &QCheckBox::clicked, this, [this] { CheckBox4_Action(); });
    CheckBox5 = placed(new QCheckBox(this), "CheckBox5", 20, 366, 160, 20);
    connect(CheckBox5, &QCheckBox::clicked, this, [this] { CheckBox5_Action(); });
    CheckBox6 = placed(new QCheckBox(this), "CheckBox6", 20, 393, 160, 20);
    connect(CheckBox6, &QCheckBox::clicked, this, [this] { CheckBox6_Action(); });

    // The region and scheme popups act on a person's choice only: rows set by
    // code (at open, or to follow a command link) run nothing.
    SelectReg = placed(new QComboBox(this), "SelectReg", 389, 365, 175, 20);
    connect(SelectReg, &QComboBox::activated, this, [this](int) { SelectReg_Change(); });

    StaticText6 = placed(new QLabel(this), "StaticText6", 20, 164, 139, 20);
    Separator3 = separator(this, "Separator3", 20, 296, 328, 11, false);
    PriDates = placed(new QLabel(this), "PriDates", 127, 164, 100, 20);
    QFont bold = PriDates->font();
    bold.setBold(true);
    PriDates->setFont(bold);

    PopupArrow1 = placed(new PopupArrow(this), "PopupArrow1", 103, 42, 10, 10);
    PopupArrow1->onMouseDown = [this](int x, int y) { return PopupArrow1_MouseDown(x, y); };
    PopupArrow1->onMouseUp = [this](int x, int y) { PopupArrow1_MouseUp(x, y); };

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
    StaticText1->setText(text(2));
    Qtype->clear();
    for (int n : {3, 4, 5}) Qtype->addItem(text(n));
    StaticText2->setText(text(6));
    QSortOrder->clear();
    for (int n : {7, 8}) QSortOrder->addItem(text(n));
    StaticText3->setText(text(9));
    PushButton2->setText(text(10));
    PushButton3->setText(text(11));
    StaticText6->setText(text(12));
    CheckBox3->setText(text(13));
    CheckBox4->setText(text(14));
    CheckBox5->setText(text(15));
    CheckBox6->setText(text(16));
    PrintBtn->setText(text(17));
    SaveBtn->setText(text(18));
    ClipBtn->setText(text(19));
    StaticText4->setText(text(20));
    res1->setText(text(21));
    res2->setText(text(22));
    res3->setText(text(23));
    CheckBox1->setText(text(25));

    const int design = TextSize(CheckBox1);
    const int ts = design - 2 - a_.lang().dialogTextLess;
    if (ts != design) {
        for (QWidget* w : std::initializer_list<QWidget*>{StaticText1, StaticText2, StaticText3, StaticText4, StaticText6,
                                                          Qtype, QSortOrder, QListBox, PushButton2, PushButton3, PriDates,
                                                          CheckBox1, CheckBox3, CheckBox4, CheckBox5, CheckBox6, PrintBtn,
                                                          SaveBtn, ClipBtn, res1, res2, res3, SelectReg, SelectCS})
            setTextSize(w, ts);
    }

    CheckBox1->setChecked(links_.fullScreen ? links_.fullScreen() : false);
    CheckBox3->setChecked(m_.countrynameson);
    CheckBox4->setChecked(m_.citieson);
    CheckBox5->setChecked(m_.citynameson);
    CheckBox6->setChecked(m_.headlineson);

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

void MainDlg::CheckBox3_Action() { engine_.setShown(MapEngine::Shown::CountryNames, CheckBox3->isChecked()); }

void MainDlg::CheckBox4_Action()
{
    engine_.setShown(MapEngine::Shown::Cities, CheckBox4->isChecked());
    CheckBox5->setEnabled(m_.citieson);
}

void MainDlg::CheckBox5_Action() { engine_.setShown(MapEngine::Shown::CityNames, CheckBox5->isChecked()); }

void MainDlg::CheckBox6_Action() { engine_.setShown(MapEngine::Shown::Headlines, CheckBox6->isChecked()); }

void MainDlg::CheckBox1_Action()
{
    if (CheckBox1->isChecked()) {
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
    if (!CheckBox1->isChecked()) return;
    CheckBox1->setChecked(false);
    CheckBox1_Action();
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
