// Pictures with exact pixels: one-pixel lines by our own Bresenham, a
// 4-neighbour flood fill with exact colours, clipped block copies. Nothing
// here reads or writes a pixel outside its picture.
#pragma once

#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "text.h"

namespace plat {

using Color = uint32_t;  // 0xRRGGBB

constexpr Color RGB(int r, int g, int b)
{
    auto c = [](int v) { return static_cast<Color>(v < 0 ? 0 : (v > 255 ? 255 : v)); };
    return (c(r) << 16) | (c(g) << 8) | c(b);
}
constexpr int Red(Color c) { return static_cast<int>((c >> 16) & 0xFF); }
constexpr int Green(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int Blue(Color c) { return static_cast<int>(c & 0xFF); }

// What Pixel() reads outside the picture: no colour of the map equals it.
constexpr Color kOutside = 0xFF000000u;

// The size sentinel of DrawPicture: leave this size out.
constexpr int kDefaultSize = -10000;

class Picture;

// The glyphs of text laid out in font on one line, placed about the origin
// of its baseline, as QPainter::drawText(x, y, text) places them.
QList<QGlyphRun> shapeLine(const QString& text, const QFont& font);

// The parts of img in region, each from its place moved by `from`, drawn by p
// a rectangle at a time under a clip of just that rectangle: under a region's
// clip Qt blends through its thread pool, and waking its threads costs far
// more than the copy.
void drawImageByRects(QPainter& p, const QRegion& region, const QImage& img, QPoint from = {});

// The serif of every text the program draws (labels, date field, headlines,
// pages), asked for by its own name so that the pictures are the same on every
// machine that has it (make installs it); "Times" only stands in without it.
inline constexpr const char* kSerif = "Liberation Serif";
inline constexpr const char* kSerifFallback = "Times";

class Graphics {
public:
    explicit Graphics(Picture& pic);
    ~Graphics();
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    Color ForeColor() const { return fore_; }
    void SetForeColor(Color c) { fore_ = c & 0xFFFFFF; }

    int Width() const;
    int Height() const;

    // w x h pixels from (x, y), clipped.
    void FillRect(int x, int y, int w, int h);
    // The outline of the w x h pixels from (x, y).
    void DrawRect(int x, int y, int w, int h);
    // One-pixel line, both ends included, clipped.
    void DrawLine(int x1, int y1, int x2, int y2);
    void FillOval(int x, int y, int w, int h);
    void DrawOval(int x, int y, int w, int h);

    // Draws src with its top left at (x, y). Sizes at kDefaultSize are left out:
    // the destination size defaults to the source picture's size, the source
    // block's size to the destination size. Equal sizes copy pixels unscaled.
    void DrawPicture(const Picture& src, int x, int y, int w = kDefaultSize, int h = kDefaultSize,
                     int sx = 0, int sy = 0, int sw = kDefaultSize, int sh = kDefaultSize);
    void DrawImage(const QImage& src, int x, int y);

    // Text: the left end of the baseline at (x, y); no wrapping.
    void DrawString(std::string_view text, int x, int y);
    // Between beginText and endText the strings share one painter.
    void beginText();
    void endText();
    // The family asked for; where the system lacks it, kSerifFallback stands in.
    void SetTextFont(const std::string& family) { font_ = family; }
    const std::string& TextFont() const { return font_; }
    // The family the system gives for the present settings.
    std::string TextFontInUse() const;
    void SetTextSize(int size) { size_ = size; }
    int TextSize() const { return size_; }
    void SetBold(bool b) { bold_ = b; }
    void SetItalic(bool b) { italic_ = b; }
    void SetUnderline(bool b) { underline_ = b; }
    bool Bold() const { return bold_; }
    bool Italic() const { return italic_; }
    bool Underline() const { return underline_; }
    int TextHeight() const;
    int TextAscent() const;
    int StringWidth(std::string_view text) const;
    // The box of the text's ink, relative to the left end of its baseline.
    QRect TextBounds(std::string_view text) const;
    // How far drawn text may reach beyond that box at a text size; a string's
    // change box is its ink box widened by this.
    static int InkMargin(int size) { return 2 + size / 4; }
    // Code page of the byte strings drawn or measured.
    void SetCodePage(CodePage cp) { cp_ = cp; }
    CodePage TextCodePage() const { return cp_; }
    // True: text drawn without smoothing, exactly in the fore colour.
    void SetUseOldRenderer(bool b) { oldRenderer_ = b; }
    bool UseOldRenderer() const { return oldRenderer_; }

private:
    struct FontCache;
    const FontCache& font() const;
    Picture& pic_;
    Color fore_ = 0;
    std::string font_ = kSerif;
    int size_ = 12;
    bool bold_ = false, italic_ = false, underline_ = false;
    bool oldRenderer_ = false;
    CodePage cp_ = CodePage::Win1252;
    mutable std::shared_ptr<FontCache> font_cache_;
    // Fonts of recent settings, so that switching sizes back and forth keeps them.
    mutable std::vector<std::shared_ptr<FontCache>> fonts_;
    std::unique_ptr<QPainter> painter_;
};

class RGBSurface {
public:
    explicit RGBSurface(Picture& pic) : pic_(pic) {}
    RGBSurface(const RGBSurface&) = delete;
    RGBSurface& operator=(const RGBSurface&) = delete;
    // kOutside for a point outside the picture.
    Color Pixel(int x, int y) const;
    // Ignored outside the picture.
    void SetPixel(int x, int y, Color c);
    // The 4-connected region of the start pixel's colour becomes c.
    void FloodFill(int x, int y, Color c);

private:
    Picture& pic_;
};

// Whether a new picture starts white, with its pixels unset (for a picture
// whose every pixel is drawn before it is read), or white and packed.
enum class Start { White, Unset, PackedWhite };

class Picture {
public:
    Picture(int w, int h, int depth = 32, Start start = Start::White);
    explicit Picture(const QImage& img);
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    ~Picture();

    int Width() const { return packed_ ? packedW_ : img_.width(); }
    int Height() const { return packed_ ? packedH_ : img_.height(); }
    Graphics& graphics() { return g_; }
    RGBSurface& surface() { return s_; }
    const QImage& image() const
    {
        unpack();
        return img_;
    }
    // Writable access: counts as a change of the whole picture.
    QImage& image()
    {
        unpack();
        beforeWrite();
        changedAll();
        raw_ = {};
        return img_;
    }

    // Packed, the pixels are kept as runs of one colour a row, for a picture
    // drawn whole and then read back in blocks (DrawPicture reads it so);
    // any other use unpacks it first.
    bool packed() const { return packed_; }
    // Becomes a packed copy of src, of src's size.
    void packFrom(const Picture& src);
    // The pixels of row y from x, n of them (all inside), into out.
    void readRow(int y, int x, int n, uint32_t* out) const;

    // A copy made late: this picture becomes a copy of src (of its size, both
    // unpacked), but its pixels are copied only when they are next asked for,
    // or src's for writing once guardSource is called. Until then src may be
    // written only where copyNow has copied first. Change tracking does not
    // count the copy.
    void copyLater(Picture& src);
    // The pixels of [x1, x2) x [y1, y2) copied now, if not yet.
    void copyNow(int64_t x1, int64_t y1, int64_t x2, int64_t y2);
    void guardSource();
    // The late copy is given up: this picture keeps whatever it holds, for a
    // caller that will draw it whole again.
    void dropCopy();
    bool copyPending() const { return pending_ != nullptr; }
    void completeCopy() const
    {
        if (pending_) finishCopy();
    }

    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < Width() && y < Height(); }

    // Goes up with every drawing operation on the picture.
    uint64_t version() const { return version_; }
    // Tells this picture from every other made in the run.
    uint64_t serial() const { return serial_; }

    // Change tracking: while on, the picture keeps which tiles of kTile x kTile
    // pixels hold a pixel whose colour changed since clearChanges (a pixel
    // written with the colour it had does not count; text and ovals count their
    // whole box).
    static constexpr int kTileShift = 4, kTile = 1 << kTileShift;
    void setTrackChanges(bool on);
    bool trackingChanges() const { return tracking_; }
    void clearChanges();
    int tilesAcross() const { return tilesX_; }
    int tilesDown() const { return tilesY_; }
    bool tileChanged(int tx, int ty) const { return tiles_[static_cast<size_t>(ty) * tilesX_ + tx] != 0; }
    bool anyChange() const { return anyChange_; }

private:
    friend class Graphics;
    friend class RGBSurface;
    QImage& pixels()
    {
        unpack();
        beforeWrite();
        return img_;
    }
    // The writable pixels and their layout; the layout is asked of the image
    // again only when its buffer moved (a detach, a new image).
    struct Raw {
        uint32_t* bits = nullptr;
        int w = 0, h = 0;
        int64_t stride = 0;
    };
    const Raw& raw()
    {
        uint32_t* b = reinterpret_cast<uint32_t*>(pixels().bits());
        if (b != raw_.bits) raw_ = {b, img_.width(), img_.height(), img_.bytesPerLine() / 4};
        return raw_;
    }
    void unpack() const
    {
        if (pending_) finishCopy();
        if (packed_) unpackNow();
    }
    // A picture that waits to copy this one gets its copy before a write.
    void beforeWrite()
    {
        if (waiting_ && waiting_->pending_->guarded) waiting_->finishCopy();
    }
    void finishCopy() const;
    // Row y's blocks bx1..bx2 of the late copy not yet copied, copied from src and marked.
    void copyBlocks(const Picture& src, int64_t y, int bx1, int bx2) const;
    void unpackNow() const;
    void wrote() { ++version_; }
    void changedAll();
    // Pixels [x1, x2) x [y1, y2), clipped.
    void changedRect(int64_t x1, int64_t y1, int64_t x2, int64_t y2);
    void changedPixel(int x, int y)
    {
        tiles_[static_cast<size_t>(y >> kTileShift) * tilesX_ + (x >> kTileShift)] = 1;
        anyChange_ = true;
    }

    mutable QImage img_;
    mutable Raw raw_;
    // Packed pixels: per row, pairs of (run length, colour) from runStart_[y].
    mutable bool packed_ = false;
    mutable int packedW_ = 0, packedH_ = 0;
    mutable std::vector<uint32_t> runs_, runStart_;
    Graphics g_{*this};
    RGBSurface s_{*this};
    uint64_t version_ = 0;
    uint64_t serial_;
    bool tracking_ = false, anyChange_ = false;
    int tilesX_ = 0, tilesY_ = 0;
    std::vector<uint8_t> tiles_;
    // A late copy: its source, and the blocks of kBlock pixels of each row
    // already copied.
    static constexpr int kBlock = 16;
    struct Pending {
        Picture* src = nullptr;
        bool guarded = false;
        std::vector<uint8_t> copied, rowCopied;
    };
    mutable std::unique_ptr<Pending> pending_, spare_;
    // The picture whose late copy this one is the source of.
    Picture* waiting_ = nullptr;
};

namespace packing {
// Whether the wide packer may run here.
bool hasAvx2();
// The (length, colour) runs of a row of w pixels (w >= 1) appended to runs;
// wide: 32 pixels a step (needs AVX2), else one.
void packRow(const uint32_t* line, int w, std::vector<uint32_t>& runs, bool wide);
}  // namespace packing

std::unique_ptr<Picture> NewPicture(int w, int h, int depth = 32, Start start = Start::White);

}  // namespace plat
