// The narrative window: the page viewer, its scroll bar and the hidden label
// that holds the text of the link under the mouse.
#pragma once

#include <QLabel>
#include <QImage>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QStyle>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

#include "atlasdata/atlas.h"
#include "hypertext/narrative.h"
#include "engine/engine.h"
#include "engine/mapstate.h"
#include "hypertext/htmlvu.h"

namespace quil2a {

// The narrative window's scroll bar: as the style draws it, with its groove
// (the same at every value) kept as a picture while the bar's size, state and
// colours stay, so that a new value draws only the slider and the arrows.
class NarrScrollBar : public QScrollBar {
public:
    using QScrollBar::QScrollBar;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QImage groove_;
    QStyle::State grooveState_{};
    qint64 grooveColours_ = 0;
    QStyle* grooveStyle_ = nullptr;
    // The bar's other parts as last drawn, and what they were drawn for.
    QImage parts_;
    QStyleOptionSlider partsFor_;
    QStyle* partsStyle_ = nullptr;
    qint64 partsColours_ = 0;
};

class NarrWin : public QWidget, public NarrativeWindow {
    Q_OBJECT

public:
    // Reads the map state and tells the engine when it stops following the date.
    NarrWin(Atlas& atlas, MapEngine& engine, QWidget* parent = nullptr);

    void Show() override;
    void Hide() override;
    void SetFocus() override;
    void Close() override;
    // Shows the page (and anchor) and brings the scroll bar into line.
    void Update(const Bytes& pageAndAnchor) override;
    void setGeometry(int left, int top, int width, int height) override;

    // Command links of the pages go here (the map's command interpreter).
    void setCommandHandler(std::function<void(const Bytes&)> f) { html_->setCommandHandler(std::move(f)); }

    HTMLvu& NarrHTML() { return *html_; }
    QScrollBar& NarrScroll() { return *scroll_; }
    QLabel& LinkText() { return *linkText_; }

    // Width at the last layout of the page.
    int32_t oldwidth = 0;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void NarrHTML_MouseMove(int x, int y);
    void NarrHTML_MouseUp(int x, int y);
    void NarrScroll_ValueChanged(int value);
    void placeControls();
    // Scroll range and page step for the page laid out.
    void setScrollRange();
    void setScrollValue(int32_t value);
    // Idle work, a little a turn: the chapter page the animation comes to
    // next has its words measured, is laid out unseen and has its words
    // shaped, so that turning to it costs little.
    void readAhead();
    static constexpr int kAheadDelayMs = 10;

    Atlas& atlas_;
    MapEngine& engine_;
    const MapState& m_;
    std::unique_ptr<HTMLvu> ahead_;
    Bytes aheadPage_, aheadWanted_;
    Bytes aheadSource_;  // the next page's source while its words are measured
    size_t aheadAt_ = 0;
    bool aheadLaidOut_ = false;
    bool aheadDrawn_ = false;  // its view where it will open
    QTimer aheadTimer_;
    HTMLvu* html_;
    QScrollBar* scroll_;
    QLabel* linkText_;
};

}  // namespace quil2a
