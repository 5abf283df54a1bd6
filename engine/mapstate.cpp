#include "engine/mapstate.h"

namespace quil2a {

void MapState::makePictures(int w, int h)
{
    if (p1) p1->dropCopy();  // replaced below: its late copy is not wanted
    p = plat::NewPicture(w, h, 32);
    p1 = plat::NewPicture(w, h, 32);
    p2 = plat::NewPicture(w, h, 32, plat::Start::PackedWhite);
    for (auto* pic : {p.get(), p1.get(), p2.get()}) pic->graphics().SetUseOldRenderer(true);
    p1->setTrackChanges(true);
    textLayer = TextLayerRecord{};
    mapscreenwid = p->Width();
    mapscreenht = p->Height();
    headpic = plat::NewPicture(w, 100, 32);
    headpic->graphics().SetTextFont(plat::kSerif);
    headpic->graphics().SetTextSize(16);
    IDpic = plat::NewPicture(500, 20, 32);
}

}  // namespace quil2a
