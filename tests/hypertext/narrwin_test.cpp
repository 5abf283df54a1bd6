// The narrative window: the page for the date, following the date while open,
// the scroll bar, hover and width changes.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QScreen>
#include <QtTest/QTest>

#include "hypertext/narrwin.h"
#include "hypertext/pagechoice.h"
#include "hypertext/viewer_fixture.h"
#include "platform/msgbox.h"

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
// Paragraphs, the anchors each after 25 more, a command link, 25 more.
plat::Bytes longPage(std::initializer_list<const char*> anchors)
{
    const plat::Bytes paras = [] { plat::Bytes s; for (int i = 0; i < 25; ++i) s += "<p>text"; return s; }();
    plat::Bytes s = "<br>title";
    for (const char* a : anchors) s += paras + "<a name=" + a + ">";
    return s + "<br><a href=\"qlmx?d=12000&quil?\">command</a>" + paras;
}
}  // namespace

TEST(NarrWinJump, ChoosesTheLastAnchorAtOrBeforeTheDate)
{
    quil2a::Atlas a;
    quil2a::MapState m;
    m.NarrWinOpen = true;
    setAnchors(a, {"10500,150", "10660, 151 ", "11000,151", "12000,152", "12004,152", "15000,153", "19000,154"});
    EXPECT_EQ(pageFor(a, m, 1000.0), "t150.htm#10500");  // before the first
    EXPECT_EQ(pageFor(a, m, 1066.0), "t151.htm#10660");  // on one
    EXPECT_EQ(pageFor(a, m, 1200.3), "t152.htm#12000");  // between two
    EXPECT_EQ(pageFor(a, m, 2003.0), "t154.htm#19000");  // after the last
    for (int d10 = 10500; d10 <= 20030; d10 += 7) {
        const plat::Bytes got = pageFor(a, m, d10 / 10.0);
        ASSERT_LE(std::stoi(got.substr(got.find('#') + 1)), d10) << got;  // never a later period
    }
    m.NarrWinOpen = false;
    EXPECT_EQ(pageFor(a, m, 1200.0), "none");
    m.NarrWinOpen = true;
    setAnchors(a, {});
    EXPECT_EQ(pageFor(a, m, 1200.0), "none");
}

TEST(NarrWin, FollowsTheDateWhileOpenAndKeepsItsPageWhenClosed)
{
    Site site({{"en\\t150.htm", longPage({"10500", "10800"})}, {"en\\t151.htm", longPage({"11000"})}});
    setAnchors(site.atlas, {"10500,150", "10800,150", "11000,151"});
    quil2a::MapState m;
    quil2a::NullHost host;
    quil2a::MapEngine engine(site.atlas, m, host);
    NarrWin w(site.atlas, engine);
    quil2a::HTMLvu& v = w.NarrHTML();
    w.show();
    m.NarrWinOpen = true;
    for (double date : {1050.0, 1080.0}) {
        m.maindate = date;
        NarrWinJump(site.atlas, m, w);
        EXPECT_EQ(v.oldfile, "t150.htm");
        EXPECT_EQ(v.ybase, v.AnchorY[date < 1080 ? 1 : 2] + 3);
        EXPECT_EQ(w.NarrScroll().value(), v.ybase);
        EXPECT_EQ(w.NarrScroll().maximum(), v.ytext - v.height() / 2);
    }
    w.close();
    EXPECT_FALSE(m.NarrWinOpen);
    m.maindate = 1100.0;
    NarrWinJump(site.atlas, m, w);
    EXPECT_EQ(v.oldfile, "t150.htm");
    m.NarrWinOpen = true;
    NarrWinJump(site.atlas, m, w);
    EXPECT_EQ(v.oldfile, "t151.htm");
    w.NarrScroll().setValue(40);
    EXPECT_EQ(v.ybase, 40);
}

// Scrolls move what the window shows and paint only the rows they bring in:
// after any run of them the window shows what a whole paint draws.
TEST(NarrWin, TheWindowShowsThePageAtTheBarAfterScrolls)
{
    Site site({{"en\\t150.htm", longPage({"10500", "10800"})}, {"en\\t151.htm", longPage({"11000", "11100"})}});
    setAnchors(site.atlas, {"10500,150", "10800,150", "11000,151", "11100,151"});
    quil2a::MapState m;
    quil2a::NullHost host;
    quil2a::MapEngine engine(site.atlas, m, host);
    NarrWin w(site.atlas, engine);
    quil2a::HTMLvu& v = w.NarrHTML();
    w.resize(600, 1000);
    w.show();
    m.NarrWinOpen = true;
    m.maindate = 1050.0;
    NarrWinJump(site.atlas, m, w);
    QCoreApplication::processEvents();
    // The viewer's last column lies under the scroll bar; what it shows of
    // the page against the whole page drawn as one picture.
    const QRect r(0, 0, v.width() - 1, v.height());
    const auto same = [&] {
        const int rows = std::min(r.height(), v.pageHeight() - v.ybase);
        const QImage shown = w.screen()->grabWindow(w.winId(), v.x(), v.y(), r.width(), rows).toImage();
        return shown.convertToFormat(QImage::Format_RGB32) ==
               v.pageImage().copy(0, v.ybase, r.width(), rows).convertToFormat(QImage::Format_RGB32);
    };
    // Small moves come from the rows kept above and below the view, drawn while idle.
    for (const auto& moves : std::vector<std::vector<int>>{{5}, {40, -12}, {100}, {-150}, {-3, -3, 250}, {1000}, {-7}}) {
        for (int d : moves) w.NarrScroll().setValue(w.NarrScroll().value() + d);
        QTest::qWait(20);
        ASSERT_TRUE(same()) << moves.front();
    }
    m.maindate = 1080.0;
    NarrWinJump(site.atlas, m, w);
    QCoreApplication::processEvents();
    EXPECT_TRUE(same());
    m.maindate = 1050.0;
    NarrWinJump(site.atlas, m, w);
    QCoreApplication::processEvents();
    EXPECT_TRUE(same());
    // The next page, read ahead while idle, opens with the view drawn then.
    m.timeforward = true;
    QTest::qWait(300);
    m.maindate = 1100.0;
    NarrWinJump(site.atlas, m, w);
    ASSERT_EQ(v.oldfile, "t151.htm");
    QCoreApplication::processEvents();
    EXPECT_TRUE(same());
}

TEST(NarrWin, AJumpFromFarDownALongPageLandsOnTheAnchorOfAShorterOne)
{
    // Animating to the end of one chapter, then jumping back into the next,
    // shorter one: the bar's old value lies beyond the new page's range.
    Site site({{"en\\t157.htm", longPage({"14000", "14100", "14200", "14302"})}, {"en\\t158.htm", longPage({"14357"})}});
    setAnchors(site.atlas, {"14000,157", "14100,157", "14200,157", "14302,157", "14357,158"});
    quil2a::MapState m;
    quil2a::NullHost host;
    quil2a::MapEngine engine(site.atlas, m, host);
    NarrWin w(site.atlas, engine);
    quil2a::HTMLvu& v = w.NarrHTML();
    w.show();
    m.NarrWinOpen = true;
    m.maindate = 1433.0;
    NarrWinJump(site.atlas, m, w);
    ASSERT_EQ(v.oldfile, "t157.htm");
    const int far = w.NarrScroll().value();
    m.maindate = 1437.4;
    NarrWinJump(site.atlas, m, w);
    ASSERT_EQ(v.oldfile, "t158.htm");
    ASSERT_GT(far, w.NarrScroll().maximum());  // the case that went wrong
    EXPECT_EQ(v.ybase, v.AnchorY[1] + 3);
    EXPECT_EQ(w.NarrScroll().value(), v.ybase);
}

TEST(NarrWin, HoverClickAndWidthChanges)
{
    Site site({{"en\\t150.htm", longPage({})}});
    site.atlas.quilstring[33] = "Jump to ";
    quil2a::MapState m;
    quil2a::NullHost host;
    quil2a::MapEngine engine(site.atlas, m, host);
    NarrWin w(site.atlas, engine);
    std::vector<plat::Bytes> commands;
    w.setCommandHandler([&](const plat::Bytes& t) { commands.push_back(t); });
    w.show();
    w.Update("t150.htm");
    quil2a::HTMLvu& v = w.NarrHTML();
    ASSERT_EQ(v.Nlinks, 1);
    const QPoint on((v.Hotspotx1[1] + v.Hotspotx2[1]) / 2, (v.Hotspoty1[1] + v.Hotspoty2[1]) / 2);
    QTest::mouseMove(&v, on);
    EXPECT_EQ(w.LinkText().text(), "Jump to 1200");
    EXPECT_EQ(v.cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(&v, QPoint(2, 2));
    EXPECT_EQ(w.LinkText().text(), "");
    EXPECT_EQ(v.cursor().shape(), Qt::ArrowCursor);
    QTest::mouseClick(&v, Qt::LeftButton, {}, on);
    EXPECT_EQ(commands, std::vector<plat::Bytes>{"qlmx?d=12000&quil?"});

    const plat::Picture* first = v.bfr.get();
    w.resize(w.width(), w.height() + 50);
    QCoreApplication::processEvents();
    EXPECT_EQ(v.bfr.get(), first);  // height alone: no new layout
    EXPECT_EQ(w.NarrScroll().pageStep(), v.height());
    w.resize(w.width() + 100, w.height());
    QCoreApplication::processEvents();
    EXPECT_EQ(v.bfr->Width(), w.width() - 15);
    EXPECT_EQ(v.rightmargin, w.width() - 21);
}

TEST(NarrWin, ScrollBarLooksAsTheStylesOwnAtEveryValue)
{
    QWidget host;
    QScrollBar plain(Qt::Vertical, &host);
    quil2a::NarrScrollBar kept(Qt::Vertical, &host);
    const auto same = [&] { return kept.grab().toImage() == plain.grab().toImage(); };
    for (QScrollBar* b : {&plain, static_cast<QScrollBar*>(&kept)}) {
        b->setGeometry(0, 0, 16, 500);
        b->setPageStep(480);
    }
    // A long page (short slider) and a short one (a slider nearly the bar's length).
    for (int range : {3000, 40}) {
        plain.setRange(0, range);
        kept.setRange(0, range);
        for (int v : {0, 1, range / 4, range - 1, range}) {
            plain.setValue(v);
            kept.setValue(v);
            ASSERT_TRUE(same()) << range << " " << v;
        }
    }
    kept.resize(16, 300);  // a new size draws the groove again
    plain.resize(16, 300);
    EXPECT_TRUE(same());
}

TEST(NarrWin, ReadsTheNextPageAheadUnseenAndUnheard)
{
    // While idle the window prepares the next chapter page: its missing
    // picture is reported only once that page is shown, and the reader is
    // left as the page shown left it.
    Site site({{"en\\t150.htm", longPage({"10500"})}, {"en\\t151.htm", "<img src=\"none.png\">Vorstadt<p>Tarnholm"}});
    quil2a::MapState m;
    m.timeforward = true;
    quil2a::NullHost host;
    quil2a::MapEngine engine(site.atlas, m, host);
    NarrWin w(site.atlas, engine);
    w.show();
    plat::MsgBoxRecorder rec;
    w.Update("t150.htm#10500");
    const plat::Bytes read = site.atlas.reader.filestring.bytes;
    QTest::qWait(100);
    EXPECT_EQ(rec.messages().size(), 0u);
    EXPECT_EQ(site.atlas.reader.filestring.bytes, read);
    w.Update("t151.htm");
    EXPECT_EQ(rec.count("Error 1"), 1);
    EXPECT_EQ(w.NarrHTML().oldfile, "t151.htm");
}
