#include "hypertext/narrwin.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QStyleOptionSlider>
#include <QResizeEvent>
#include <algorithm>

#include "atlasdata/content.h"
#include "platform/codepage.h"
#include "platform/msgbox.h"
#include "platform/text.h"

namespace quil2a {

void NarrScrollBar::paintEvent(QPaintEvent* e)
{
    // Under the mouse or held, the bar draws itself (it alone knows the part
    // that is hovered or pressed).
    if (underMouse() || isSliderDown() || QGuiApplication::mouseButtons() != Qt::NoButton) {
        QScrollBar::paintEvent(e);
        return;
    }
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    opt.activeSubControls = QStyle::SC_None;
    QStyle* st = style();
    const qint64 colours = palette().cacheKey();
    if (groove_.size() != size() || grooveState_ != opt.state || grooveColours_ != colours || grooveStyle_ != st) {
        groove_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
        groove_.fill(Qt::transparent);
        QStyleOptionSlider g = opt;
        g.subControls = QStyle::SC_ScrollBarGroove;
        QPainter gp(&groove_);
        st->drawComplexControl(QStyle::CC_ScrollBar, &g, &gp, this);
        grooveState_ = opt.state;
        grooveColours_ = colours;
        grooveStyle_ = st;
    }
    // The other parts are kept too: a new value draws again only the bands
    // of rows where the slider was and is, and the arrows when the value
    // reaches or leaves an end.
    opt.subControls = QStyle::SubControls(QStyle::SC_All) & ~QStyle::SubControls(QStyle::SC_ScrollBarGroove);
    const QStyleOptionSlider& was = partsFor_;
    const bool same = parts_.size() == size() && partsStyle_ == st && partsColours_ == colours && was.state == opt.state &&
                      was.rect == opt.rect && was.minimum == opt.minimum && was.maximum == opt.maximum &&
                      was.pageStep == opt.pageStep && was.singleStep == opt.singleStep &&
                      was.orientation == opt.orientation && was.upsideDown == opt.upsideDown &&
                      was.direction == opt.direction && was.subControls == opt.subControls &&
                      was.activeSubControls == opt.activeSubControls;
    QRegion stale;
    if (!same) {
        parts_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
        stale = rect();
    } else if (was.sliderPosition != opt.sliderPosition || was.sliderValue != opt.sliderValue) {
        stale = st->subControlRect(QStyle::CC_ScrollBar, &was, QStyle::SC_ScrollBarSlider, this) |
                st->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, this);
        const auto atEnd = [](const QStyleOptionSlider& o) {
            return std::pair{o.sliderValue == o.minimum, o.sliderValue == o.maximum};
        };
        if (atEnd(was) != atEnd(opt))
            for (const auto sc : {QStyle::SC_ScrollBarSubLine, QStyle::SC_ScrollBarAddLine, QStyle::SC_ScrollBarFirst,
                                  QStyle::SC_ScrollBarLast})
                stale |= st->subControlRect(QStyle::CC_ScrollBar, &opt, sc, this);
    }
    // In bands of fewer rows than Qt hands to its thread pool: waking its
    // threads costs more than drawing a bar.
    constexpr int kBand = 64;
    if (!stale.isEmpty()) {
        QPainter pp(&parts_);
        for (int y = 0; y < height(); y += kBand) {
            const QRect band(0, y, width(), kBand);
            if (!stale.intersects(band)) continue;
            pp.setClipRect(band);
            pp.setCompositionMode(QPainter::CompositionMode_Source);
            pp.fillRect(band, Qt::transparent);
            pp.setCompositionMode(QPainter::CompositionMode_SourceOver);
            st->drawComplexControl(QStyle::CC_ScrollBar, &opt, &pp, this);
        }
        partsFor_ = opt;
        partsStyle_ = st;
        partsColours_ = colours;
    }
    QPainter p(this);
    p.drawImage(0, 0, groove_);
    p.drawImage(0, 0, parts_);
}

NarrWin::NarrWin(Atlas& atlas, MapEngine& engine, QWidget* parent)
    : QWidget(parent, Qt::Window), atlas_(atlas), engine_(engine), m_(engine.state())
{
    aheadTimer_.setSingleShot(true);
    connect(&aheadTimer_, &QTimer::timeout, this, [this] { readAhead(); });
    setWindowTitle(QStringLiteral("Quillmere"));
    setMinimumSize(64, 64);
    setMaximumSize(32000, 32000);
    resize(471, 512);

    html_ = new HTMLvu(atlas, this);
    html_->setMouseMoveHandler([this](int x, int y) { NarrHTML_MouseMove(x, y); });
    html_->setMouseUpHandler([this](int x, int y) { NarrHTML_MouseUp(x, y); });

    scroll_ = new NarrScrollBar(Qt::Vertical, this);
    scroll_->setRange(0, 100);
    scroll_->setValue(0);
    scroll_->setSingleStep(1);
    scroll_->setPageStep(20);
    scroll_->setTracking(true);
    scroll_->setFocusPolicy(Qt::StrongFocus);
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int v) { NarrScroll_ValueChanged(v); });

    linkText_ = new QLabel(QStringLiteral("..."), this);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(12);
    linkText_->setFont(f);
    linkText_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    placeControls();
    oldwidth = width();
}

void NarrWin::placeControls()
{
    const int w = width(), h = height();
    html_->QWidget::setGeometry(0, 1, std::max(w - 15, 0), std::max(h - 4, 0));
    scroll_->QWidget::setGeometry(w - 16, 1, 16, std::max(h - 2, 0));
    linkText_->QWidget::setGeometry(2, h - 20, 0, 20);
}

void NarrWin::Show() { show(); }
void NarrWin::Hide() { hide(); }
void NarrWin::SetFocus()
{
    raise();
    activateWindow();
}
void NarrWin::Close() { close(); }

void NarrWin::setGeometry(int left, int top, int width, int height)
{
    QWidget::setGeometry(left, top, width, height);
}

void NarrWin::setScrollRange()
{
    // A page shorter than half the viewer has nothing to scroll.
    const int32_t max = html_->ytext - html_->height() / 2;
    scroll_->setRange(0, std::max(max, 0));
    scroll_->setPageStep(html_->height());
}

void NarrWin::setScrollValue(int32_t value)
{
    scroll_->setValue(value);
    // The bar keeps its value within its range; the viewer follows the bar.
    html_->scrollTo(scroll_->value());
}

void NarrWin::Update(const Bytes& pageAndAnchor)
{
    html_->LoadFromFile(pageAndAnchor);
    scroll_->setSingleStep(1);
    // The new range may pull the bar's old value down into it, and the bar's
    // signal would move the viewer there: the anchor's place is taken first.
    const int32_t target = html_->ybase;
    setScrollRange();
    setScrollValue(target);
    // A page read ahead brings what it shows where it opens, drawn while idle.
    if (ahead_ && aheadPage_ == html_->oldfile) html_->takeView(*ahead_);

    // A chapter page "t<n>.htm" is followed by the next one in the direction
    // the date moves.
    const Bytes& page = html_->oldfile;
    if (page.size() > 5 && page[0] == 't' && page.compare(page.size() - 4, 4, ".htm") == 0) {
        const Bytes digits = page.substr(1, page.size() - 5);
        if (digits.size() <= 6 && std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            const int next = std::stoi(digits) + (m_.timeforward ? 1 : -1);
            aheadWanted_ = "t" + std::to_string(next) + ".htm";
            // Not in the turn that shows the page: a little later, when idle.
            const bool due = aheadWanted_ != aheadPage_ || !ahead_ || ahead_->size() != html_->size();
            if (due && !aheadTimer_.isActive()) aheadTimer_.start(kAheadDelayMs);
        }
    }
}

void NarrWin::readAhead()
{
    // Never inside a message box's loop: the reader and the handler are in use.
    if (QApplication::activeModalWidget()) {
        aheadTimer_.start(kAheadDelayMs);
        return;
    }
    if (!ahead_) {
        ahead_ = std::make_unique<HTMLvu>(atlas_);
        ahead_->setAttribute(Qt::WA_DontShowOnScreen);
    }
    constexpr int kWordsATurn = 16;
    if (aheadWanted_ != aheadPage_ || ahead_->size() != html_->size()) {
        aheadPage_ = aheadWanted_;
        ahead_->resize(html_->size());
        ahead_->oldfile.clear();
        aheadSource_.clear();
        aheadAt_ = 0;
        aheadLaidOut_ = false;
        aheadDrawn_ = false;
        // Only a stored page, read without disturbing the reader: the page
        // shown reports its own faults when it comes.
        const Bytes key = Bytes(atlas_.lang().folder) + "\\" + aheadPage_;
        if (atlas_.content.cfilelist.Item(key).size() < 10) return;
        const ItemReader kept = atlas_.reader;
        OpenThisFile(atlas_, aheadPage_, atlas_.lang().folder, false, true);
        aheadSource_ = atlas_.reader.filestring.bytes;
        atlas_.reader = kept;
    } else if (!aheadLaidOut_) {
        // Its words first, then the layout, which finds them known.
        if (!ahead_->measureAhead(aheadSource_, aheadAt_, 2 * kWordsATurn)) {
            aheadLaidOut_ = true;
            aheadSource_.clear();
            const ItemReader kept = atlas_.reader;
            const plat::MsgBoxHandler previous = plat::setMsgBoxHandler([](const Bytes&) {});
            ahead_->loadPage(aheadPage_);
            plat::setMsgBoxHandler(previous);
            atlas_.reader = kept;
        }
    } else if (!ahead_->shapeAhead(kWordsATurn)) {
        // Last, a band of rows a turn, what it shows where it opens: its
        // first anchor going forward, its last going back, held to the scroll
        // bar's range.
        if (aheadDrawn_) return;
        const HTMLvu& v = *ahead_;
        const int32_t k = m_.timeforward ? 1 : v.Nanchors;
        const int64_t at = v.Nanchors >= 1 && k >= 1 && k <= v.Nanchors ? int64_t(v.AnchorY[k]) + 3 : 0;
        const int64_t most = std::max<int64_t>(int64_t(v.ytext) - v.height() / 2, 0);
        constexpr int kRowsATurn = 96;
        aheadDrawn_ = ahead_->drawViewAt(static_cast<int32_t>(std::clamp<int64_t>(at, 0, most)), kRowsATurn);
    }
    aheadTimer_.start(0);
}

void NarrWin::NarrScroll_ValueChanged(int value) { html_->scrollTo(value); }

void NarrWin::NarrHTML_MouseMove(int x, int y)
{
    const Bytes text = html_->GetLinkText(x, y);
    linkText_->setText(plat::decode(text, html_->codePage()));
    html_->setCursor(text.empty() ? Qt::ArrowCursor : Qt::PointingHandCursor);
}

void NarrWin::NarrHTML_MouseUp(int, int)
{
    // Range first, so that the value is not held to the previous page's range;
    // the place the click left the viewer at is taken before the range moves it.
    const int32_t target = html_->ybase;
    setScrollRange();
    setScrollValue(target);
}

void NarrWin::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    placeControls();
    if (width() != oldwidth) html_->FillBfr();
    oldwidth = width();
    setScrollRange();
}

void NarrWin::closeEvent(QCloseEvent* e)
{
    engine_.setNarrativeFollows(false);
    e->accept();
}

}  // namespace quil2a
