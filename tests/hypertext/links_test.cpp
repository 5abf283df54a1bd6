// Loading pages by name, anchors, link kinds and following links.
#include <gtest/gtest.h>

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
