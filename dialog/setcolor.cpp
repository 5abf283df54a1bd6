#include "dialog/setcolor.h"

namespace quil2a {

void applyColorScheme(Atlas& a)
{
    const int32_t cs = a.colorscheme;
    for (int i = 1; i <= 256; ++i) {
        switch (cs) {
        case 0: a.clrlist[i] = a.clrlist0[i]; break;
        case 1:
        case 2: a.clrlist[i] = a.clrlist1[i]; break;
        case 3:
        case 4: a.clrlist[i] = a.clrlist2[i]; break;
        case 5: {
            const auto& mem = a.EUmem[i];
            a.clrlist[i] = (mem && mem->status) ? a.clrlist0[i] : a.clrlist2[i];
            break;
        }
        default: break;
        }
    }
    if (cs < 1) {
        a.watercolor = a.watercolor0;
        a.coastcolor = a.coastcolor0;
        a.rivercolor = a.rivercolor0;
        a.bordercolor = a.bordercolor0;
    } else {
        a.watercolor = a.watercolor1;
        a.coastcolor = a.coastcolor1;
        a.rivercolor = a.rivercolor1;
        a.bordercolor = a.bordercolor1;
    }
}

void SetColor(MapEngine& engine)
{
    applyColorScheme(engine.atlas());
    MapState& m = engine.state();
    if (m.p) engine.displaymap(*m.p, true);
}

}  // namespace quil2a
