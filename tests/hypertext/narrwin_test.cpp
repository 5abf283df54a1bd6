// The narrative window: the page for the date, following the date while open,
// the scroll bar, hover and width changes.
#include <gtest/gtest.h>

#include <QtTest/QTest>

#include "hypertext/narrwin.h"
#include "hypertext/pagechoice.h"
#include "hypertext/viewer_fixture.h"

using quil2a::NarrWin;
using quil2a::NarrWinJump;
using viewertest::Site;

namespace {

void setAnchors(quil2a::Atlas& a, std::initializer_list<const char*> entries)
{
    int i = 0;
    for (const char* e : entries) a.anchorinfo[++i] = e;
    a.maxanchorinfo = i;
}

plat::Bytes pageFor(quil2a::Atlas& a, quil2a::MapState& m, double date)
{
    viewertest::RecordingWindow w;
    m.maindate = date;
    NarrWinJump(a, m, w);
    return w.updates.empty() ? plat::Bytes("none") : w.updates.back();
}

plat::Bytes longPage(const char* title, std::initializer_list<const char*> anchors)
{
    plat::Bytes s = plat::Bytes("<br>") + title;
    for (const char* a : anchors) {
        for (int i = 0; i < 25; ++i) s += "<p>text";
        s += plat::Bytes("<a name=") + a + ">";
    }
    s += "<br><a href=\"qlmx?d=12000&quil?\">command</a>";
    for (int i = 0; i < 25; ++i) s += "<p>text";
    return s;
}

}  // namespace

TEST(NarrWinJump, ChoosesTheLastAnchorAtOrBeforeTheDate)
{
    quil2a::Atlas a;
    quil2a::MapState m;
    m.NarrWinOpen = true;
    setAnchors(a, {"10500,150", "10660, 151 ", "11000,151", "12000,152", "12004,152", "15000,153", "19000,154"});
    EXPECT_EQ(pageFor(a, m, 1000.0), "t150.htm#10500");  // before the first
    EXPECT_EQ(pageFor(a, m, 1066.0), "t151.htm#10660");  // on an anchor
    EXPECT_EQ(pageFor(a, m, 1200.3), "t152.htm#12000");  // between two close ones
    EXPECT_EQ(pageFor(a, m, 1899.9), "t153.htm#15000");  // between, far from both
    EXPECT_EQ(pageFor(a, m, 2003.0), "t154.htm#19000");  // after the last
    // Every date of the range gets the page of its period, never a later one.
    for (int d10 = 10000; d10 <= 20030; d10 += 7) {
        const plat::Bytes got = pageFor(a, m, d10 / 10.0);
        const int anchor = std::stoi(got.substr(got.find('#') + 1));
        EXPECT_TRUE(anchor <= d10 || anchor == 10500) << d10 << " " << got;
    }

    m.NarrWinOpen = false;
    EXPECT_EQ(pageFor(a, m, 1200.0), "none");
    m.NarrWinOpen = true;
    setAnchors(a, {});
    EXPECT_EQ(pageFor(a, m, 1200.0), "none");
}

TEST(NarrWin, FollowsTheDateWhileOpenAndKeepsItsPageWhenClosed)
{
    Site site({{"en\\t150.htm", longPage("one", {"10500", "10800"})}, {"en\\t151.htm", longPage("two", {"11000"})}});
    setAnchors(site.atlas, {"10500,150", "10800,150", "11000,151"});
    quil2a::MapState m;
    NarrWin w(site.atlas, m);
    w.show();
    m.NarrWinOpen = true;

    m.maindate = 1050.0;
    NarrWinJump(site.atlas, m, w);
    EXPECT_EQ(w.NarrHTML().oldfile, "t150.htm");
    EXPECT_EQ(w.NarrScroll().value(), w.NarrHTML().AnchorY[1] + 3);

    // A step onto the next anchor of the same page scrolls there; bar and viewer agree.
    m.maindate = 1080.0;
    NarrWinJump(site.atlas, m, w);
    EXPECT_EQ(w.NarrHTML().ybase, w.NarrHTML().AnchorY[2] + 3);
    EXPECT_EQ(w.NarrScroll().value(), w.NarrHTML().ybase);
    EXPECT_EQ(w.NarrScroll().maximum(), w.NarrHTML().ytext - w.NarrHTML().height() / 2);
    EXPECT_EQ(w.NarrScroll().pageStep(), w.NarrHTML().height());

    w.close();
    EXPECT_FALSE(m.NarrWinOpen);
    m.maindate = 1100.0;
    NarrWinJump(site.atlas, m, w);
    EXPECT_EQ(w.NarrHTML().oldfile, "t150.htm");

    m.NarrWinOpen = true;
    w.show();
    NarrWinJump(site.atlas, m, w);
    EXPECT_EQ(w.NarrHTML().oldfile, "t151.htm");

    // Moving the bar moves the viewer.
    w.NarrScroll().setValue(40);
    EXPECT_EQ(w.NarrHTML().ybase, 40);
}

TEST(NarrWin, HoverShowsTheLinkAndClickRunsTheCommand)
{
    Site site({{"en\\t150.htm", longPage("one", {})}});
    site.atlas.quilstring[33] = "Jump to ";
    quil2a::MapState m;
    NarrWin w(site.atlas, m);
    std::vector<plat::Bytes> commands;
    w.setCommandHandler([&](const plat::Bytes& t) {
        commands.push_back(t);
        w.Update("t150.htm#nowhere");
    });
    w.show();
    w.Update("t150.htm");
    quil2a::HTMLvu& v = w.NarrHTML();
    ASSERT_EQ(v.Nlinks, 1);
    const QPoint on((v.Hotspotx1[1] + v.Hotspotx2[1]) / 2, (v.Hotspoty1[1] + v.Hotspoty2[1]) / 2 - v.ybase);

    QTest::mouseMove(&v, on);
    EXPECT_EQ(w.LinkText().text(), "Jump to 1200");
    EXPECT_EQ(v.cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(&v, QPoint(2, 2));
    EXPECT_EQ(w.LinkText().text(), "");
    EXPECT_EQ(v.cursor().shape(), Qt::ArrowCursor);

    QTest::mouseClick(&v, Qt::LeftButton, {}, on);
    EXPECT_EQ(commands, std::vector<plat::Bytes>{"qlmx?d=12000&quil?"});
    // The release brings the bar back to the viewer.
    EXPECT_EQ(w.NarrScroll().value(), v.ybase);
}

TEST(NarrWin, LaysOutAgainOnlyWhenTheWidthChanges)
{
    Site site({{"en\\t150.htm", longPage("one", {"10500"})}});
    quil2a::MapState m;
    NarrWin w(site.atlas, m);
    w.show();
    w.Update("t150.htm");
    const plat::Picture* first = w.NarrHTML().bfr.get();

    w.resize(w.width(), w.height() + 50);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.NarrHTML().bfr.get(), first);
    EXPECT_EQ(w.NarrScroll().pageStep(), w.NarrHTML().height());

    w.resize(w.width() + 100, w.height());
    QCoreApplication::processEvents();
    EXPECT_EQ(w.oldwidth, w.width());
    EXPECT_EQ(w.NarrHTML().bfr->Width(), w.width() - 15);
    EXPECT_EQ(w.NarrHTML().rightmargin, w.width() - 15 - 6);
}
