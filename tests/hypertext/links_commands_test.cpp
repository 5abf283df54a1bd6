// Loading pages by name, anchors, link kinds and following links; command
// links setting the date, the view region and the colour scheme.
#include <gtest/gtest.h>

#include "hypertext/command.h"
#include "hypertext/htmlvu.h"
#include "hypertext/viewer_fixture.h"
#include "platform/msgbox.h"

using quil2a::HTMLvu;
using viewertest::Site;

namespace {
// Page t150 links to t151, itself, the web, a command and a missing page.
Site linkSite()
{
    plat::Bytes b = "<a name=top>B<br>";
    for (int i = 0; i < 30; ++i) b += "<p>para";
    return Site({{"en\\t150.htm", "<br><a href=\"T151.htm#End\">to b</a><br><a href=\"t150.htm#me\">self</a>"
                                  "<br><a href=\"https://Example.org/Path\">web</a><br><a href=\"qlmx?d=10722&quil?\">cmd</a>"
                                  "<br><a href=gone.htm>gone</a><a name=me>"},
                 {"en\\t151.htm", b + "<a name=\"End\">end"},
                 {"en\\help.htm", "<br>help text<p><a name=home>home"}});
}
QPoint spot(const HTMLvu& v, int i)
{
    return {(v.Hotspotx1[i] + v.Hotspotx2[i]) / 2, (v.Hotspoty1[i] + v.Hotspoty2[i]) / 2 - v.ybase};
}
}  // namespace

TEST(HTMLvuLinks, LinkKindsByTarget)
{
    EXPECT_EQ(HTMLvu::linkKind("http://x.org/A"), HTMLvu::LinkKind::Web);
    EXPECT_EQ(HTMLvu::linkKind("HTTPS://x.org"), HTMLvu::LinkKind::Web);
    EXPECT_EQ(HTMLvu::linkKind("page.htm#qlmx?d=1&quil?"), HTMLvu::LinkKind::Command);
    EXPECT_EQ(HTMLvu::linkKind("t150.htm#x http://"), HTMLvu::LinkKind::Page);
}

TEST(HTMLvuLinks, LoadingByNameAppliesAnchorsAndKnowsThePageShown)
{
    Site site = linkSite();
    HTMLvu v(site.atlas);
    v.resize(300, 200);
    EXPECT_TRUE(v.LoadFromFile("t151.htm#end"));
    EXPECT_EQ(v.ybase, v.AnchorY[2] + 3);
    const plat::Picture* laidOut = v.bfr.get();
    EXPECT_FALSE(v.LoadFromFile("t151.htm#top"));  // only scrolls
    EXPECT_EQ(v.bfr.get(), laidOut);
    EXPECT_EQ(v.ybase, 3);
    // An anchor the page lacks waits for the next page that has it; "#" splits once.
    EXPECT_FALSE(v.LoadFromFile("t151.htm#a#b"));
    EXPECT_EQ(v.golinkanchor, "a#b");
    v.golinkanchor = "home";
    EXPECT_TRUE(v.LoadFromFile("help.htm"));
    EXPECT_EQ(v.ybase, v.AnchorY[1] + 3);

    plat::MsgBoxRecorder rec;
    EXPECT_EQ(v.loadPage("t177.htm#10000"), HTMLvu::LoadResult::Missing);
    EXPECT_EQ(rec.messages(), std::vector<plat::Bytes>{"Error 1"});
    EXPECT_EQ(v.HTMLstring, "");
    EXPECT_EQ(v.loadPage("t177.htm#10001"), HTMLvu::LoadResult::SamePage);  // no second message
    EXPECT_EQ(rec.messages().size(), 1u);
}

TEST(HTMLvuLinks, ClickFollowsEachKindOfLink)
{
    Site site = linkSite();
    site.atlas.quilstring[33] = "Go to ";
    HTMLvu v(site.atlas);
    v.resize(300, 200);
    std::vector<plat::Bytes> opened, commands;
    v.setUrlOpener([&](const plat::Bytes& t) { opened.push_back(t); });
    v.setCommandHandler([&](const plat::Bytes& t) { commands.push_back(t); });
    plat::MsgBoxRecorder rec;
    ASSERT_TRUE(v.LoadFromFile("t150.htm"));
    ASSERT_EQ(v.Nlinks, 5);
    EXPECT_EQ(v.GetLinkText(spot(v, 4).x(), spot(v, 4).y()), "Go to 1072.2");

    v.MouseDown(spot(v, 3).x(), spot(v, 3).y());  // the web address keeps its case
    EXPECT_EQ(opened, std::vector<plat::Bytes>{"https://Example.org/Path"});
    v.MouseDown(spot(v, 4).x(), spot(v, 4).y());
    EXPECT_EQ(commands, std::vector<plat::Bytes>{"qlmx?d=10722&quil?"});
    v.MouseDown(spot(v, 2).x(), spot(v, 2).y());  // the page shown: scrolls, no message
    EXPECT_EQ(v.ybase, v.AnchorY[1] + 3);
    EXPECT_TRUE(rec.messages().empty());
    v.ybase = 0;
    v.MouseDown(spot(v, 5).x(), spot(v, 5).y());
    EXPECT_EQ(rec.messages(), (std::vector<plat::Bytes>{"Error 1", "Error HTMLvu LoadFromFile"}));

    ASSERT_TRUE(v.LoadFromFile("t150.htm"));
    v.MouseDown(spot(v, 1).x(), spot(v, 1).y());
    EXPECT_EQ(v.oldfile, "t151.htm");
    EXPECT_EQ(v.ybase, v.AnchorY[2] + 3);
    EXPECT_EQ(opened.size() + commands.size(), 2u);
}

namespace {
struct Map {
    Map()
    {
        m.makePictures(200, 150);
        m.xc = 300;
        m.yc = 200;
        a.vregxy[1] = "0 0 38000 38000";
        a.vregxy[2] = "1000 2000 3000 4000";
        a.vregxy[3] = "1000 2000 3000";
        a.vregxy[50] = "10 10 20 x";
        a.clrlist1[9] = 0x123456;
        a.watercolor1 = 2;
    }
    void run(const char* target) { quil2a::ProcessCMD(engine, target); }
    quil2a::Atlas a;
    quil2a::MapState m;
    quil2a::NullHost host{600, 400};
    quil2a::MapEngine engine{a, m, host};
};
}  // namespace

TEST(ProcessCMD, ItemsSetDateRegionAndScheme)
{
    Map t;
    t.run("qlmx?d=10005&quil?");
    EXPECT_DOUBLE_EQ(t.m.maindate, 1000.5);
    t.run("d=15002");  // no "?": the whole target is the query
    EXPECT_DOUBLE_EQ(t.m.maindate, 1500.2);
    t.run("qlmx?d=12000&x=1&d=13000&d 14000&d =16000");
    EXPECT_DOUBLE_EQ(t.m.maindate, 1300.0);

    t.run("qlmx?vr=2");
    EXPECT_DOUBLE_EQ(t.m.x0, 2000.0);
    EXPECT_DOUBLE_EQ(t.m.y0, 3000.0);

    // The palette and line colours follow the scheme.
    t.run("qlmx?cs=2");
    EXPECT_EQ(static_cast<int>(t.a.colorscheme), 2);
    EXPECT_EQ(t.a.clrlist[9], 0x123456u);
    EXPECT_EQ(t.a.watercolor, 2u);
}

TEST(ProcessCMD, RegionsNotLoadedOrWithoutAFullBoxAreIgnored)
{
    Map t;
    for (const char* link : {"qlmx?vr=0", "qlmx?vr=51", "qlmx?vr=3", "qlmx?vr=50", "qlmx?vr=7", "qlmx?vr=-1"}) {
        t.m.x0 = 5;
        t.m.scale = 0.125;
        t.run(link);
        EXPECT_EQ(t.m.x0, 5) << link;
        EXPECT_EQ(t.m.scale, 0.125) << link;
    }
    EXPECT_EQ(t.a.vregxy.outsideCount(), 0);
}
