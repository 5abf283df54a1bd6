// The text layer: place labels with their name markup, city marks, and city
// names at the least crowded of four places around the mark. The layer is
// first listed as items, each with the box of every pixel it reads or
// writes, then drawn; a date step draws again only the items that changed
// and those that meet them, over what it restored from p1.
#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_map>
#include <unordered_set>

#include "engine/engine.h"
#include "engine/mapdraw.h"
#include "platform/text.h"

namespace quil2a {

using mapdraw::mix;
using mapdraw::mixv;

using plat::Int;

namespace {

// The shown part of a marked-up name: cut before the first "^" from byte 2 on,
// then a "^" in byte 1 dropped.
plat::Bytes shownName(const plat::Bytes& name)
{
    const int32_t k = plat::InStrB(2, name, "^");
    plat::Bytes text = k > 0 ? plat::LeftB(name, k - 1) : name;
    if (plat::LeftB(text, 1) == "^") text = plat::MidB(text, 2);
    return text;
}


// A box of pixels [x1, x2) x [y1, y2).
struct Box {
    int32_t x1, y1, x2, y2;
};

// Ink of text drawn at (x, y), widened by a margin.
Box inkBox(const QRect& ink, int32_t x, int32_t y, int32_t size)
{
    const int m = plat::Graphics::InkMargin(size);
    return {x + ink.left() - m, y + ink.top() - m, x + ink.right() + 1 + m, y + ink.bottom() + 1 + m};
}

// A city mark: its two lines of arm pixels each way from (sx, sy).
Box markBox(double sx, double sy, int32_t arm)
{
    return {std::min(Int(sx - arm), Int(sx)), std::min(Int(sy - arm), Int(sy)), std::max(Int(sx + arm), Int(sx)) + 1,
            std::max(Int(sy + arm), Int(sy)) + 1};
}

void addBox(TextItem& it, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    it.x1 = std::min(it.x1, x1);
    it.y1 = std::min(it.y1, y1);
    it.x2 = std::max(it.x2, x2);
    it.y2 = std::max(it.y2, y2);
}

void addBox(TextItem& it, const Box& b) { addBox(it, b.x1, b.y1, b.x2, b.y2); }

void setBox(TextItem& it, const Box& b)
{
    it.x1 = b.x1;
    it.y1 = b.y1;
    it.x2 = b.x2;
    it.y2 = b.y2;
}

// A city name's four candidate offsets, in the order tried: right, below, left, above.
void cityOffsets(const TextItem& it, std::array<int32_t, 4>& dx, std::array<int32_t, 4>& dy)
{
    const double h = it.h, w = it.w;
    dx = {Int(h / 3), Int(-w / 2), Int(-(w + h / 3)), Int(-w / 2)};
    dy = {Int(h / 3), Int(h), Int(h / 3), Int(-h / 3)};
}

}  // namespace

MapEngine::TextMetrics MapEngine::measure(const plat::Graphics& g, const plat::Bytes& text)
{
    std::string key;
    key.reserve(text.size() + 16);
    const int32_t size = g.TextSize();
    key.append(reinterpret_cast<const char*>(&size), sizeof size);
    key += static_cast<char>((g.Bold() ? 1 : 0) | (g.Italic() ? 2 : 0) | (g.Underline() ? 4 : 0) |
                             (g.UseOldRenderer() ? 8 : 0) | (static_cast<int>(g.TextCodePage()) << 4));
    key += g.TextFont();
    key += '\0';
    key += text;
    auto it = metrics_.find(key);
    if (it != metrics_.end()) return it->second;
    TextMetrics tm;
    tm.width = g.StringWidth(text);
    tm.ink = g.TextBounds(text);
    if (metrics_.size() >= kMaxMeasured) metrics_.clear();
    metrics_.emplace(std::move(key), tm);
    return tm;
}

std::vector<TextItem> MapEngine::textItems(plat::Picture& pic, int32_t W, int32_t H, int32_t& endSize)
{
    std::vector<TextItem> items;
    items.reserve(m.textLayer.items.size() + 16);  // about as many as last time
    plat::Graphics& g = pic.graphics();
    endSize = g.TextSize();

    if (m.countrynameson) {
        for (int32_t i = 1; i <= a.place.ubound(); ++i) {
            const placetype* pl = a.place[i].get();
            if (!pl) break;
            if (!pl->active) continue;
            int32_t size = Int(plat::Round(18 * m.scale * pl->fontsize));
            if (size > 36) size = 36;
            if (size <= 8) continue;
            g.SetTextSize(size);
            endSize = size;
            const double sx = screenx(pl->xlab), sy = screeny(pl->ylab);
            const int32_t h = g.TextHeight();
            const plat::Bytes shown = shownName(pl->name);
            const int32_t n = static_cast<int32_t>(std::count(shown.begin(), shown.end(), ']'));
            double y = sy - n * h / 2.0;
            // Every line above or below the picture: nothing to measure.
            if (shown.empty() || y >= H || y + (n + 1.0) * h <= 0) continue;
            for (const auto& line : plat::Split(shown, "]")) {
                const TextMetrics tm = measure(g, line);
                const int32_t w = tm.width;
                const double x = sx - w / 2.0;
                if (x < W && x + w > 0 && y < H && y + h > 0) {
                    TextItem it;
                    it.index = i;
                    it.size = size;
                    it.text = line;
                    it.x = Int(x);
                    it.y = Int(y);
                    setBox(it, inkBox(tm.ink, it.x, it.y, size));
                    uint64_t k = mixv(mixv(mixv(mixv(mapdraw::kHashStart, i), size), it.x), it.y);
                    it.key = mix(k, line.data(), line.size());
                    items.push_back(std::move(it));
                }
                y += h;
            }
        }
    }

    if (m.citieson) {
        int32_t textSize = Int(60 * m.scale);
        if (textSize > 12) textSize = 12;
        const int32_t arm = Int(plat::Round(6 * m.scale));
        g.SetTextSize(textSize);
        endSize = textSize;
        const bool names = m.citynameson && textSize > 8;
        const double hh = names ? g.TextHeight() : 0;
        const double d = m.maindate * 10;
        for (int32_t i = 1; i <= a.city.ubound() && m.scale >= 0.05; ++i) {
            const citiestype* c = a.city[i].get();
            if (!c) break;
            if (!(c->date1 <= d && d <= c->date2)) continue;
            const double sx = screenx(c->x), sy = screeny(c->y);
            if (!(-200 < sx && sx < W + 200 && -50 < sy && sy < H + 50)) continue;
            TextItem it;
            it.city = true;
            it.index = i;
            it.size = textSize;
            it.sx = sx;
            it.sy = sy;
            it.arm = arm;
            it.names = names;
            setBox(it, markBox(sx, sy, arm));
            if (names) {
                it.text = c->name;
                it.h = hh;
                const TextMetrics tm = measure(g, c->name);
                it.w = tm.width;
                std::array<int32_t, 4> dx, dy;
                cityOffsets(it, dx, dy);
                for (int k = 0; k < 4; ++k) {
                    // The samples of the candidate, and its name drawn there.
                    const double y0 = sy + dy[k] - 0.7 * it.h, x0 = sx + dx[k];
                    addBox(it, Int(x0) - 1, Int(y0) - 1, Int(x0 + it.w) + 2, Int(y0 + 0.75 * it.h) + 2);
                    addBox(it, inkBox(tm.ink, Int(sx + dx[k]), Int(sy + dy[k]), textSize));
                }
            }
            uint64_t k = mixv(mixv(mixv(mixv(mixv(mixv(7ull, i), sx), sy), arm), textSize), names);
            it.key = mix(k, it.text.data(), it.text.size());
            items.push_back(std::move(it));
        }
    }
    return items;
}

void MapEngine::drawTextItem(plat::Picture& pic, const TextItem& it, plat::Picture* under)
{
    plat::Graphics& g = pic.graphics();
    g.SetTextSize(it.size);
    if (!it.city) {
        g.SetForeColor(a.placenamecolor);
        if (under) under->copyNow(it.x1, it.y1, it.x2, it.y2);
        g.DrawString(it.text, it.x, it.y);
        return;
    }
    g.SetForeColor(a.citynamecolor);
    const double sx = it.sx, sy = it.sy;
    const int32_t arm = it.arm;
    if (under) {
        const Box b = markBox(sx, sy, arm);
        under->copyNow(b.x1, b.y1, b.x2, b.y2);
    }
    g.DrawLine(Int(sx - arm), Int(sy), Int(sx + arm), Int(sy));
    g.DrawLine(Int(sx), Int(sy - arm), Int(sx), Int(sy + arm));
    if (!it.names) return;

    plat::RGBSurface& s = pic.surface();
    const double h = it.h, w = it.w;
    std::array<int32_t, 4> dx, dy;
    cityOffsets(it, dx, dy);
    int best = 0, bestCost = 256;
    for (int k = 0; k < 4; ++k) {
        int cost = 0;
        plat::Color prev = 0x010101;
        const double y0 = sy + dy[k] - 0.7 * h, x0 = sx + dx[k];
        for (double y = y0; y <= y0 + 0.75 * h; y += 4) {
            for (double x = x0; x <= x0 + w; x += 2) {
                const int px = Int(x), py = Int(y);
                // Off the picture a sample counts as border: a name is kept
                // on the picture as it is kept off the borders.
                const plat::Color col = pic.contains(px, py) ? s.Pixel(px, py) : a.bordercolor;
                if (col != prev) ++cost;
                if (col == a.bordercolor) ++cost;
                if (col == a.citynamecolor) ++cost;
                prev = col;
            }
        }
        if (k == 0 && cost == 1) {
            best = 0;
            break;
        }
        if (cost < bestCost) {
            best = k;
            bestCost = cost;
        }
    }
    if (under) {
        const Box b = inkBox(measure(g, it.text).ink, Int(sx + dx[best]), Int(sy + dy[best]), it.size);
        under->copyNow(b.x1, b.y1, b.x2, b.y2);
    }
    g.DrawString(it.text, Int(sx + dx[best]), Int(sy + dy[best]));
}

void MapEngine::endText(plat::Picture& pic, int32_t endSize)
{
    plat::Graphics& g = pic.graphics();
    g.SetForeColor(m.citieson ? a.citynamecolor : a.placenamecolor);
    g.SetTextSize(endSize);
    g.SetUseOldRenderer(true);
}

void MapEngine::drawText(plat::Picture& pic, bool ownSize, bool record)
{
    const bool isP = m.p && &pic == m.p.get();
    if (isP) m.textLayer.valid = false;
    if (!m.countrynameson && !m.citieson) {
        if (isP && record && m.p1) {
            m.p1->guardSource();
            m.textLayer = TextLayerRecord{true, pic.version(), {}};
            m.p1->clearChanges();
        }
        return;
    }
    const int32_t W = ownSize ? pic.Width() : m.mapscreenwid;
    const int32_t H = ownSize ? pic.Height() : m.mapscreenht;
    plat::Graphics& g = pic.graphics();
    g.SetUseOldRenderer(false);
    g.SetForeColor(a.placenamecolor);
    g.SetTextFont(plat::kSerif);
    g.SetCodePage(a.textCodePage());
    int32_t endSize = 0;
    std::vector<TextItem> items = textItems(pic, W, H, endSize);
    // A late copy of p into p1 takes what the text covers first.
    plat::Picture* under = isP && record && m.p1 && m.p1->copyPending() ? m.p1.get() : nullptr;
    g.beginText();
    for (const TextItem& it : items) drawTextItem(pic, it, under);
    g.endText();
    endText(pic, endSize);
    if (under) under->guardSource();
    if (isP && record && m.p1) {
        m.textLayer = TextLayerRecord{true, pic.version(), std::move(items)};
        m.p1->clearChanges();
    }
}

void MapEngine::displaymaptext(plat::Picture& pic, bool ownSize) { drawText(pic, ownSize, false); }

bool MapEngine::steptext()
{
    TextLayerRecord& rec = m.textLayer;
    if (!m.p || !m.p1 || !rec.valid || m.p->version() != rec.pVersion || !m.p1->trackingChanges()) return false;
    plat::Picture& p = *m.p;
    plat::Picture& p1 = *m.p1;
    if (p.Width() != p1.Width() || p.Height() != p1.Height() || p.Width() != m.mapscreenwid ||
        p.Height() != m.mapscreenht)
        return false;
    rec.valid = false;

    plat::Graphics& g = p.graphics();
    g.SetUseOldRenderer(false);
    g.SetTextFont(plat::kSerif);
    g.SetCodePage(a.textCodePage());
    int32_t endSize = 0;
    std::vector<TextItem> items;
    if (m.countrynameson || m.citieson) items = textItems(p, m.mapscreenwid, m.mapscreenht, endSize);

    // The tiles to restore from p1: what p1 changed, and every item that
    // came or went.
    const int TX = p1.tilesAcross(), TY = p1.tilesDown(), sh = plat::Picture::kTileShift;
    std::vector<uint8_t> dirty(static_cast<size_t>(TX) * TY, 0);
    for (int ty = 0; ty < TY; ++ty)
        for (int tx = 0; tx < TX; ++tx) dirty[static_cast<size_t>(ty) * TX + tx] = p1.tileChanged(tx, ty);
    auto clampT = [](int32_t v, int n) { return std::clamp(v, 0, n - 1); };
    auto tilesOf = [&](const TextItem& it, int& tx1, int& ty1, int& tx2, int& ty2) {
        if (it.x2 <= 0 || it.y2 <= 0 || it.x1 >= p.Width() || it.y1 >= p.Height() || it.x1 >= it.x2 || it.y1 >= it.y2)
            return false;
        tx1 = clampT(it.x1 >> sh, TX);
        ty1 = clampT(it.y1 >> sh, TY);
        tx2 = clampT((it.x2 - 1) >> sh, TX);
        ty2 = clampT((it.y2 - 1) >> sh, TY);
        return true;
    };
    auto mark = [&](const TextItem& it) {
        int tx1, ty1, tx2, ty2;
        if (!tilesOf(it, tx1, ty1, tx2, ty2)) return;
        for (int ty = ty1; ty <= ty2; ++ty)
            std::memset(&dirty[static_cast<size_t>(ty) * TX + tx1], 1, static_cast<size_t>(tx2 - tx1 + 1));
    };
    auto meets = [&](const TextItem& it) {
        int tx1, ty1, tx2, ty2;
        if (!tilesOf(it, tx1, ty1, tx2, ty2)) return false;
        for (int ty = ty1; ty <= ty2; ++ty)
            for (int tx = tx1; tx <= tx2; ++tx)
                if (dirty[static_cast<size_t>(ty) * TX + tx]) return true;
        return false;
    };
    std::unordered_multiset<uint64_t> old;
    old.reserve(rec.items.size());
    for (const TextItem& it : rec.items) old.insert(it.key);
    std::vector<uint8_t> redraw(items.size(), 0);
    for (size_t i = 0; i < items.size(); ++i) {
        auto f = old.find(items[i].key);
        if (f != old.end()) {
            old.erase(f);
        } else {
            redraw[i] = 1;
            mark(items[i]);
        }
    }
    if (!old.empty()) {
        for (const TextItem& it : rec.items) {
            auto f = old.find(it.key);
            if (f == old.end()) continue;
            old.erase(f);
            mark(it);
        }
    }
    // Every item that meets a restored tile is drawn again, and its own tiles
    // restored, until no further item meets them.
    for (bool grew = true; grew;) {
        grew = false;
        for (size_t i = 0; i < items.size(); ++i) {
            if (redraw[i] || !meets(items[i])) continue;
            redraw[i] = 1;
            mark(items[i]);
            grew = true;
        }
    }

    // Restore the tiles, row by row in runs, and draw the items again in order.
    std::vector<QRect> rects;
    const int T = plat::Picture::kTile;
    for (int ty = 0; ty < TY; ++ty) {
        for (int tx = 0; tx < TX;) {
            if (!dirty[static_cast<size_t>(ty) * TX + tx]) {
                ++tx;
                continue;
            }
            int end = tx;
            while (end < TX && dirty[static_cast<size_t>(ty) * TX + end]) ++end;
            const QRect r = QRect(tx * T, ty * T, (end - tx) * T, T).intersected(QRect(0, 0, p.Width(), p.Height()));
            // Grow the rectangle of the row above when it has the same run.
            if (!rects.empty() && rects.back().left() == r.left() && rects.back().width() == r.width() &&
                rects.back().bottom() + 1 == r.top())
                rects.back().setBottom(r.bottom());
            else
                rects.push_back(r);
            tx = end;
        }
    }
    // Rectangles of one row run are merged only with the last one pushed;
    // that keeps them disjoint, which is all the copy needs.
    for (const QRect& r : rects) g.DrawPicture(p1, r.x(), r.y(), r.width(), r.height(), r.x(), r.y());
    if (m.countrynameson || m.citieson) {
        g.beginText();
        for (size_t i = 0; i < items.size(); ++i)
            if (redraw[i]) drawTextItem(p, items[i]);
        g.endText();
        endText(p, endSize);
    } else {
        g.SetUseOldRenderer(true);
    }

    rec = TextLayerRecord{true, p.version(), std::move(items)};
    p1.clearChanges();
    host.drawMapCanvasRects(p, rects);
    return true;
}

}  // namespace quil2a
