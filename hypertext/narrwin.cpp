#include "hypertext/narrwin.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QStyleOptionSlider>
#include <QResizeEvent>
#include <algorithm>

#include "platform/codepage.h"

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
    QPainter p(this);
    p.drawImage(0, 0, groove_);
    opt.subControls = QStyle::SubControls(QStyle::SC_All) & ~QStyle::SubControls(QStyle::SC_ScrollBarGroove);
    // In bands of fewer rows than Qt hands to its thread pool: waking its
    // threads costs more than drawing a bar.
    constexpr int kBand = 64;
    for (int y = 0; y < height(); y += kBand) {
        p.setClipRect(0, y, width(), kBand);
        st->drawComplexControl(QStyle::CC_ScrollBar, &opt, &p, this);
    }
}

NarrWin::NarrWin(Atlas& atlas, MapState& state, QWidget* parent) : QWidget(parent, Qt::Window), m_(state)
{
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
    if (html_->ybase != scroll_->value()) {
        html_->ybase = scroll_->value();
        html_->update();
    }
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
}

void NarrWin::NarrScroll_ValueChanged(int value)
{
    html_->ybase = value;
    html_->update();
}

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
    m_.NarrWinOpen = false;
    e->accept();
}

}  // namespace quil2a
