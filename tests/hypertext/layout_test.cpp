// Page layout of the viewer: wrapping, hot spots, anchors, entities, tags,
// images and the size of the off-screen page.
#include <gtest/gtest.h>

#include "hypertext/htmlvu.h"
#include "hypertext/viewer_fixture.h"
#include "platform/msgbox.h"

using quil2a::HTMLvu;
using viewertest::Site;

namespace {

plat::Bytes words(int n, const char* w = "word")
{
    plat::Bytes s;
    for (int i = 0; i < n; ++i) s += plat::Bytes(w) + " ";
    return s;
}

}  // namespace

TEST(HTMLvuLayout, WrapsWordsWithinTheMarginsOnWholeLineSteps)
{
    Site site({});
    HTMLvu v(site.atlas);
    v.resize(200, 100);
    v.LoadFromString(words(60));

    const int step = plat::Int(1.2 * viewertest::textAscent());
    EXPECT_GE(v.ytext, 3 * step);
    EXPECT_EQ(v.ytext % step, 0);
    // No ink right of the right margin, ink on the last line.
    for (int y = 0; y < v.bfr->Height(); ++y)
        for (int x = v.rightmargin + 1; x < v.bfr->Width(); ++x)
            ASSERT_EQ(v.bfr->image().pixel(x, y) & 0xFFFFFF, 0xFFFFFFu) << x << "," << y;
    EXPECT_TRUE(viewertest::inkInRows(*v.bfr, v.ytext - step, v.ytext));
}

TEST(HTMLvuLayout, TagsInCapitalsActAndTagsWithABlankDoNothing)
{
    Site site({});
    HTMLvu v(site.atlas);
    v.resize(300, 100);
    const int th = viewertest::textHeight();
    v.LoadFromString("<BR>x<P>");
    EXPECT_EQ(v.ytext, 3 * th);
    v.LoadFromString("<br />x<title>y</title><unknown>");
    EXPECT_EQ(v.ytext, 0);
    // An unclosed tag ends the page.
    v.LoadFromString("<br>before<br never closed");
    EXPECT_EQ(v.ytext, th);
}

TEST(HTMLvuLayout, WrappedLinkTakesOneHotSpotPerLine)
{
    Site site({});
    HTMLvu v(site.atlas);
    v.resize(200, 100);
    v.LoadFromString("<br>lead <a href=\"T1.htm#Here\">" + words(25, "link") + "</a>");

    ASSERT_GE(v.Nlinks, 3);
    for (int i = 1; i <= v.Nlinks; ++i) {
        EXPECT_EQ(v.Linkaction[i], "t1.htm#here");
        if (i > 1) {
            EXPECT_EQ(v.Hotspotx1[i], v.leftmargin);
            EXPECT_GT(v.Hotspoty1[i], v.Hotspoty1[i - 1]);
        }
        const int cx = (v.Hotspotx1[i] + v.Hotspotx2[i]) / 2, cy = (v.Hotspoty1[i] + v.Hotspoty2[i]) / 2;
        EXPECT_NE(v.hitTest(cx, cy), 0);
        EXPECT_EQ(v.GetLinkText(cx, cy), "t1.htm#here");
    }
    EXPECT_GT(v.Hotspotx1[1], v.leftmargin);
    EXPECT_EQ(v.Hotspotx2[v.Nlinks], v.xtext);
    EXPECT_EQ(v.Hotspoty2[v.Nlinks], v.ytext + 3);
    // On the edge of a hot spot nothing is hit.
    const int mid = (v.Hotspotx1[1] + v.Hotspotx2[1]) / 2;
    EXPECT_EQ(v.hitTest(mid, v.Hotspoty1[1]), 0);
    EXPECT_EQ(v.hitTest(v.Hotspotx1[1], v.Hotspoty1[1] + 5), 0);
    EXPECT_EQ(v.GetLinkText(1, 1), "");
}

TEST(HTMLvuLayout, AnchorsLieAtThePenBaselineOfTheirTag)
{
    Site site({{"en\\t150.htm", "<a name=\"Top\"></a>text<p>more<br><a name='two'>x"}});
    HTMLvu v(site.atlas);
    v.resize(300, 100);
    const int th = viewertest::textHeight();
    ASSERT_TRUE(v.LoadFromFile("t150.htm#two"));
    ASSERT_EQ(v.Nanchors, 2);
    EXPECT_EQ(v.AnchorName[1], "top");
    EXPECT_EQ(v.AnchorY[1], 0);
    EXPECT_EQ(v.AnchorName[2], "two");
    EXPECT_EQ(v.AnchorY[2], 3 * th);
    EXPECT_EQ(v.ybase, 3 * th + 3);
    EXPECT_EQ(v.golinkanchor, "");
}

TEST(HTMLvuLayout, EntitiesAreTranslatedInTableOrderIntoTheCharacterShown)
{
    for (bool greek : {false, true}) {
        Site site({{greek ? "el\\t150.htm" : "en\\t150.htm", "<p>a page of some length"}}, greek);
        HTMLvu v(site.atlas);
        ASSERT_TRUE(v.LoadFromFile("t150.htm"));
        EXPECT_EQ(v.XlatCodes("&amp;euml;"), QString::fromUtf8("\u00eb"));
        EXPECT_EQ(v.XlatCodes("x&nbsp;y&copy;"), QString::fromUtf8("x y\u00a9"));
        EXPECT_EQ(v.XlatCodes("&3287;&#353;&eacute;"), QString::fromUtf8("\u011f\u0161\u00e9"));
        EXPECT_EQ(v.XlatCodes("&unknown;"), "&unknown;");
        // The page's own bytes keep their code page: 0xE1 is a in Latin, alpha in Greek.
        EXPECT_EQ(v.XlatCodes("\xe1&deg;"), QString::fromUtf8(greek ? "\u03b1\u00b0" : "\u00e1\u00b0"));
    }
}

TEST(HTMLvuLayout, OverfullTablesDropTheRestAndNeverWritePastThem)
{
    Site site({});
    HTMLvu v(site.atlas);
    v.resize(300, 100);
    plat::Bytes src;
    for (int i = 1; i <= 230; ++i) src += "<a href=p" + std::to_string(i) + ".htm>w</a> <a name=a" + std::to_string(i) + ">";
    src += "<p><p><p><a href=last.htm>far away</a>";
    v.LoadFromString(src);
    EXPECT_EQ(v.Nlinks, HTMLvu::kMaxLinks);
    EXPECT_EQ(v.Nanchors, HTMLvu::kMaxAnchors);
    EXPECT_EQ(v.AnchorName[100], "a100");
    for (auto* t : {&v.Hotspotx1, &v.Hotspoty1, &v.Hotspotx2, &v.Hotspoty2}) EXPECT_EQ(t->outsideCount(), 0);
    EXPECT_EQ(v.Linkaction.outsideCount(), 0);
    EXPECT_EQ(v.AnchorY.outsideCount() + v.AnchorName.outsideCount(), 0);
    // The links without a slot do not close the last recorded hot spot again.
    EXPECT_LT(v.Hotspoty2[200], v.ytext - 3 * viewertest::textHeight());
}

TEST(HTMLvuLayout, PagePictureHoldsTheWholePageWhateverTheEstimate)
{
    Site site({{"im\\date.png", viewertest::png(40, 300, 0xFF0000)}});
    HTMLvu v(site.atlas);
    v.resize(300, 100);
    plat::Bytes src;
    for (int i = 0; i < 400; ++i) src += "<p>";
    src += "<IMG SRC=date.png><IMG SRC=date.png>END";
    plat::MsgBoxRecorder rec;
    v.LoadFromString(src);
    EXPECT_GT(v.ytext, 400 * 2 * viewertest::textHeight());
    ASSERT_GT(v.bfr->Height(), v.ytext);
    EXPECT_TRUE(viewertest::inkInRows(*v.bfr, v.ytext - viewertest::textAscent(), v.ytext));
    EXPECT_EQ(v.bfr->image().pixel(150, v.ytext - 40) & 0xFFFFFF, 0xFF0000u);

    // A missing image is reported once, though the page is laid out twice.
    v.LoadFromString(src + "<img src=none.png>");
    EXPECT_EQ(rec.count("Error 1"), 1);
}

TEST(HTMLvuLayout, ImageIsCentredBelowThePen)
{
    Site site({{"im\\date.png", viewertest::png(40, 30, 0x00FF00)}});
    HTMLvu v(site.atlas);
    v.resize(300, 100);
    const int th = viewertest::textHeight();
    v.LoadFromString("<br><img src=\"date.png\">after");
    EXPECT_EQ(v.ytext, th + 4 + 24 + 30);
    EXPECT_EQ(v.bfr->image().pixel(130, th + 4) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(v.bfr->image().pixel(169, th + 33) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(v.bfr->image().pixel(129, th + 4) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(HTMLvuLayout, LinkOpenAtThePageEndDoesNotLeakIntoTheNextLayout)
{
    Site site({});
    HTMLvu v(site.atlas);
    v.resize(200, 100);
    v.LoadFromString("<br><a href=x.htm>open to the end");
    ASSERT_EQ(v.Nlinks, 1);
    EXPECT_GT(v.Hotspotx2[1], v.Hotspotx1[1]);
    v.LoadFromString("<br>" + words(40));
    EXPECT_FALSE(v.openlink);
    EXPECT_EQ(v.Nlinks, 0);
    for (int y = 0; y < 100; ++y) EXPECT_EQ(v.hitTest(50, y), 0);
}

TEST(HTMLvuLayout, BodyColourFillsThePageAndThePaintShowsTheScrolledPart)
{
    Site site({});
    HTMLvu v(site.atlas);
    v.resize(200, 80);
    v.LoadFromString("<body bgcolor=\"#102030\"><br>" + words(80));
    EXPECT_EQ(v.bgcolor.value_or(0), 0x102030u);
    EXPECT_EQ(v.bfr->image().pixel(1, v.bfr->Height() - 1) & 0xFFFFFF, 0x102030u);

    v.ybase = 25;
    const QImage shot = v.grab().toImage();
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 200; ++x)
            ASSERT_EQ(shot.pixel(x, y) & 0xFFFFFF, v.bfr->image().pixel(x, y + 25) & 0xFFFFFF);
    // Scrolled past the end, the page colour goes on.
    v.ybase = v.bfr->Height() - 10;
    EXPECT_EQ(v.grab().toImage().pixel(5, 50) & 0xFFFFFF, 0x102030u);
}

TEST(HTMLvuLayout, PageAskedForDuringALayoutIsLaidOutAfterIt)
{
    Site site({});
    HTMLvu v(site.atlas);
    v.resize(300, 100);
    // A message box's event loop runs while the first page waits for its image.
    int shown = 0;
    auto previous = plat::setMsgBoxHandler([&](const plat::Bytes&) {
        if (++shown == 1) v.LoadFromString("<br>second<a name=b>");
    });
    v.golinkanchor = "b";
    v.LoadFromString("<br><img src=none.png><a name=a>" + words(50));
    plat::setMsgBoxHandler(previous);
    EXPECT_EQ(v.HTMLstring, "<br>second<a name=b>");
    EXPECT_EQ(v.ytext, viewertest::textHeight());
    ASSERT_EQ(v.Nanchors, 1);
    EXPECT_EQ(v.AnchorName[1], "b");
    EXPECT_EQ(v.ybase, v.ytext + 3);
}
