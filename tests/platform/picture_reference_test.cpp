// The line and the flood fill against plain reference versions of the same
// rules (the midpoint rule for each pixel of a line; a fill that scans the
// rows beside every span): random lines, clipped and huge, and fills over
// random mazes of lines and noise give the same pixels.
#include <gtest/gtest.h>

#include <random>
#include <utility>
#include <vector>

#include "platform/picture.h"
#include "support/pictures.h"

using namespace plat;

namespace {

uint32_t* bitsOf(Picture& pic) { return reinterpret_cast<uint32_t*>(pic.image().bits()); }

// Each pixel i of the major axis on its own: f(i) = floor((2 i minor + major) / (2 major)).
void referenceLine(Picture& pic, Color col, int x1, int y1, int x2, int y2)
{
    const int64_t W = pic.Width(), H = pic.Height();
    const int64_t dx = int64_t(x2) - x1, dy = int64_t(y2) - y1;
    const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    const bool xMajor = adx >= ady;
    const int64_t major = xMajor ? adx : ady, minor = xMajor ? ady : adx;
    const int64_t sa = (xMajor ? dx : dy) < 0 ? -1 : 1, sb = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const int64_t a0 = xMajor ? x1 : y1, b0 = xMajor ? y1 : x1;
    // Only lines short enough to walk whole are drawn by the reference.
    for (int64_t i = 0; i <= major; ++i) {
        const int64_t f = major == 0 ? 0 : static_cast<int64_t>((__int128(2) * i * minor + major) / (__int128(2) * major));
        const int64_t a = a0 + sa * i, b = b0 + sb * f;
        const int64_t px = xMajor ? a : b, py = xMajor ? b : a;
        if (px >= 0 && py >= 0 && px < W && py < H) bitsOf(pic)[py * (pic.image().bytesPerLine() / 4) + px] = 0xFF000000u | col;
    }
}

// Every span filled, then the rows above and below scanned for new spans.
void referenceFill(Picture& pic, int x, int y, Color c)
{
    if (!pic.contains(x, y)) return;
    const int W = pic.Width(), H = pic.Height();
    uint32_t* bits = bitsOf(pic);
    const int stride = static_cast<int>(pic.image().bytesPerLine() / 4);
    const uint32_t target = bits[y * stride + x] & 0xFFFFFFu;
    if (target == (c & 0xFFFFFFu)) return;
    auto same = [&](int px, int py) { return (bits[py * stride + px] & 0xFFFFFFu) == target; };
    std::vector<std::pair<int, int>> stack{{x, y}};
    while (!stack.empty()) {
        auto [sx, sy] = stack.back();
        stack.pop_back();
        if (!same(sx, sy)) continue;
        int l = sx, r = sx;
        while (l > 0 && same(l - 1, sy)) --l;
        while (r < W - 1 && same(r + 1, sy)) ++r;
        for (int i = l; i <= r; ++i) bits[sy * stride + i] = 0xFF000000u | c;
        for (int ny : {sy - 1, sy + 1}) {
            if (ny < 0 || ny >= H) continue;
            for (int i = l; i <= r; ++i)
                if (same(i, ny) && (i == l || !same(i - 1, ny))) stack.emplace_back(i, ny);
        }
    }
}

::testing::AssertionResult samePixels(const Picture& a, const Picture& b)
{
    return testsupport::samePicture(testsupport::testName(), a.image(), b.image());
}

}  // namespace

TEST(PictureReference, LinesMatchTheMidpointRuleAlsoWhenClipped)
{
    std::mt19937 rng(19);
    auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    Picture fast(97, 61), ref(97, 61);
    for (int n = 0; n < 4000; ++n) {
        // Ends inside, near and far beyond the picture.
        const int span = n % 3 == 0 ? 400 : (n % 3 == 1 ? 130 : 60);
        const int x1 = in(-span, 97 + span), y1 = in(-span, 61 + span), x2 = in(-span, 97 + span), y2 = in(-span, 61 + span);
        const Color col = static_cast<Color>(n * 2654435761u) & 0xFFFFFF;
        fast.graphics().SetForeColor(col);
        fast.graphics().DrawLine(x1, y1, x2, y2);
        referenceLine(ref, col, x1, y1, x2, y2);
        ASSERT_TRUE(samePixels(fast, ref)) << x1 << "," << y1 << " " << x2 << "," << y2;
    }
}

TEST(PictureReference, FillsMatchOverMazesOfLinesAndNoise)
{
    std::mt19937 rng(1019);
    auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int n = 0; n < 60; ++n) {
        const int W = in(1, 140), H = in(1, 110);
        Picture fast(W, H), ref(W, H);
        for (Picture* p : {&fast, &ref}) {
            p->graphics().SetForeColor(0x808080);
            p->graphics().FillRect(0, 0, W, H);
        }
        // Noise of a second colour, then lines: borders, corridors and islands.
        const int noise = in(0, W * H / 3);
        for (int k = 0; k < noise; ++k) {
            const int x = in(0, W - 1), y = in(0, H - 1);
            fast.surface().SetPixel(x, y, 0x000000);
            ref.surface().SetPixel(x, y, 0x000000);
        }
        for (int k = in(0, 40); k > 0; --k) {
            const int x1 = in(-5, W + 5), y1 = in(-5, H + 5), x2 = in(-5, W + 5), y2 = in(-5, H + 5);
            for (Picture* p : {&fast, &ref}) {
                p->graphics().SetForeColor(0x000000);
                p->graphics().DrawLine(x1, y1, x2, y2);
            }
        }
        for (int k = 0; k < 12; ++k) {
            const int x = in(-1, W), y = in(-1, H);
            const Color c = k % 4 == 3 ? 0x000000 : static_cast<Color>(in(0, 3)) * 0x303030 + 0x102030;
            fast.surface().FloodFill(x, y, c);
            referenceFill(ref, x, y, c);
            ASSERT_TRUE(samePixels(fast, ref)) << "maze " << n << " fill " << k;
        }
    }
}

// Every pixel whose colour a drawing operation changed lies in a tile the
// picture reports as changed; pixels written with their own colour do not count.
TEST(PictureReference, ChangeTrackingCoversEveryChangedPixel)
{
    std::mt19937 rng(7);
    auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    Picture pic(150, 90), src(150, 90);
    src.graphics().SetForeColor(0x336699);
    src.graphics().FillRect(20, 10, 60, 50);
    pic.setTrackChanges(true);
    for (int n = 0; n < 300; ++n) {
        const QImage before = pic.image().copy();
        pic.clearChanges();
        Graphics& g = pic.graphics();
        g.SetForeColor(static_cast<Color>(in(0, 3)) * 0x404040);
        const int x = in(-20, 160), y = in(-20, 100), x2 = in(-20, 160), y2 = in(-20, 100);
        switch (n % 5) {
        case 0: g.DrawLine(x, y, x2, y2); break;
        case 1: pic.surface().FloodFill(x, y, g.ForeColor()); break;
        case 2: g.DrawPicture(src, x, y, in(1, 80), in(1, 80), in(-5, 100), in(-5, 60)); break;
        case 3: g.SetTextSize(in(9, 30)); g.DrawString("Wq]|", x, y); break;
        default: pic.surface().SetPixel(x, y, g.ForeColor()); break;
        }
        for (int py = 0; py < 90; ++py)
            for (int px = 0; px < 150; ++px)
                if ((before.pixel(px, py) & 0xFFFFFFu) != (std::as_const(pic).image().pixel(px, py) & 0xFFFFFFu)) {
                    ASSERT_TRUE(pic.tileChanged(px / Picture::kTile, py / Picture::kTile)) << "op " << n % 5;
                }
    }
    // The same line again changes nothing.
    pic.graphics().DrawLine(3, 4, 140, 80);
    pic.clearChanges();
    pic.graphics().DrawLine(3, 4, 140, 80);
    EXPECT_FALSE(pic.anyChange());
}
