#include "support/atlas_loader.h"

#include "atlasdata/content.h"
#include "atlasdata/loaders.h"
#include "support/items.h"

namespace testsupport {

std::unique_ptr<quil2a::Atlas> loadServedAtlas(bool greek, uint32_t seed)
{
    return quil2a::loadServedAtlas(greek ? quil2a::Language::Greek : quil2a::Language::English, seed);
}

std::unique_ptr<quil2a::Atlas> loadAtlas(const std::string& folder, bool greek, uint32_t seed)
{
    TestItems items(folder);
    return loadServedAtlas(greek, seed);
}

int64_t outsideAccesses(const quil2a::Atlas& a)
{
    const auto& c = a.content;
    return c.xmask.outsideCount() + c.loaded.outsideCount() + c._permatext.outsideCount() +
           a.clrlist.outsideCount() + a.clrlist0.outsideCount() + a.clrlist1.outsideCount() +
           a.clrlist2.outsideCount() + a.headcolor.outsideCount() + a.EUmem.outsideCount() +
           a.geoinfo.outsideCount() + a.geozone.outsideCount() + a.geodata.outsideCount() +
           a.bdrinfo.outsideCount() + a.bdrzone.outsideCount() + a.bdrdata.outsideCount() +
           a.bdract.outsideCount() + a.wtinfo.outsideCount() + a.ptinfo.outsideCount() + a.ptact.outsideCount() +
           a.DChanges.outsideCount() + a.quilstring.outsideCount() + a.place.outsideCount() +
           a.people.outsideCount() + a.events.outsideCount() + a.city.outsideCount() +
           a.clicknames.outsideCount() + a.headline.outsideCount() + a.anchorinfo.outsideCount() +
           a.vregname.outsideCount() + a.vregxy.outsideCount() + a.ActiveBdr.outsideCount() +
           a.ActiveBzone.outsideCount() + a.ActiveBdrawnow.outsideCount() + a.ActivePt.outsideCount() +
           a.ActiveClr.outsideCount() + a.ActivePtnow.outsideCount() + a.zone.outsideCount();
}

}  // namespace testsupport
