// The headline strip and the identification label: one countdown each,
// advanced one step a tick of the interface timer.
#include "engine/engine.h"
#include "platform/text.h"

namespace quil2a {

void MapEngine::displayhead()
{
    if (!m.headpic) return;
    plat::Picture& hp = *m.headpic;
    plat::Graphics& g = hp.graphics();
    auto clear = [&] {
        g.SetForeColor(m.ctlbackcolor);
        g.FillRect(0, 0, hp.Width(), hp.Height());
    };
    auto text = [&](int32_t shade) {
        g.SetCodePage(a.textCodePage());
        g.SetForeColor(a.headcolor[shade]);
        g.DrawString(m.currenthead, 10, 20);
    };

    const int32_t f = m.hfadeout;
    if (f == 0) {
        clear();
        text(10);
        m.hfadeout = m.speedi < 7 ? 20 : 13;
    } else if (f == 1) {
        clear();
        m.hfadeout = 0;
    } else if (f >= 2 && f <= 10) {
        clear();
        text(f);
        m.hfadeout = m.speedi < 7 ? f - 1 : 1;
    } else if (f >= 11) {
        m.hfadeout = f - 1;
    } else {
        return;  // no state below 0
    }
    host.drawHeadStrip(hp);
}

void MapEngine::setControlColours(plat::Color back, plat::Color bright)
{
    m.ctlbackcolor = back;
    const int lo = plat::Red(back), hi = plat::Red(bright), n = a.headcolor.ubound();
    for (int i = 1; i <= n; ++i) {
        const int v = lo + plat::Int(plat::Round(static_cast<double>(i) / n * (hi - lo)));
        a.headcolor[i] = plat::RGB(v, v, v);
    }
}

void MapEngine::fadeID()
{
    const int32_t f = m.IDfadeout;
    if (f <= 0) return;
    if (f <= 20 && m.IDpic) {
        plat::RGBSurface& label = m.IDpic->surface();
        const double wa = (21 - f) / 20.0, wb = (f - 1) / 20.0;
        const int64_t left = host.idLabelLeft(), top = int64_t(host.idLabelTop()) - 34;
        const int64_t pw = m.p ? m.p->Width() : 0, ph = m.p ? m.p->Height() : 0;
        const int lw = m.IDpic->Width(), lh = m.IDpic->Height();
        for (int x = 0; x < lw; ++x) {
            for (int y = 0; y < lh; ++y) {
                const plat::Color L = label.Pixel(x, y);
                // Under the part of the label that lies beyond the map picture
                // the label fades into the map's background colour.
                const int64_t mx = left + x, my = top + y;
                const plat::Color M = mx >= 0 && my >= 0 && mx < pw && my < ph
                                          ? m.p->surface().Pixel(int(mx), int(my))
                                          : a.blankgrey;
                auto mix = [&](int cm, int cl) { return plat::Int(wa * cm + wb * cl); };
                label.SetPixel(x, y, plat::RGB(mix(plat::Red(M), plat::Red(L)), mix(plat::Green(M), plat::Green(L)),
                                               mix(plat::Blue(M), plat::Blue(L))));
            }
        }
        host.refreshIdLabel();
        if (f == 1) host.setIdLabelWidth(0);
    }
    m.IDfadeout = f - 1;
}

}  // namespace quil2a
