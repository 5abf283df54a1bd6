// The text layer: place labels with their name markup, city marks, and city
// names at the least crowded of four places around the mark.
#include <array>

#include "engine/engine.h"
#include "platform/text.h"

namespace quil2a {

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

}  // namespace

void MapEngine::displaymaptext(plat::Picture& pic, bool ownSize)
{
    if (!m.countrynameson && !m.citieson) return;
    const int32_t W = ownSize ? pic.Width() : m.mapscreenwid;
    const int32_t H = ownSize ? pic.Height() : m.mapscreenht;
    plat::Graphics& g = pic.graphics();
    g.SetUseOldRenderer(false);
    g.SetForeColor(a.placenamecolor);
    g.SetTextFont("Times");
    g.SetCodePage(a.textCodePage());

    if (m.countrynameson) {
        for (int32_t i = 1; i <= a.place.ubound(); ++i) {
            const placetype* pl = a.place[i].get();
            if (!pl) break;
            if (!pl->active) continue;
            int32_t size = Int(plat::Round(18 * m.scale * pl->fontsize));
            if (size > 36) size = 36;
            if (size <= 8) continue;
            g.SetTextSize(size);
            const double sx = screenx(pl->xlab), sy = screeny(pl->ylab);
            const auto lines = plat::Split(shownName(pl->name), "]");
            const int32_t n = static_cast<int32_t>(lines.size()) - 1;
            const int32_t h = g.TextHeight();
            double y = sy - n * h / 2.0;
            // Every line above or below the picture: nothing to measure.
            if (y >= H || y + (n + 1.0) * h <= 0) continue;
            for (const auto& line : lines) {
                const int32_t w = g.StringWidth(line);
                const double x = sx - w / 2.0;
                if (x < W && x + w > 0 && y < H && y + h > 0) g.DrawString(line, Int(x), Int(y));
                y += h;
            }
        }
    }

    if (m.citieson) {
        g.SetForeColor(a.citynamecolor);
        int32_t textSize = Int(60 * m.scale);
        if (textSize > 12) textSize = 12;
        const int32_t arm = Int(plat::Round(6 * m.scale));
        g.SetTextSize(textSize);
        plat::RGBSurface& s = pic.surface();
        const double d = m.maindate * 10;
        for (int32_t i = 1; i <= a.city.ubound() && m.scale >= 0.05; ++i) {
            const citiestype* c = a.city[i].get();
            if (!c) break;
            if (!(c->date1 <= d && d <= c->date2)) continue;
            const double sx = screenx(c->x), sy = screeny(c->y);
            if (!(-200 < sx && sx < W + 200 && -50 < sy && sy < H + 50)) continue;
            g.DrawLine(Int(sx - arm), Int(sy), Int(sx + arm), Int(sy));
            g.DrawLine(Int(sx), Int(sy - arm), Int(sx), Int(sy + arm));
            if (!m.citynameson || textSize <= 8) continue;

            const double h = g.TextHeight(), w = g.StringWidth(c->name);
            const std::array<int32_t, 4> dx{Int(h / 3), Int(-w / 2), Int(-(w + h / 3)), Int(-w / 2)};
            const std::array<int32_t, 4> dy{Int(h / 3), Int(h), Int(h / 3), Int(-h / 3)};
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
            g.DrawString(c->name, Int(sx + dx[best]), Int(sy + dy[best]));
        }
    }

    g.SetUseOldRenderer(true);
}

}  // namespace quil2a
