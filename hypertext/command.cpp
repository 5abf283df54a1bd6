#include "hypertext/command.h"

#include "engine/view.h"

namespace quil2a {

void ProcessCMD(MapEngine& engine, const Bytes& target)
{
    const Atlas& a = engine.atlas();
    const MapState& m = engine.state();

    double date = m.maindate;
    const int32_t q = plat::InStrB(target, "?");
    const Bytes query = q > 0 ? plat::MidB(target, q + 1) : target;

    for (const Bytes& item : plat::Split(query, "&")) {
        const int32_t eq = plat::InStrB(item, "=");
        if (eq == 0) continue;
        const Bytes key = plat::LeftB(item, eq - 1);
        const Bytes value = plat::MidB(item, eq + 1);
        if (key == "d") {
            date = plat::Val(value) / 10;
        } else if (key == "vr") {
            const int32_t n = plat::Int(plat::Val(value));
            double box[4];
            // Regions that were not loaded, or hold no box, are left alone.
            if (n > 0 && a.vregxy.valid(n) && parseMapBox(a.vregxy[n], box))
                engine.fitRegion(box[0], box[1], box[2], box[3], false);
        } else if (key == "cs") {
            // The palette and line colours go with the scheme, as the dialog's choice does.
            engine.applyScheme(static_cast<ColorScheme>(plat::Int(plat::Val(value))));
        }
    }
    engine.jumpTo(date);
}

std::function<void(const Bytes&)> commandRunner(MapEngine& engine)
{
    return [&engine](const Bytes& target) { ProcessCMD(engine, target); };
}

}  // namespace quil2a
