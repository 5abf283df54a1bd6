#include "picture.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QTextLayout>
#include <QPainter>
#include <immintrin.h>
#include <sys/mman.h>

#include <cstdlib>

#include <algorithm>
#include <optional>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "codepage.h"

namespace plat {

namespace {

inline uint32_t* row(QImage& img, int y) { return reinterpret_cast<uint32_t*>(img.scanLine(y)); }
inline const uint32_t* crow(const QImage& img, int y)
{
    return reinterpret_cast<const uint32_t*>(img.constScanLine(y));
}

// First x in [from, end) whose pixel is of the colour target (alpha ignored);
// end when none. Four pixels at a time.
int findColor(const uint32_t* line, int from, int end, uint32_t target)
{
    int x = from;
    const __m128i mask = _mm_set1_epi32(0xFFFFFF), t = _mm_set1_epi32(static_cast<int>(target));
    for (; x + 4 <= end; x += 4) {
        const __m128i v = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(line + x)), mask);
        const int eq = _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(v, t)));
        if (eq) return x + __builtin_ctz(static_cast<unsigned>(eq));
    }
    for (; x < end; ++x)
        if ((line[x] & 0xFFFFFFu) == target) return x;
    return end;
}

// Fills from `from` while the pixels are of the colour target (alpha ignored),
// up to end, four at a time; gives the first x left as it was. The fill's own
// colour is not target.
int fillRight(uint32_t* line, int from, int end, uint32_t target, uint32_t fill)
{
    int x = from;
    const __m128i mask = _mm_set1_epi32(0xFFFFFF), t = _mm_set1_epi32(static_cast<int>(target));
    const __m128i f = _mm_set1_epi32(static_cast<int>(fill));
    for (; x + 4 <= end; x += 4) {
        auto* p = reinterpret_cast<__m128i*>(line + x);
        const int eq = _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(_mm_and_si128(_mm_loadu_si128(p), mask), t)));
        if (eq != 0xF) {
            const int k = __builtin_ctz(static_cast<unsigned>(~eq & 0xF));
            for (int i = 0; i < k; ++i) line[x + i] = fill;
            return x + k;
        }
        _mm_storeu_si128(p, f);
    }
    for (; x < end && (line[x] & 0xFFFFFFu) == target; ++x) line[x] = fill;
    return x;
}

// n pixels of c from p, sixteen bytes a store.
inline void fill32(uint32_t* p, int64_t n, uint32_t c)
{
    if (n <= 0) return;
    const __m128i v = _mm_set1_epi32(static_cast<int>(c));
    int64_t i = 0;
    for (; i + 16 <= n; i += 16) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i), v);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i + 4), v);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i + 8), v);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i + 12), v);
    }
    for (; i + 4 <= n; i += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i), v);
    for (; i < n; ++i) p[i] = c;
}

// Smallest i in [lo, hi] with pred(i) true, for pred false..true; hi + 1 when none.
template <class P>
int64_t firstTrue(int64_t lo, int64_t hi, P pred)
{
    int64_t a = lo, b = hi + 1;
    while (a < b) {
        int64_t m = a + (b - a) / 2;
        if (pred(m)) b = m; else a = m + 1;
    }
    return a;
}

}  // namespace

namespace {
uint64_t nextSerial()
{
    static uint64_t n = 0;
    return ++n;
}
}  // namespace

namespace {
// Pixels of a picture; a large one in memory the kernel may back with huge
// pages, so that its first touch costs a few faults, not thousands.
QImage newPixels(int w, int h)
{
    constexpr size_t kHuge = size_t(2) << 20;
    const size_t bpl = size_t(w) * 4, bytes = bpl * size_t(h);
    if (bytes < 2 * kHuge) return QImage(w, h, QImage::Format_RGB32);
    void* mem = nullptr;
    if (posix_memalign(&mem, kHuge, (bytes + kHuge - 1) / kHuge * kHuge) != 0) return QImage(w, h, QImage::Format_RGB32);
    madvise(mem, bytes, MADV_HUGEPAGE);
    return QImage(static_cast<uchar*>(mem), w, h, static_cast<qsizetype>(bpl), QImage::Format_RGB32, std::free, mem);
}
}  // namespace

Picture::Picture(int w, int h, int, Start start) : serial_(nextSerial())
{
    w = std::max(w, 1);
    h = std::max(h, 1);
    if (start == Start::PackedWhite) {
        packedW_ = w;
        packedH_ = h;
        for (int y = 0; y < h; ++y) {
            runStart_.push_back(static_cast<uint32_t>(runs_.size()));
            runs_.push_back(static_cast<uint32_t>(w));
            runs_.push_back(0xFFFFFFFFu);
        }
        runStart_.push_back(static_cast<uint32_t>(runs_.size()));
        packed_ = true;
        return;
    }
    img_ = newPixels(w, h);
    if (start == Start::White) img_.fill(0xFFFFFFFFu);
}

namespace packing {

namespace {

// Cuts a row into runs: a run ends where a pixel differs from its left neighbour.
struct RowCutter {
    const uint32_t* line;
    std::vector<uint32_t>& runs;
    int start = 0;

    void cut(int at)
    {
        runs.push_back(static_cast<uint32_t>(at - start));
        runs.push_back(line[start]);
        start = at;
    }
    // Bit i of same: pixel x + i equals its left neighbour.
    void cuts(int x, uint32_t same)
    {
        for (uint32_t diff = ~same; diff; diff &= diff - 1) cut(x + __builtin_ctz(diff));
    }
    void finish(int x, int w)
    {
        for (; x < w; ++x)
            if (line[x] != line[x - 1]) cut(x);
        cut(w);
    }
};

// Blocks of 32 from x = 1; gives where the rest starts. Most blocks go on the
// run before them: one test against its colour, kept while the run lasts.
__attribute__((target("avx2"))) int blocks32(RowCutter& r, int w)
{
    const uint32_t* line = r.line;
    int x = 1;
    __m256i c = _mm256_set1_epi32(static_cast<int>(line[0]));
    for (; x + 32 <= w; x += 32) {
        const auto* p = reinterpret_cast<const __m256i*>(line + x);
        const auto* q = reinterpret_cast<const __m256i*>(line + x - 1);
        const __m256i a0 = _mm256_loadu_si256(p), a1 = _mm256_loadu_si256(p + 1), a2 = _mm256_loadu_si256(p + 2),
                      a3 = _mm256_loadu_si256(p + 3);
        const __m256i same = _mm256_and_si256(_mm256_and_si256(_mm256_cmpeq_epi32(a0, c), _mm256_cmpeq_epi32(a1, c)),
                                              _mm256_and_si256(_mm256_cmpeq_epi32(a2, c), _mm256_cmpeq_epi32(a3, c)));
        if (_mm256_movemask_epi8(same) == -1) continue;
        auto eq = [](__m256i a, const __m256i* b) __attribute__((target("avx2"))) {
            return static_cast<uint32_t>(
                _mm256_movemask_ps(_mm256_castsi256_ps(_mm256_cmpeq_epi32(a, _mm256_loadu_si256(b)))));
        };
        r.cuts(x, eq(a0, q) | eq(a1, q + 1) << 8 | eq(a2, q + 2) << 16 | eq(a3, q + 3) << 24);
        c = _mm256_set1_epi32(static_cast<int>(line[x + 31]));
    }
    return x;
}

}  // namespace

bool hasAvx2()
{
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

void packRow(const uint32_t* line, int w, std::vector<uint32_t>& runs, bool wide)
{
    RowCutter r{line, runs};
    const int x = wide ? blocks32(r, w) : 1;
    r.finish(x, w);
}

}  // namespace packing

Picture::~Picture()
{
    if (waiting_) waiting_->finishCopy();
    if (pending_) pending_->src->waiting_ = nullptr;
}

void Picture::copyLater(Picture& src)
{
    if (&src == this) return;
    unpack();
    src.unpack();
    if (src.waiting_) src.waiting_->finishCopy();
    if (src.Width() != Width() || src.Height() != Height()) {
        graphics().DrawPicture(src, 0, 0);
        return;
    }
    // The buffers of the last late copy are used again.
    std::unique_ptr<Pending> pend = spare_ ? std::move(spare_) : std::make_unique<Pending>();
    pend->src = &src;
    pend->guarded = false;
    pend->copied.assign(size_t((Width() + kBlock - 1) / kBlock) * size_t(Height()), 0);
    pend->rowCopied.assign(size_t(Height()), 0);
    pending_ = std::move(pend);
    src.waiting_ = this;
    wrote();
}

void Picture::dropCopy()
{
    if (!pending_) return;
    pending_->src->waiting_ = nullptr;
    spare_ = std::move(pending_);
}

void Picture::guardSource()
{
    if (pending_) pending_->guarded = true;
}

void Picture::copyBlocks(const Picture& src, int64_t y, int bx1, int bx2) const
{
    const int W = img_.width();
    uint8_t* c = &pending_->copied[size_t(y) * size_t((W + kBlock - 1) / kBlock)];
    const uint32_t* from = crow(src.img_, int(y));
    uint32_t* to = row(img_, int(y));
    for (int bx = bx1; bx <= bx2;) {
        if (c[bx]) {
            ++bx;
            continue;
        }
        int end = bx;
        while (end <= bx2 && !c[end]) c[end++] = 1;
        const int xa = bx * kBlock, xb = std::min(end * kBlock, W);
        std::memcpy(to + xa, from + xa, size_t(xb - xa) * 4);
        bx = end;
    }
}

void Picture::copyNow(int64_t x1, int64_t y1, int64_t x2, int64_t y2)
{
    if (!pending_) return;
    const int W = img_.width(), H = img_.height();
    x1 = std::max<int64_t>(x1, 0);
    y1 = std::max<int64_t>(y1, 0);
    x2 = std::min<int64_t>(x2, W);
    y2 = std::min<int64_t>(y2, H);
    if (x1 >= x2 || y1 >= y2) return;
    for (int64_t y = y1; y < y2; ++y) {
        copyBlocks(*pending_->src, y, int(x1) / kBlock, int(x2 - 1) / kBlock);
        pending_->rowCopied[size_t(y)] = 1;
    }
}

void Picture::finishCopy() const
{
    Picture& src = *pending_->src;
    src.waiting_ = nullptr;
    const int W = img_.width(), H = img_.height();
    const uint32_t* from = reinterpret_cast<const uint32_t*>(src.img_.constBits());
    uint32_t* to = reinterpret_cast<uint32_t*>(img_.bits());
    const int64_t fs = src.img_.bytesPerLine() / 4, ts = img_.bytesPerLine() / 4;
    const bool packedRows = fs == W && ts == W;
    const std::vector<uint8_t>& rowCopied = pending_->rowCopied;
    for (int y = 0; y < H; ++y) {
        if (rowCopied[size_t(y)]) {
            copyBlocks(src, y, 0, (W - 1) / kBlock);
            continue;
        }
        // Rows with nothing copied yet, one block when they lie end to end.
        int end = y + 1;
        while (packedRows && end < H && !rowCopied[size_t(end)]) ++end;
        std::memcpy(to + y * ts, from + y * fs, size_t(W) * 4 * size_t(end - y));
        y = end - 1;
    }
    // Its buffers are kept for the next late copy.
    spare_ = std::move(pending_);
}

void Picture::packFrom(const Picture& src)
{
    if (waiting_) waiting_->finishCopy();
    const QImage& from = src.image();
    const int w = from.width(), h = from.height();
    // The old buffers are reused: the same map packs to about as many runs.
    std::vector<uint32_t> runs = std::move(runs_), starts = std::move(runStart_);
    runs.clear();
    starts.clear();
    starts.reserve(static_cast<size_t>(h) + 1);
    const bool wide = packing::hasAvx2();
    for (int y = 0; y < h; ++y) {
        starts.push_back(static_cast<uint32_t>(runs.size()));
        packing::packRow(crow(from, y), w, runs, wide);
    }
    starts.push_back(static_cast<uint32_t>(runs.size()));
    if (runs.capacity() > 2 * runs.size() + 4096) runs.shrink_to_fit();
    img_ = QImage();
    raw_ = {};
    runs_ = std::move(runs);
    runStart_ = std::move(starts);
    packedW_ = w;
    packedH_ = h;
    packed_ = true;
    wrote();
    if (tracking_) setTrackChanges(true), changedAll();
}

void Picture::readRow(int y, int x, int n, uint32_t* out) const
{
    if (pending_) finishCopy();
    if (!packed_) {
        std::copy_n(crow(img_, y) + x, n, out);
        return;
    }
    const uint32_t* r = runs_.data() + runStart_[static_cast<size_t>(y)];
    const uint32_t* end = runs_.data() + runStart_[static_cast<size_t>(y) + 1];
    int at = 0;
    for (; r < end && n > 0; r += 2) {
        const int len = static_cast<int>(r[0]);
        if (at + len > x) {
            const int from = std::max(x, at), k = std::min(at + len - from, n);
            fill32(out, k, r[1]);
            out += k;
            n -= k;
            x = from + k;
        }
        at += len;
    }
}

void Picture::unpackNow() const
{
    img_ = newPixels(packedW_, packedH_);
    raw_ = {};
    for (int y = 0; y < packedH_; ++y) readRow(y, 0, packedW_, reinterpret_cast<uint32_t*>(img_.scanLine(y)));
    packed_ = false;
    runs_ = {};
    runStart_ = {};
}

Picture::Picture(const QImage& img) : img_(img.convertToFormat(QImage::Format_RGB32)), serial_(nextSerial()) {}

void Picture::setTrackChanges(bool on)
{
    tracking_ = on;
    tilesX_ = on ? (Width() + kTile - 1) >> kTileShift : 0;
    tilesY_ = on ? (Height() + kTile - 1) >> kTileShift : 0;
    tiles_.assign(static_cast<size_t>(tilesX_) * tilesY_, 0);
    anyChange_ = false;
}

void Picture::clearChanges()
{
    std::fill(tiles_.begin(), tiles_.end(), 0);
    anyChange_ = false;
}

void Picture::changedAll()
{
    ++version_;
    if (!tracking_) return;
    std::fill(tiles_.begin(), tiles_.end(), 1);
    anyChange_ = true;
}

void Picture::changedRect(int64_t x1, int64_t y1, int64_t x2, int64_t y2)
{
    if (!tracking_) return;
    x1 = std::max<int64_t>(x1, 0);
    y1 = std::max<int64_t>(y1, 0);
    x2 = std::min<int64_t>(x2, Width());
    y2 = std::min<int64_t>(y2, Height());
    if (x1 >= x2 || y1 >= y2) return;
    for (int64_t ty = y1 >> kTileShift; ty <= (y2 - 1) >> kTileShift; ++ty)
        for (int64_t tx = x1 >> kTileShift; tx <= (x2 - 1) >> kTileShift; ++tx)
            tiles_[static_cast<size_t>(ty) * tilesX_ + static_cast<size_t>(tx)] = 1;
    anyChange_ = true;
}

std::unique_ptr<Picture> NewPicture(int w, int h, int depth, Start start)
{
    return std::make_unique<Picture>(w, h, depth, start);
}

Graphics::Graphics(Picture& pic) : pic_(pic) {}
Graphics::~Graphics() = default;

void Graphics::beginText()
{
    if (!painter_) painter_ = std::make_unique<QPainter>(&pic_.pixels());
}

void Graphics::endText() { painter_.reset(); }

int Graphics::Width() const { return pic_.Width(); }
int Graphics::Height() const { return pic_.Height(); }

void Graphics::FillRect(int x, int y, int w, int h)
{
    QImage& img = pic_.pixels();
    int64_t x1 = std::max<int64_t>(x, 0), y1 = std::max<int64_t>(y, 0);
    int64_t x2 = std::min<int64_t>(int64_t(x) + w, img.width());
    int64_t y2 = std::min<int64_t>(int64_t(y) + h, img.height());
    if (x1 >= x2 || y1 >= y2) return;
    const uint32_t c = 0xFF000000u | fore_;
    if (x1 == 0 && x2 == img.width() && img.bytesPerLine() == int64_t(img.width()) * 4) {
        // Whole rows one after another: one string store, which the processor
        // writes in whole lines without reading them first.
        uint32_t* p = row(img, static_cast<int>(y1));
        size_t n = static_cast<size_t>((y2 - y1) * x2);
        asm volatile("rep stosl" : "+D"(p), "+c"(n) : "a"(c) : "memory");
    } else {
        for (int64_t yy = y1; yy < y2; ++yy) fill32(row(img, static_cast<int>(yy)) + x1, x2 - x1, c);
    }
    pic_.wrote();
    pic_.changedRect(x1, y1, x2, y2);
}

void Graphics::DrawRect(int x, int y, int w, int h)
{
    if (w <= 0 || h <= 0) return;
    FillRect(x, y, w, 1);
    FillRect(x, y + h - 1, w, 1);
    FillRect(x, y, 1, h);
    FillRect(x + w - 1, y, 1, h);
}

void Graphics::DrawLine(int x1, int y1, int x2, int y2)
{
    const Picture::Raw& img = pic_.raw();
    const int64_t W = img.w, H = img.h;
    // Every pixel of the line lies in the box of its ends.
    if (std::max(x1, x2) < 0 || std::min(x1, x2) >= W || std::max(y1, y2) < 0 || std::min(y1, y2) >= H) return;
    const uint32_t c = 0xFF000000u | fore_;
    const int64_t dx = int64_t(x2) - x1, dy = int64_t(y2) - y1;
    const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    const bool xMajor = adx >= ady;
    // Major axis a, minor axis b; pixel i is (a0 + sa*i, b0 + sb*f(i)) with
    // f(i) = floor((2*i*minor + major) / (2*major)), the midpoint rule.
    const int64_t major = xMajor ? adx : ady, minor = xMajor ? ady : adx;
    const int64_t a0 = xMajor ? x1 : y1, b0 = xMajor ? y1 : x1;
    const int64_t sa = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int64_t sb = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const int64_t aLimit = xMajor ? W : H, bLimit = xMajor ? H : W;
    // Below 2^30 steps the numerator fits 64 bits.
    const bool narrow = major < (int64_t(1) << 30);
    auto f = [&](int64_t i) -> int64_t {
        if (major == 0) return 0;
        if (narrow) return (2 * i * minor + major) / (2 * major);
        __int128 num = __int128(2) * i * minor + major;
        return static_cast<int64_t>(num / (__int128(2) * major));
    };
    // Both ends inside: every step is drawn, no clipping to work out. Untracked,
    // one pointer walks: a step along the major axis, one across now and then.
    const bool inside = x1 >= 0 && x1 < W && x2 >= 0 && x2 < W && y1 >= 0 && y1 < H && y2 >= 0 && y2 < H;
    if (inside && !pic_.trackingChanges()) {
        pic_.wrote();
        const int64_t stride = img.stride;
        uint32_t* p = img.bits + y1 * stride + x1;
        if (major == 0) {
            *p = c;
            return;
        }
        const int64_t den = 2 * major, inc = 2 * minor;
        int64_t rem = major;
        const int64_t stepA = xMajor ? sa : sa * stride, stepB = xMajor ? sb * stride : sb;
        for (int64_t i = 0; i < major; ++i) {
            *p = c;
            p += stepA;
            rem += inc;
            if (rem >= den) {
                rem -= den;
                p += stepB;
            }
        }
        *p = c;
        return;
    }
    int64_t first = 0, last = major;
    if (!inside) {
        // Steps whose major coordinate is inside the picture.
        int64_t lo, hi;
        if (sa > 0) { lo = -a0; hi = aLimit - 1 - a0; }
        else { lo = a0 - (aLimit - 1); hi = a0; }
        lo = std::max<int64_t>(lo, 0);
        hi = std::min<int64_t>(hi, major);
        if (lo > hi) return;
        // f is non-decreasing: keep the steps whose minor coordinate is inside too.
        int64_t fLo, fHi;
        if (sb > 0) { fLo = -b0; fHi = bLimit - 1 - b0; }
        else { fLo = b0 - (bLimit - 1); fHi = b0; }
        if (fLo > fHi) return;
        first = firstTrue(lo, hi, [&](int64_t i) { return f(i) >= fLo; });
        last = firstTrue(lo, hi, [&](int64_t i) { return f(i) > fHi; }) - 1;
        if (first > last) return;
    }
    pic_.wrote();
    // From the first step on, f follows by one remainder: num = q * 2 * major + rem.
    uint32_t* bits = img.bits;
    const int64_t stride = img.stride;
    const int64_t den = 2 * major, inc = 2 * minor;
    int64_t q = f(first);
    int64_t rem = major == 0 ? 0 : static_cast<int64_t>(__int128(2) * first * minor + major - __int128(q) * den);
    int64_t a = a0 + sa * first;
    const bool track = pic_.trackingChanges();
    for (int64_t i = first; i <= last; ++i) {
        const int64_t b = b0 + sb * q;
        const int64_t px = xMajor ? a : b, py = xMajor ? b : a;
        uint32_t& dst = bits[py * stride + px];
        if (track && (dst & 0xFFFFFFu) != (c & 0xFFFFFFu)) pic_.changedPixel(static_cast<int>(px), static_cast<int>(py));
        dst = c;
        a += sa;
        rem += inc;
        if (rem >= den && major != 0) {
            rem -= den;
            ++q;
        }
    }
}

void Graphics::FillOval(int x, int y, int w, int h)
{
    endText();
    QPainter pt(&pic_.pixels());
    pt.setRenderHint(QPainter::Antialiasing, false);
    pt.setPen(Qt::NoPen);
    pt.setBrush(QColor::fromRgb(fore_));
    pt.drawEllipse(x, y, w, h);
    pic_.wrote();
    pic_.changedRect(int64_t(x) - 1, int64_t(y) - 1, int64_t(x) + w + 2, int64_t(y) + h + 2);
}

void Graphics::DrawOval(int x, int y, int w, int h)
{
    endText();
    QPainter pt(&pic_.pixels());
    pt.setRenderHint(QPainter::Antialiasing, false);
    pt.setPen(QColor::fromRgb(fore_));
    pt.setBrush(Qt::NoBrush);
    pt.drawEllipse(x, y, w - 1, h - 1);
    pic_.wrote();
    pic_.changedRect(int64_t(x) - 1, int64_t(y) - 1, int64_t(x) + w + 2, int64_t(y) + h + 2);
}

void Graphics::DrawPicture(const Picture& src, int x, int y, int w, int h, int sx, int sy, int sw, int sh)
{
    if (w == kDefaultSize) w = src.Width();
    if (h == kDefaultSize) h = src.Height();
    if (sw == kDefaultSize) sw = w;
    if (sh == kDefaultSize) sh = h;
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
    QImage& dst = pic_.pixels();
    if (w == sw && h == sh) {
        const QImage& s = src.packed() ? dst : src.image();  // s is read only when src is unpacked
        // Unscaled block copy, clipped to both pictures.
        int64_t dx1 = x, dy1 = y, sx1 = sx, sy1 = sy, cw = w, ch = h;
        if (sx1 < 0) { dx1 -= sx1; cw += sx1; sx1 = 0; }
        if (sy1 < 0) { dy1 -= sy1; ch += sy1; sy1 = 0; }
        if (dx1 < 0) { sx1 -= dx1; cw += dx1; dx1 = 0; }
        if (dy1 < 0) { sy1 -= dy1; ch += dy1; dy1 = 0; }
        cw = std::min({cw, int64_t(src.Width()) - sx1, int64_t(dst.width()) - dx1});
        ch = std::min({ch, int64_t(src.Height()) - sy1, int64_t(dst.height()) - dy1});
        if (cw <= 0 || ch <= 0) return;
        pic_.wrote();
        // Row r of the source block.
        std::vector<uint32_t> unpacked(src.packed() ? static_cast<size_t>(cw) : 0);
        const auto srcRow = [&](int64_t r) -> const uint32_t* {
            if (!src.packed()) return crow(s, static_cast<int>(sy1 + r)) + sx1;
            src.readRow(static_cast<int>(sy1 + r), static_cast<int>(sx1), static_cast<int>(cw), unpacked.data());
            return unpacked.data();
        };
        const bool self = &src == &pic_;
        if (self) pic_.changedRect(dx1, dy1, dx1 + cw, dy1 + ch);
        if (self) {
            QImage copy = s.copy(static_cast<int>(sx1), static_cast<int>(sy1), static_cast<int>(cw),
                                 static_cast<int>(ch));
            for (int64_t r = 0; r < ch; ++r)
                std::copy_n(crow(copy, static_cast<int>(r)), cw, row(dst, static_cast<int>(dy1 + r)) + dx1);
            return;
        }
        // A copy of much of the picture is counted whole: comparing first
        // would cost more than it could save.
        if (pic_.trackingChanges() && cw * ch * 4 >= int64_t(dst.width()) * dst.height()) pic_.changedRect(dx1, dy1, dx1 + cw, dy1 + ch);
        if (!pic_.trackingChanges() || cw * ch * 4 >= int64_t(dst.width()) * dst.height()) {
            // Whole rows of two pictures without gaps between rows: one copy.
            const int64_t rowBytes = cw * 4;
            if (!src.packed() && cw == s.width() && cw == dst.width() && s.bytesPerLine() == rowBytes &&
                dst.bytesPerLine() == rowBytes) {
                std::memcpy(row(dst, static_cast<int>(dy1)), crow(s, static_cast<int>(sy1)), static_cast<size_t>(rowBytes * ch));
                return;
            }
            for (int64_t r = 0; r < ch; ++r) {
                uint32_t* to = row(dst, static_cast<int>(dy1 + r)) + dx1;
                if (src.packed()) src.readRow(static_cast<int>(sy1 + r), static_cast<int>(sx1), static_cast<int>(cw), to);
                else std::copy_n(srcRow(r), cw, to);
            }
            return;
        }
        // Tile by tile, so that only what differs counts as changed.
        for (int64_t r = 0; r < ch; ++r) {
            const uint32_t* from = srcRow(r);
            uint32_t* to = row(dst, static_cast<int>(dy1 + r)) + dx1;
            const int64_t yy = dy1 + r;
            for (int64_t c0 = 0; c0 < cw;) {
                const int64_t xx = dx1 + c0;
                const int64_t n = std::min<int64_t>(cw - c0, Picture::kTile - (xx & (Picture::kTile - 1)));
                if (std::memcmp(from + c0, to + c0, static_cast<size_t>(n) * 4) != 0) {
                    std::copy_n(from + c0, n, to + c0);
                    pic_.changedPixel(static_cast<int>(xx), static_cast<int>(yy));
                }
                c0 += n;
            }
        }
        return;
    }
    endText();
    QPainter pt(&dst);
    pt.setRenderHint(QPainter::SmoothPixmapTransform, true);
    pt.drawImage(QRect(x, y, w, h), src.image(), QRect(sx, sy, sw, sh));
    pic_.wrote();
    pic_.changedRect(x, y, int64_t(x) + w, int64_t(y) + h);
}

void Graphics::DrawImage(const QImage& src, int x, int y)
{
    endText();
    QPainter pt(&pic_.pixels());
    pt.drawImage(x, y, src);
    pic_.wrote();
    pic_.changedRect(x, y, int64_t(x) + src.width(), int64_t(y) + src.height());
}

// The font of the current settings and its metrics, made again only when a setting changed.
struct Graphics::FontCache {
    std::string family;
    int size;
    bool bold, italic, underline, oldRenderer;
    QFont font;
    QFontMetrics metrics;
    // Widths measured in this font, by code page and text.
    std::unordered_map<std::string, int> widths{};
    // Asked for by every label: kept rather than asked of the font engine.
    int height = metrics.height(), ascent = metrics.ascent();
    // Strings drawn in this font, by code page and text: a string met for
    // the second time is shaped and kept, and drawn from its glyphs after.
    struct Shape {
        bool shaped = false, boxed = false;
        QList<QGlyphRun> runs;
        QRect ink;
    };
    std::unordered_map<std::string, Shape> shapes{};

    bool is(const Graphics& g) const
    {
        return size == g.size_ && bold == g.bold_ && italic == g.italic_ && underline == g.underline_ &&
               oldRenderer == g.oldRenderer_ && family == g.font_;
    }
};

const Graphics::FontCache& Graphics::font() const
{
    if (font_cache_ && font_cache_->is(*this)) return *font_cache_;
    for (const auto& c : fonts_)
        if (c->is(*this)) return *(font_cache_ = c);
    QFont f;
    f.setFamilies({QString::fromStdString(font_), QString::fromLatin1(kSerifFallback)});
    f.setPixelSize(std::max(size_, 1));
    f.setBold(bold_);
    f.setItalic(italic_);
    f.setUnderline(underline_);
    f.setStyleStrategy(oldRenderer_ ? QFont::NoAntialias : QFont::PreferAntialias);
    font_cache_ = std::make_shared<FontCache>(FontCache{font_, size_, bold_, italic_, underline_, oldRenderer_, f, QFontMetrics(f)});
    // The map's labels come in a few dozen sizes.
    if (fonts_.size() >= 64) fonts_.erase(fonts_.begin());
    fonts_.push_back(font_cache_);
    return *font_cache_;
}

std::string Graphics::TextFontInUse() const { return QFontInfo(font().font).family().toStdString(); }

QList<QGlyphRun> shapeLine(const QString& text, const QFont& font)
{
    QTextLayout tl(text, font);
    tl.beginLayout();
    QTextLine line = tl.createLine();
    line.setLineWidth(1e6);
    tl.endLayout();
    QList<QGlyphRun> runs = tl.glyphRuns();
    const QPointF base(0, line.ascent());
    for (QGlyphRun& r : runs) {
        QList<QPointF> at = r.positions();
        for (QPointF& p : at) p -= base;
        r.setPositions(at);
    }
    return runs;
}

void drawImageByRects(QPainter& p, const QRegion& region, const QImage& img, QPoint from)
{
    for (const QRect& r : region) {
        p.setClipRect(r);
        p.drawImage(r.topLeft(), img, r.translated(from));
    }
}

void Graphics::DrawString(std::string_view text, int x, int y)
{
    if (text.empty()) return;
    pic_.beforeWrite();
    std::optional<QPainter> own;
    QPainter* pt = painter_.get();
    if (!pt) pt = &own.emplace(&pic_.pixels());
    auto& f = const_cast<FontCache&>(font());
    pt->setRenderHint(QPainter::TextAntialiasing, !oldRenderer_);
    pt->setFont(f.font);
    pt->setPen(QColor::fromRgb(fore_));
    std::string key(1, static_cast<char>(cp_));
    key.append(text);
    if (f.shapes.size() >= 8192) f.shapes.clear();
    const auto [at, fresh] = f.shapes.try_emplace(std::move(key));
    FontCache::Shape& sh = at->second;
    // Decoded only when asked for, and once.
    std::optional<QString> str;
    const auto decoded = [&]() -> const QString& { return str ? *str : str.emplace(decode(text, cp_)); };
    // Qt underlines a glyph run one pixel longer than the same text drawn.
    if (fresh || underline_) {
        pt->drawText(x, y, decoded());
    } else {
        if (!sh.shaped) {
            sh.runs = shapeLine(decoded(), f.font);
            sh.shaped = true;
        }
        for (const QGlyphRun& r : sh.runs) pt->drawGlyphRun(QPointF(x, y), r);
    }
    pic_.wrote();
    if (pic_.trackingChanges()) {
        if (!sh.boxed) {
            sh.ink = f.metrics.boundingRect(decoded());
            sh.boxed = true;
        }
        const QRect r = sh.ink;
        const int m = InkMargin(size_);
        pic_.changedRect(int64_t(x) + r.left() - m, int64_t(y) + r.top() - m, int64_t(x) + r.right() + 1 + m,
                         int64_t(y) + r.bottom() + 1 + m);
    }
}

int Graphics::TextHeight() const { return font().height; }
int Graphics::TextAscent() const { return font().ascent; }

int Graphics::StringWidth(std::string_view text) const
{
    auto& widths = const_cast<FontCache&>(font()).widths;
    std::string key(1, static_cast<char>(cp_));
    key.append(text);
    if (auto it = widths.find(key); it != widths.end()) return it->second;
    if (widths.size() >= 8192) widths.clear();
    const int w = font().metrics.horizontalAdvance(decode(text, cp_));
    widths.emplace(std::move(key), w);
    return w;
}

QRect Graphics::TextBounds(std::string_view text) const { return font().metrics.boundingRect(decode(text, cp_)); }

Color RGBSurface::Pixel(int x, int y) const
{
    if (!pic_.contains(x, y)) return kOutside;
    return crow(std::as_const(pic_).image(), y)[x] & 0xFFFFFFu;
}

void RGBSurface::SetPixel(int x, int y, Color c)
{
    if (!pic_.contains(x, y)) return;
    uint32_t& px = row(pic_.pixels(), y)[x];
    if (pic_.trackingChanges() && (px & 0xFFFFFFu) != (c & 0xFFFFFFu)) pic_.changedPixel(x, y);
    px = 0xFF000000u | (c & 0xFFFFFFu);
    pic_.wrote();
}

void RGBSurface::FloodFill(int x, int y, Color c)
{
    if (!pic_.contains(x, y)) return;
    QImage& img = pic_.pixels();
    const int W = img.width(), H = img.height();
    uint32_t* bits = reinterpret_cast<uint32_t*>(img.bits());
    const qsizetype stride = img.bytesPerLine() / 4;
    const uint32_t target = bits[y * stride + x] & 0xFFFFFFu;
    const uint32_t fill = 0xFF000000u | (c & 0xFFFFFFu);
    if (target == (c & 0xFFFFFFu)) return;
    pic_.wrote();
    const bool track = pic_.trackingChanges();
    auto same = [target](uint32_t px) { return (px & 0xFFFFFFu) == target; };
    // Span fill: a segment is a run of row py - dy already filled; row py is
    // explored under it only, and the parts of a new run that reach past the
    // segment are sent back towards the row it came from.
    struct Seg {
        int y, x1, x2, dy;
    };
    std::vector<Seg> stack;
    stack.reserve(64);
    auto push = [&](int py, int x1, int x2, int dy) {
        if (py + dy >= 0 && py + dy < H) stack.push_back({py, x1, x2, dy});
    };
    push(y, x, x, 1);
    push(y + 1, x, x, -1);
    while (!stack.empty()) {
        const Seg s = stack.back();
        stack.pop_back();
        const int dy = s.dy, py = s.y + dy, x1 = s.x1, x2 = s.x2;
        uint32_t* line = bits + py * stride;
        // The rows likely next: the one beyond this in the same direction, across
        // the segment, and the stack's top; asked for now, they arrive while
        // this row is done.
        if (py + dy >= 0 && py + dy < H) {
            const char* ahead = reinterpret_cast<const char*>(line + dy * stride);
            for (int xx = x1; xx <= x2 + 15; xx += 16) _mm_prefetch(ahead + 4 * std::min(xx, W - 1), _MM_HINT_T0);
        }
        if (!stack.empty()) {
            const Seg& n = stack.back();
            _mm_prefetch(reinterpret_cast<const char*>(bits + (n.y + n.dy) * stride + n.x1), _MM_HINT_T0);
        }
        int px = x1;
        if (same(line[px])) {
            // Leftwards four at a time while all four match.
            while (px >= 4) {
                const __m128i v = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(line + px - 4)),
                                                _mm_set1_epi32(0xFFFFFF));
                if (_mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(v, _mm_set1_epi32(static_cast<int>(target))))) != 0xF)
                    break;
                px -= 4;
            }
            while (px >= 0 && same(line[px])) --px;
        }
        int l = px + 1;
        fill32(line + l, std::max(l, x1 + 1) - l, fill);
        const int first = l;
        int end = first;  // one past the last pixel filled on this row
        if (px < x1) {
            if (l < x1) push(py, l, x1 - 1, -dy);
            px = fillRight(line, x1 + 1, W, target, fill);
            end = px;
            push(py, l, px - 1, dy);
            if (px > x2 + 1) push(py, x2 + 1, px - 1, -dy);
        }
        // Further runs that start under the segment.
        for (;;) {
            px = findColor(line, px + 1, x2 + 1, target);
            if (px > x2) break;
            l = px;
            px = fillRight(line, px, W, target, fill);
            end = px;
            push(py, l, px - 1, dy);
            if (px > x2 + 1) push(py, x2 + 1, px - 1, -dy);
        }
        if (track && end > first) pic_.changedRect(first, py, end, py + 1);
    }
}

}  // namespace plat
