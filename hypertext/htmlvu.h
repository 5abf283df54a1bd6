// The page viewer: lays a page of the small tag subset out once into a list of
// drawing steps in page coordinates, remembers where its links (hot spots) and
// anchors lie, and paints only the part at the scroll offset: the page is never
// drawn whole into a picture as tall as itself.
#pragma once

#include <QGlyphRun>
#include <QList>
#include <QImage>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "atlasdata/atlas.h"
#include "atlasdata/table.h"
#include "platform/picture.h"
#include "platform/text.h"

class QPainter;

namespace quil2a {

class HTMLvu : public QWidget {
    Q_OBJECT

public:
    enum class LoadResult { Loaded, SamePage, Missing };
    enum class LinkKind { Web, Command, Page };

    static constexpr int32_t kMaxLinks = 200;
    static constexpr int32_t kMaxAnchors = 100;
    static constexpr int32_t kEntitySlots = 25;
    // The page never grows beyond this many pixels.
    static constexpr int64_t kMaxPagePixels = 64LL * 1024 * 1024;

    explicit HTMLvu(Atlas& atlas, QWidget* parent = nullptr);
    ~HTMLvu() override;

    // Loads "page" or "page#anchor" of the language folder. True when a page was
    // laid out; false when it was the page already shown (only its anchor is
    // applied) or when the page is missing (an empty page is shown).
    bool LoadFromFile(const Bytes& pageAndAnchor);
    // LoadFromFile telling the two false cases apart.
    LoadResult loadPage(const Bytes& pageAndAnchor);
    // Lays the source out; the caller refreshes and reads ytext.
    void LoadFromString(const Bytes& source);
    // Lays HTMLstring out at the control's width (a new bfr).
    void FillBfr();
    // Height of the page laid out, in pixels; 0 before the first layout.
    int32_t pageHeight() const { return pageH_; }
    // The whole page as one picture, as it is shown at every scroll offset.
    QImage pageImage() const;

    // One tag or one text run, drawn with the pen state of g.
    bool ProcessTag(plat::Graphics& g, const Bytes& tag);
    bool DisplayText(plat::Graphics& g, const Bytes& run);
    // The word with its character entities replaced, as text to show.
    QString XlatCodes(const Bytes& word) const;
    // The page image of that name; a null image when there is none.
    QImage GetHTpic(const Bytes& name);

    // Measures up to n more words of a page's source from at (its text outside
    // tags, in the pen's first font), so that laying the page out finds them
    // known; false when the source is done.
    bool measureAhead(const Bytes& source, size_t& at, int n);
    // Shapes up to n more words of the page laid out that a paint would
    // shape, so that they are drawn from kept glyphs; false when none is left.
    bool shapeAhead(int n);
    // Draws, up to `rows` rows at a time, what the control would show from
    // page row y into its kept view (for a viewer that is never shown: the
    // page read ahead); true once the view is whole.
    bool drawViewAt(int32_t y, int rows);
    // Takes the view other drew when other holds the same page laid out at
    // the same size and its view starts at this one's ybase; true when taken.
    bool takeView(HTMLvu& other);

    // Follows the link under the point (control coordinates); always true.
    bool MouseDown(int x, int y);
    // Hover text of the link under the point, or empty.
    Bytes GetLinkText(int x, int y) const;
    // Hot spot under the point (1..Nlinks), 0 for none.
    int32_t hitTest(int x, int y) const;
    static LinkKind linkKind(const Bytes& target);
    // Code page of the pages of the language set in force.
    plat::CodePage codePage() const { return atlas_.textCodePage(); }

    // Where links go. Web links open the browser unless replaced.
    void setUrlOpener(std::function<void(const Bytes&)> f) { urlOpener_ = std::move(f); }
    void setCommandHandler(std::function<void(const Bytes&)> f) { commandHandler_ = std::move(f); }
    // The placing window's mouse-move and mouse-up handlers.
    void setMouseMoveHandler(std::function<void(int, int)> f) { moveHandler_ = std::move(f); }
    void setMouseUpHandler(std::function<void(int, int)> f) { upHandler_ = std::move(f); }

    // Page source and pen.
    Bytes HTMLstring;
    int32_t xtext = 0;
    int32_t ytext = 0;  // baseline of the last line: the page height
    int32_t rightmargin = 0;
    int32_t leftmargin = 6;
    Color normalcolor = plat::RGB(0, 0, 0);
    Color linkcolor = plat::RGB(64, 64, 192);

    // Hot spots 1..Nlinks: open rectangles in page coordinates.
    Table<int32_t> Hotspotx1{kMaxLinks}, Hotspoty1{kMaxLinks}, Hotspotx2{kMaxLinks}, Hotspoty2{kMaxLinks};
    int32_t Nlinks = 0;
    bool openlink = false;
    Table<Bytes> Linkaction{kMaxLinks};

    // The pen of the layout: a picture as wide as the page and one row high
    // whose graphics hold the font and colour state; the page is kept as steps.
    std::unique_ptr<plat::Picture> bfr;

    // Character entities as written, and what they stand for.
    Table<Bytes> ampcode{kEntitySlots};
    Table<QString> xlatcode{kEntitySlots};

    std::optional<Color> bgcolor;
    int32_t ybase = 0;  // page y at the control's top edge
    // Shows the page from row y: the rows still in view are moved on the
    // window, and only the rows it brings in are painted.
    void scrollTo(int32_t y);

    int32_t Nanchors = 0;
    Table<int32_t> AnchorY{kMaxAnchors};
    Table<Bytes> AnchorName{kMaxAnchors};
    Bytes golinkanchor;
    Bytes oldfile;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    struct Pen;
    // A word in one font: its text and advance, and its glyphs once shaped,
    // placed from its pen position on the baseline.
    struct Word {
        QString text;
        int width = 0;
        bool seen = false, shaped = false;
        QList<QGlyphRun> runs;
    };
    using WordPtr = std::shared_ptr<Word>;
    // One drawing step of the page, with the rows it can touch.
    struct Step {
        enum Kind { Text, Fill, FillPage, Image };
        Step(Kind k, int64_t t, int64_t b) : kind(k), top(t), bottom(b) {}
        Kind kind;
        int64_t top, bottom;  // page rows [top, bottom) it may reach
        int x = 0, y = 0;
        int font = 0;
        QRgb color = 0;
        QRect rect;
        WordPtr word;  // of a text step
        QImage image;
    };

    void fillEntityTable();
    void layoutOnce();
    // One pass over the source into steps_; returns the lowest page y that
    // anything reached.
    int64_t layoutPass();
    void applyAnchor();
    void lineBreak(plat::Graphics& g);
    void openHotSpot(const Bytes& target);
    void closeHotSpot();
    void drawWord(plat::Graphics& g, WordPtr word);
    void addStep(Step s);
    // The word of the page (without its space) in the pen's font, measured
    // once a font.
    WordPtr wordOf(plat::Graphics& g, std::string_view word);
    struct GlyphBatch;
    // Keeps the word's glyphs in that font.
    static void shapeWord(Word& w, const QFont& font);
    // Draws a text step, with the glyphs its word keeps once it came back.
    static void drawText(GlyphBatch& batch, const Step& s, const QFont& font, int dy);
    // Draws the page rows [y1, y2) into img with page row y1 at img row at;
    // the viewer's columns beyond the page and its rows outside it show below_.
    void drawRows(QImage& img, int at, int64_t y1, int64_t y2) const;

    Atlas& atlas_;
    std::function<void(const Bytes&)> urlOpener_, commandHandler_;
    std::function<void(int, int)> moveHandler_, upHandler_;

    // Layout in progress.
    Pen* pen_ = nullptr;
    bool relayoutPending_ = false;
    int32_t curLink_ = 0;  // hot spot of the open link; 0 when it found no slot
    Bytes curTarget_;

    // The page laid out: its steps in order, their fonts, its size and the
    // colour shown beyond it (its last row's first pixel).
    std::vector<Step> steps_;
    std::vector<QFont> fonts_;
    int pageW_ = 0, pageH_ = 0;
    QRgb below_ = 0xFFFFFFFFu;
    uint64_t layoutSerial_ = 0;
    struct WordKey {
        std::string family;
        int size;
        bool bold, italic, underline, oldRenderer;
        plat::CodePage codePage;
        auto operator<=>(const WordKey&) const = default;
    };
    // Words by their bytes in the page (a word with an entity is not kept).
    struct BytesHash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    using WordTable = std::unordered_map<Bytes, WordPtr, BytesHash, std::equal_to<>>;
    // One for every viewer: a word measured or shaped by one is ready for all.
    // Never freed: its glyphs must not outlive the application's fonts.
    static std::map<WordKey, std::unique_ptr<WordTable>>& wordCache();
    WordTable* words_ = nullptr;  // the table of the pen's font
    size_t shapedUpTo_ = 0;       // steps shapeAhead went through

    // What the control shows: kept between paints, so that a scroll draws
    // only the rows it brings in.
    QImage view_;
    int32_t viewBase_ = 0;
    uint64_t viewSerial_ = 0;
    // The row the window's pixels show from once the scrolls asked for are done.
    int32_t screenBase_ = 0;
    // Rows just above and below the view, drawn while idle, so that a scroll
    // copies the rows it brings in rather than drawing them; each with the
    // page row it starts at and the layout it is of.
    static constexpr int kEdgeRows = 192;
    struct Edge {
        QImage rows;
        int64_t base = 0;
        uint64_t serial = ~uint64_t(0);
    };
    Edge edges_[2];  // above, below
    QTimer edgeTimer_;
    // Whether e holds page rows [from, from + n) of the layout shown.
    bool edgeHolds(const Edge& e, int64_t from, int n) const;
    void drawEdges();
    // A view drawn a band at a time: its first row, the rows done (-1: none
    // under way) and the layout it is of.
    int32_t partBase_ = 0;
    int partRows_ = -1;
    uint64_t partSerial_ = 0;
};

}  // namespace quil2a
