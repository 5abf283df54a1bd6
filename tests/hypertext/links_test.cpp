// Loading pages by name, anchors, link kinds and following links.
#include <gtest/gtest.h>

#include "hypertext/htmlvu.h"
#include "hypertext/viewer_fixture.h"
#include "platform/msgbox.h"

using quil2a::HTMLvu;
using viewertest::Site;

namespace {

// Page A links to itself, page B, the web and a command; B has anchors far down.
Site linkSite()
{
    plat::Bytes b = "<a name=top>B<br>";
    for (int i = 0; i < 30; ++i) b += "<p>para";
    b += "<a name=\"End\">end";
    return Site({{"en\\t150.htm", "<br><a href=\"T151.htm#End\">to b</a><br><a href=\"t150.htm#me\">self</a>"
                                  "<br><a href=\"https://Example.org/Path\">web</a>"
                                  "<br><a href=\"qlmx?d=10722&quil?\">cmd</a><br><a href=gone.htm>gone</a><a name=me>"},
                 {"en\\t151.htm", b},
                 {"en\\help.htm", "<br>help text<p><a name=home>home"},
                 {"el\\help.htm", "<br>\xe2\xEF\xE7\xE8\xE5\xE9\xE1<a name=home>"}});
}

// The middle of hot spot i, in control coordinates.
QPoint spot(const HTMLvu& v, int i)
{
    return {(v.Hotspotx1[i] + v.Hotspotx2[i]) / 2, (v.Hotspoty1[i] + v.Hotspoty2[i]) / 2 - v.ybase};
}

}  // namespace

TEST(HTMLvuLinks, LinkKindsByTarget)
{
    EXPECT_EQ(HTMLvu::linkKind("http://x.org/A"), HTMLvu::LinkKind::Web);
    EXPECT_EQ(HTMLvu::linkKind("HTTPS://x.org"), HTMLvu::LinkKind::Web);
    EXPECT_EQ(HTMLvu::linkKind("page.htm#qlmx?d=1"), HTMLvu::LinkKind::Command);
    EXPECT_EQ(HTMLvu::linkKind("qlmx?d=1&quil?"), HTMLvu::LinkKind::Command);
    EXPECT_EQ(HTMLvu::linkKind("t150.htm#x http://"), HTMLvu::LinkKind::Page);
}

TEST(HTMLvuLinks, LoadingByNameAppliesAnchorsAndKnowsThePageShown)
{
    Site site = linkSite();
    HTMLvu v(site.atlas);
    v.resize(300, 200);
    EXPECT_TRUE(v.LoadFromFile("t151.htm#end"));
    EXPECT_EQ(v.oldfile, "t151.htm");
    ASSERT_EQ(v.Nanchors, 2);
    EXPECT_EQ(v.ybase, v.AnchorY[2] + 3);

    // The same page again only scrolls: no new layout.
    const plat::Picture* laidOut = v.bfr.get();
    EXPECT_FALSE(v.LoadFromFile("t151.htm#top"));
    EXPECT_EQ(v.bfr.get(), laidOut);
    EXPECT_EQ(v.ybase, 3);

    // An anchor the page lacks waits for the next page that has it; "#" splits once.
    EXPECT_FALSE(v.LoadFromFile("t151.htm#a#b"));
    EXPECT_EQ(v.golinkanchor, "a#b");
    EXPECT_EQ(v.ybase, 3);
    v.golinkanchor = "home";
    EXPECT_TRUE(v.LoadFromFile("help.htm"));
    EXPECT_EQ(v.ybase, v.AnchorY[1] + 3);
    EXPECT_GT(v.ybase, 3);
}

TEST(HTMLvuLinks, GreekSetReadsItsOwnFolderAndCodePage)
{
    Site site = linkSite();
    site.atlas.GreekText = true;
    HTMLvu v(site.atlas);
    v.resize(300, 200);
    EXPECT_TRUE(v.LoadFromFile("help.htm#home"));
    EXPECT_EQ(v.codePage(), plat::CodePage::Win1253);
    EXPECT_EQ(v.Nanchors, 1);
}

TEST(HTMLvuLinks, MissingPageReportsFailureAfterError1)
{
    Site site = linkSite();
    HTMLvu v(site.atlas);
    v.resize(300, 200);
    plat::MsgBoxRecorder rec;
    EXPECT_EQ(v.loadPage("t177.htm#10000"), HTMLvu::LoadResult::Missing);
    EXPECT_EQ(rec.messages(), std::vector<plat::Bytes>{"Error 1"});
    EXPECT_EQ(v.Nlinks, 0);
    EXPECT_EQ(v.HTMLstring, "");
    // Asked for again, the same missing page neither loads nor complains.
    EXPECT_EQ(v.loadPage("t177.htm#10001"), HTMLvu::LoadResult::SamePage);
    EXPECT_EQ(rec.messages().size(), 1u);
}

TEST(HTMLvuLinks, ClickFollowsEachKindOfLink)
{
    Site site = linkSite();
    HTMLvu v(site.atlas);
    v.resize(300, 200);
    std::vector<plat::Bytes> opened, commands;
    v.setUrlOpener([&](const plat::Bytes& t) { opened.push_back(t); });
    v.setCommandHandler([&](const plat::Bytes& t) { commands.push_back(t); });
    plat::MsgBoxRecorder rec;
    ASSERT_TRUE(v.LoadFromFile("t150.htm"));
    ASSERT_EQ(v.Nlinks, 5);

    // The web address keeps its letter case; page targets are lower case.
    EXPECT_EQ(v.Linkaction[3], "https://Example.org/Path");
    EXPECT_TRUE(v.MouseDown(spot(v, 3).x(), spot(v, 3).y()));
    EXPECT_EQ(opened, std::vector<plat::Bytes>{"https://Example.org/Path"});
    EXPECT_EQ(v.oldfile, "t150.htm");

    v.MouseDown(spot(v, 4).x(), spot(v, 4).y());
    EXPECT_EQ(commands, std::vector<plat::Bytes>{"qlmx?d=10722&quil?"});

    // A link to the page shown scrolls to its anchor without a message.
    v.MouseDown(spot(v, 2).x(), spot(v, 2).y());
    EXPECT_EQ(v.ybase, v.AnchorY[1] + 3);
    EXPECT_TRUE(rec.messages().empty());

    // A link to a page that is not there says so after the reader's message.
    v.ybase = 0;
    v.MouseDown(spot(v, 5).x(), spot(v, 5).y());
    EXPECT_EQ(rec.messages(), (std::vector<plat::Bytes>{"Error 1", "Error HTMLvu LoadFromFile"}));

    v.oldfile.clear();
    ASSERT_TRUE(v.LoadFromFile("t150.htm"));
    v.MouseDown(spot(v, 1).x(), spot(v, 1).y());
    EXPECT_EQ(v.oldfile, "t151.htm");
    EXPECT_EQ(v.ybase, v.AnchorY[2] + 3);
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_EQ(commands.size(), 1u);
}

TEST(HTMLvuLinks, HoverTextNamesTheTargetOrTheCommandsYear)
{
    Site site = linkSite();
    site.atlas.quilstring[33] = "Go to ";
    HTMLvu v(site.atlas);
    v.resize(300, 200);
    ASSERT_TRUE(v.LoadFromFile("t150.htm"));
    EXPECT_EQ(v.GetLinkText(spot(v, 1).x(), spot(v, 1).y()), "t151.htm#end");
    EXPECT_EQ(v.GetLinkText(spot(v, 4).x(), spot(v, 4).y()), "Go to 1072.2");
    v.LoadFromString("<br><a href=\"x.htm?quil?d=10000\">whole year</a>");
    EXPECT_EQ(v.GetLinkText(spot(v, 1).x(), spot(v, 1).y()), "Go to 1000");
}
