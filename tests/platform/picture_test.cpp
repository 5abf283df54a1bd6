#include <gtest/gtest.h>

#include <QImage>

#include <random>
#include <set>
#include <vector>

#include "platform/picture.h"

using namespace plat;

namespace {

constexpr Color kLine = 0x123456;

std::set<std::pair<int, int>> linePixels(Picture& pic)
{
    std::set<std::pair<int, int>> s;
    for (int y = 0; y < pic.Height(); ++y)
        for (int x = 0; x < pic.Width(); ++x)
            if (pic.surface().Pixel(x, y) == kLine) s.insert({x, y});
    return s;
}

std::set<std::pair<int, int>> drawn(int w, int h, int x1, int y1, int x2, int y2)
{
    Picture pic(w, h);
    pic.graphics().SetForeColor(0xFFFFFF);
    pic.graphics().FillRect(0, 0, w, h);
    pic.graphics().SetForeColor(kLine);
    pic.graphics().DrawLine(x1, y1, x2, y2);
    return linePixels(pic);
}

}  // namespace

// In every octant a line has max(|dx|, |dy|) + 1 pixels, both ends, steps of one
// pixel along the major axis, and never strays half a pixel from the true line.
TEST(DrawLine, EveryOctantIsAThinConnectedLine)
{
    const int cx = 40, cy = 40;
    const int ends[][2] = {{30, 7}, {7, 30}, {-7, 30}, {-30, 7}, {-30, -7}, {-7, -30}, {7, -30}, {30, -7},
                           {20, 20}, {-20, 20}, {0, 25}, {25, 0}, {0, 0}};
    for (auto& e : ends) {
        auto px = drawn(81, 81, cx, cy, cx + e[0], cy + e[1]);
        const int n = std::max(std::abs(e[0]), std::abs(e[1]));
        ASSERT_EQ(px.size(), size_t(n + 1)) << e[0] << "," << e[1];
        EXPECT_TRUE(px.count({cx, cy}));
        EXPECT_TRUE(px.count({cx + e[0], cy + e[1]}));
        for (auto [x, y] : px) {
            // distance from the ideal line, measured along the minor axis
            double dx = e[0], dy = e[1];
            if (std::abs(e[0]) >= std::abs(e[1]) && e[0] != 0) {
                double ideal = cy + (x - cx) * dy / dx;
                EXPECT_LE(std::abs(y - ideal), 0.5 + 1e-9);
            } else if (e[1] != 0) {
                double ideal = cx + (y - cy) * dx / dy;
                EXPECT_LE(std::abs(x - ideal), 0.5 + 1e-9);
            }
        }
    }
}

TEST(DrawLine, TiesStepAwayFromTheStart)
{
    auto px = drawn(10, 10, 0, 0, 4, 2);
    std::set<std::pair<int, int>> want = {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}};
    EXPECT_EQ(px, want);
}

// A clipped line has exactly the pixels of the same line drawn on a picture
// large enough to hold it, cut to the small picture.
TEST(DrawLine, ClippingKeepsThePixelsOfTheWholeLine)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coord(-60, 100);
    const int W = 40, H = 30, off = 60, big = 220;
    for (int t = 0; t < 3000; ++t) {
        int x1 = coord(rng), y1 = coord(rng), x2 = coord(rng), y2 = coord(rng);
        auto small = drawn(W, H, x1, y1, x2, y2);
        auto whole = drawn(big, big, x1 + off, y1 + off, x2 + off, y2 + off);
        std::set<std::pair<int, int>> cut;
        for (auto [x, y] : whole)
            if (x - off >= 0 && x - off < W && y - off >= 0 && y - off < H) cut.insert({x - off, y - off});
        ASSERT_EQ(small, cut) << x1 << "," << y1 << " " << x2 << "," << y2;
    }
}

TEST(DrawLine, HugeCoordinatesAreClippedWithoutWalkingThem)
{
    auto px = drawn(50, 50, -2147483647, 25, 2147483647, 25);
    EXPECT_EQ(px.size(), 50u);
    px = drawn(50, 50, -2000000000, -2000000000, 2000000000, 2000000000);
    EXPECT_EQ(px.size(), 50u);  // the diagonal
    px = drawn(50, 50, 100, 100, 200, 300);  // wholly outside
    EXPECT_TRUE(px.empty());
    px = drawn(50, 50, 0, 49, 49, 49);  // along the bottom edge
    EXPECT_EQ(px.size(), 50u);
}

// A line from edge to edge splits the picture; a fill on one side never reaches the other.
TEST(FloodFill, NeverCrossesALine)
{
    std::mt19937 rng(11);
    const int W = 64, H = 48;
    std::uniform_int_distribution<int> ex(0, W - 1), ey(0, H - 1);
    for (int t = 0; t < 400; ++t) {
        Picture pic(W, H);
        auto& g = pic.graphics();
        g.SetForeColor(0xFFFFFF);
        g.FillRect(0, 0, W, H);
        g.SetForeColor(kLine);
        int x1 = 0, y1 = ey(rng), x2 = W - 1, y2 = ey(rng);
        if (t % 2) { x1 = ex(rng); y1 = 0; x2 = ex(rng); y2 = H - 1; }
        g.DrawLine(x1, y1, x2, y2);
        auto side = [&](int x, int y) { return (x2 - x1) * (y - y1) - (y2 - y1) * (x - x1); };
        // seed: a white pixel on the positive side
        int sx = -1, sy = -1;
        for (int y = 0; y < H && sx < 0; ++y)
            for (int x = 0; x < W; ++x)
                if (pic.surface().Pixel(x, y) == 0xFFFFFF && side(x, y) > 0) { sx = x; sy = y; break; }
        if (sx < 0) continue;
        pic.surface().FloodFill(sx, sy, 0x00FF00);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                Color c = pic.surface().Pixel(x, y);
                if (c == 0x00FF00) {
                    ASSERT_GT(side(x, y), 0) << "fill crossed the line at " << x << "," << y;
                }
            }
    }
}

TEST(FloodFill, ExactColoursAndPictureBounds)
{
    Picture pic(10, 10);
    auto& g = pic.graphics();
    g.SetForeColor(0x101010);
    g.FillRect(0, 0, 10, 10);
    g.SetForeColor(0x101011);  // one step away still stops the fill
    g.FillRect(5, 0, 1, 10);
    pic.surface().FloodFill(0, 0, 0xFF0000);
    EXPECT_EQ(pic.surface().Pixel(4, 9), 0xFF0000u);
    EXPECT_EQ(pic.surface().Pixel(6, 0), 0x101010u);
    pic.surface().FloodFill(-1, 3, 0x00FF00);  // outside: nothing
    pic.surface().FloodFill(10, 3, 0x00FF00);
    EXPECT_EQ(pic.surface().Pixel(9, 3), 0x101010u);
    EXPECT_EQ(pic.surface().Pixel(10, 3), kOutside);
    EXPECT_EQ(pic.surface().Pixel(-1, 0), kOutside);
    pic.surface().SetPixel(10, 10, 0);  // ignored
    pic.surface().FloodFill(0, 0, 0xFF0000);  // already that colour: nothing to do
    EXPECT_EQ(pic.surface().Pixel(0, 0), 0xFF0000u);
}

TEST(Graphics, RectanglesAndBlockCopiesAreClipped)
{
    Picture a(20, 20), b(20, 20);
    a.graphics().SetForeColor(0x0000FF);
    a.graphics().FillRect(-5, -5, 10, 10);  // covers 0..4
    EXPECT_EQ(a.surface().Pixel(4, 4), 0x0000FFu);
    EXPECT_NE(a.surface().Pixel(5, 5), 0x0000FFu);
    a.graphics().SetForeColor(0x00FF00);
    a.graphics().DrawRect(10, 10, 5, 3);
    EXPECT_EQ(a.surface().Pixel(14, 12), 0x00FF00u);
    EXPECT_NE(a.surface().Pixel(15, 13), 0x00FF00u);
    EXPECT_NE(a.surface().Pixel(12, 11), 0x00FF00u);

    b.graphics().SetForeColor(0);
    b.graphics().FillRect(0, 0, 20, 20);
    // the map canvas draws p at (-20, -20): source (20, 20) lands on (0, 0)
    b.graphics().DrawPicture(a, -10, -10, 30, 30);
    EXPECT_EQ(b.surface().Pixel(0, 0), a.surface().Pixel(10, 10));
    EXPECT_EQ(b.surface().Pixel(4, 2), a.surface().Pixel(14, 12));
    EXPECT_EQ(b.surface().Pixel(12, 12), 0u);  // beyond the source
    // a block from the source copied to the same place
    b.graphics().FillRect(0, 0, 20, 20);
    b.graphics().DrawPicture(a, 2, 2, 4, 4, 2, 2);
    EXPECT_EQ(b.surface().Pixel(3, 3), 0x0000FFu);
    EXPECT_EQ(b.surface().Pixel(1, 1), 0u);
    EXPECT_EQ(b.surface().Pixel(6, 6), 0u);
    // whole-picture copy at the sentinel sizes, and a copy far off
    b.graphics().DrawPicture(a, 0, 0);
    EXPECT_EQ(b.image(), a.image());
    b.graphics().DrawPicture(a, 1000000, -1000000);
    EXPECT_EQ(b.image(), a.image());
}

TEST(Graphics, TextWithoutSmoothingIsExactlyTheForeColour)
{
    Picture pic(200, 40);
    auto& g = pic.graphics();
    g.SetForeColor(0xFFFFFF);
    g.FillRect(0, 0, 200, 40);
    g.SetUseOldRenderer(true);
    g.SetTextFont("Times");
    g.SetTextSize(18);
    g.SetCodePage(CodePage::Win1253);
    g.SetForeColor(0x202020);
    g.DrawString("\xC5\xEB\xEB\xDC\xE4\xE1 Abc", 5, 25);  // Greek and Latin letters
    int ink = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x) {
            Color c = pic.surface().Pixel(x, y);
            ASSERT_TRUE(c == 0xFFFFFF || c == 0x202020) << std::hex << c;
            ink += c == 0x202020;
        }
    EXPECT_GT(ink, 40);
    EXPECT_GT(g.StringWidth("Abc"), 10);
    EXPECT_GT(g.TextHeight(), 15);
}

// A string drawn again comes from its kept glyphs: the pixels and the changes
// recorded are those of the first drawing, smoothed or not, in both code pages.
TEST(Graphics, StringsDrawnAgainLookAsDrawnFirst)
{
    for (const bool old : {false, true})
        for (const auto& [cp, text] : {std::pair{CodePage::Win1252, "Fran\xE7ois Wy\xE1tt"},
                                       std::pair{CodePage::Win1253, "\xC5\xEB\xEB\xDC\xE4\xE1 AV"}}) {
            Picture pic(220, 50);
            auto& g = pic.graphics();
            g.SetUseOldRenderer(old);
            g.SetTextFont("Times");
            g.SetTextSize(21);
            g.SetCodePage(cp);
            QImage first;
            std::vector<bool> firstTiles;
            pic.setTrackChanges(true);
            for (int time = 1; time <= 3; ++time) {
                g.SetForeColor(0xF0E0D0);
                g.FillRect(0, 0, 220, 50);
                pic.clearChanges();
                g.SetForeColor(0x203040);
                g.DrawString(text, 7, 33);
                std::vector<bool> tiles;
                for (int ty = 0; ty < pic.tilesDown(); ++ty)
                    for (int tx = 0; tx < pic.tilesAcross(); ++tx) tiles.push_back(pic.tileChanged(tx, ty));
                if (time == 1) firstTiles = tiles;
                else EXPECT_EQ(tiles, firstTiles) << old << " " << time;
                if (time == 1) first = pic.image().copy();
                else EXPECT_EQ(pic.image(), first) << old << " " << time;
            }
        }
}

namespace {

// A picture of w x h in runs of random lengths and colours.
QImage runsImage(int w, int h, std::mt19937& rng)
{
    QImage img(w, h, QImage::Format_RGB32);
    std::uniform_int_distribution<int> len(1, 40), col(0, 3);
    const uint32_t colours[] = {0xFF808080u, 0xFF0000FFu, 0xFF00FF00u, 0xFF0000FEu};
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<uint32_t*>(img.scanLine(y));
        for (int x = 0; x < w;) {
            const uint32_t c = colours[col(rng)];
            for (int n = len(rng); n > 0 && x < w; --n) line[x++] = c;
        }
    }
    return img;
}

}  // namespace

// Packing keeps every pixel at every width, around the block sizes of both packers.
TEST(PackedPicture, RowsPackAndReadBackExactly)
{
    std::mt19937 rng(7);
    for (int w : {1, 2, 15, 16, 17, 31, 32, 33, 47, 48, 49, 63, 64, 65, 97, 1920}) {
        const QImage img = runsImage(w, 6, rng);
        Picture src(img), packed(w, 6, 32, Start::PackedWhite);
        packed.packFrom(src);
        ASSERT_TRUE(packed.packed());
        std::vector<uint32_t> row(static_cast<size_t>(w));
        packed.readRow(3, w / 3, w - w / 3, row.data());
        for (int x = w / 3; x < w; ++x) ASSERT_EQ(row[size_t(x - w / 3)], img.pixel(x, 3)) << w << " " << x;
        EXPECT_EQ(std::as_const(packed).image(), img) << w;
        if (packing::hasAvx2()) {
            std::vector<uint32_t> narrow, wide;
            for (int y = 0; y < 6; ++y) {
                packing::packRow(reinterpret_cast<const uint32_t*>(img.constScanLine(y)), w, narrow, false);
                packing::packRow(reinterpret_cast<const uint32_t*>(img.constScanLine(y)), w, wide, true);
            }
            EXPECT_EQ(narrow, wide) << w;
        }
    }
}

// A late copy holds the source as it was, whenever it is made: before a read
// of the copy, before a guarded write to the source, or when the source goes.
TEST(LateCopy, HoldsTheSourceAsItWasWhateverComesFirst)
{
    std::mt19937 rng(11);
    const QImage before = runsImage(50, 40, rng);
    auto start = [&](Picture& src, Picture& dst) {
        src.image() = before;
        dst.graphics().SetForeColor(0);
        dst.graphics().FillRect(0, 0, 50, 40);
        dst.copyLater(src);
        // As under text: copied first, then drawn over on the source.
        dst.copyNow(10, 10, 20, 15);
        src.graphics().SetForeColor(0xABCDEF);
        src.graphics().FillRect(12, 11, 5, 3);
        dst.guardSource();
        EXPECT_TRUE(dst.copyPending());
    };
    {
        Picture src(50, 40), dst(50, 40);
        dst.setTrackChanges(true);
        start(src, dst);
        dst.clearChanges();
        EXPECT_EQ(std::as_const(dst).image(), before);
        EXPECT_FALSE(dst.copyPending());
        EXPECT_FALSE(dst.anyChange());
    }
    {
        Picture src(50, 40), dst(50, 40);
        start(src, dst);
        src.graphics().SetForeColor(0x111111);
        src.graphics().DrawLine(0, 0, 49, 39);
        EXPECT_EQ(dst.surface().Pixel(0, 0), before.pixel(0, 0) & 0xFFFFFFu);
        EXPECT_EQ(std::as_const(dst).image(), before);
    }
    {
        Picture dst(50, 40);
        {
            Picture src(50, 40);
            start(src, dst);
        }
        EXPECT_EQ(std::as_const(dst).image(), before);
    }
    {
        // Given up: the copy keeps what it held, and the source is free.
        Picture src(50, 40), dst(50, 40);
        start(src, dst);
        dst.dropCopy();
        src.graphics().FillRect(0, 0, 50, 40);
        EXPECT_EQ(dst.surface().Pixel(0, 0), 0u);
        EXPECT_EQ(dst.surface().Pixel(12, 11), before.pixel(12, 11) & 0xFFFFFFu);
    }
    {
        // Of another size: copied at once, at the top left.
        Picture src(30, 20), dst(50, 40);
        src.graphics().SetForeColor(0x00FF00);
        src.graphics().FillRect(0, 0, 30, 20);
        dst.copyLater(src);
        EXPECT_FALSE(dst.copyPending());
        EXPECT_EQ(dst.surface().Pixel(29, 19), 0x00FF00u);
        EXPECT_EQ(dst.surface().Pixel(30, 20), 0xFFFFFFu);
    }
}
