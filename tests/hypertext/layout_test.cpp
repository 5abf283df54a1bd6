// Page layout of the viewer: wrapping, hot spots, anchors, entities, tags,
// images and the size of the off-screen page.
#include <gtest/gtest.h>

#include "hypertext/htmlvu.h"
#include "hypertext/viewer_fixture.h"
#include "platform/msgbox.h"

using quil2a::HTMLvu;
using viewertest::Site;
using viewertest::textHeight;

namespace {
plat::Bytes words(int n, const char* w = "word")
{
    plat::Bytes s;
    for (int i = 0; i < n; ++i) s += plat::Bytes(w) + " ";
    return s;
}
bool inkInRows(const QImage& pic, int y1, int y2)
{
    for (int y = std::max(y1, 0); y <= y2 && y < pic.height(); ++y)
        for (int x = 0; x < pic.width(); ++x)
            if ((pic.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) return true;
    return false;
}
}  // namespace

TEST(HTMLvuLayout, LineBreaksAndTags)
{
    Site site({});
    HTMLvu v(site.atlas);
    v.resize(200, 100);
    v.LoadFromString(words(60));
    const int step = plat::Int(1.2 * textHeight(true)), th = textHeight();
    EXPECT_GE(v.ytext, 3 * step);
    EXPECT_EQ(v.ytext % step, 0);
    const QImage page = v.pageImage();
    for (int y = 0; y < page.height(); ++y)
        for (int x = v.rightmargin + 1; x < page.width(); ++x) ASSERT_EQ(page.pixel(x, y) & 0xFFFFFF, 0xFFFFFFu);

    v.LoadFromString("<BR>x<P>");
    EXPECT_EQ(v.ytext, 3 * th);
    v.LoadFromString("<br />x<title>y</title><unknown>");
    EXPECT_EQ(v.ytext, 0);
    v.LoadFromString("<br>before<br never closed");  // the scan ends
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
        EXPECT_EQ(v.GetLinkText((v.Hotspotx1[i] + v.Hotspotx2[i]) / 2, (v.Hotspoty1[i] + v.Hotspoty2[i]) / 2), "t1.htm#here");
    }
    EXPECT_GT(v.Hotspotx1[1], v.leftmargin);
    EXPECT_EQ(v.Hotspotx2[v.Nlinks], v.xtext);
    EXPECT_EQ(v.Hotspoty2[v.Nlinks], v.ytext + 3);
    // On an edge nothing is hit.
    EXPECT_EQ(v.hitTest((v.Hotspotx1[1] + v.Hotspotx2[1]) / 2, v.Hotspoty1[1]), 0);
    EXPECT_EQ(v.hitTest(v.Hotspotx1[1], v.Hotspoty1[1] + 5), 0);
}

TEST(HTMLvuLayout, AnchorsAndEntities)
{
    for (bool greek : {false, true}) {
        Site site({{greek ? "el\\t150.htm" : "en\\t150.htm", "<a name=\"Top\"></a>text<p>more<br><a name='two'>x"}}, greek);
        HTMLvu v(site.atlas);
        v.resize(300, 100);
        ASSERT_TRUE(v.LoadFromFile("t150.htm#two"));
        ASSERT_EQ(v.Nanchors, 2);
        EXPECT_EQ(v.AnchorName[1], "top");
        EXPECT_EQ(v.AnchorY[1], 0);
        EXPECT_EQ(v.AnchorY[2], 3 * textHeight());
        EXPECT_EQ(v.ybase, 3 * textHeight() + 3);

        EXPECT_EQ(v.XlatCodes("&amp;euml;"), QString::fromUtf8("\u00eb"));  // "&amp;" comes first
        EXPECT_EQ(v.XlatCodes("x&nbsp;y&3287;&#353;"), QString::fromUtf8("x y\u011f\u0161"));
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
    v.LoadFromString(src + "<p><p><p><a href=last.htm>far away</a>");
    EXPECT_EQ(v.Nlinks, HTMLvu::kMaxLinks);
    EXPECT_EQ(v.Nanchors, HTMLvu::kMaxAnchors);
    EXPECT_EQ(v.AnchorName[100], "a100");
    EXPECT_EQ(v.Hotspotx2.outsideCount() + v.Hotspoty2.outsideCount() + v.Linkaction.outsideCount() +
                  v.AnchorY.outsideCount() + v.AnchorName.outsideCount(), 0);
    // The links without a slot do not close the last recorded hot spot again.
    EXPECT_LT(v.Hotspoty2[200], v.ytext - 3 * textHeight());
}

TEST(HTMLvuLayout, PagePictureHoldsTheWholePageAndItsImages)
{
    Site site({{"im\\date.png", viewertest::png(40, 300, 0xFF0000)}});
    HTMLvu v(site.atlas);
    v.resize(300, 100);
    v.LoadFromString("<br><img src=\"date.png\">");
    EXPECT_EQ(v.ytext, textHeight() + 4 + 24 + 300);
    EXPECT_EQ(v.pageImage().pixel(130, textHeight() + 4) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(v.pageImage().pixel(129, textHeight() + 4) & 0xFFFFFF, 0xFFFFFFu);

    // Far more height than the source's length promises (upper-case images are not counted).
    plat::Bytes src;
    for (int i = 0; i < 400; ++i) src += "<p>";
    src += "<IMG SRC=date.png><img src=none.png>END";
    plat::MsgBoxRecorder rec;
    v.LoadFromString(src);
    ASSERT_GT(v.pageHeight(), v.ytext);
    const QImage page = v.pageImage();
    EXPECT_TRUE(inkInRows(page, v.ytext - textHeight(true), v.ytext));
    EXPECT_EQ(page.pixel(150, v.ytext - 40) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(rec.count("Error 1"), 1);
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
    EXPECT_EQ(v.Nlinks, 0);
}

TEST(HTMLvuLayout, PaintShowsThePageAtTheScrollOffset)
{
    Site site({});
    HTMLvu v(site.atlas);
    v.resize(200, 80);
    v.LoadFromString("<body bgcolor=\"#102030\"><br>" + words(80));
    const QImage page = v.pageImage();
    // A jump, then scrolls down and up by less than the control's height.
    for (int base : {25, 60, 31}) {
        v.ybase = base;
        const QImage shot = v.grab().toImage();
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 200; ++x) ASSERT_EQ(shot.pixel(x, y), page.pixel(x, y + base)) << base;
    }
    v.ybase = v.pageHeight() - 10;  // past the end the page colour goes on
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
    EXPECT_EQ(v.ytext, textHeight());
    ASSERT_EQ(v.Nanchors, 1);
    EXPECT_EQ(v.ybase, v.ytext + 3);
}

TEST(HTMLvuLayout, WordsDrawnFromKeptGlyphsLookAsDrawnFirst)
{
    // A word is drawn as text the first time, shaped the second and drawn
    // from its kept glyphs after: the page looks the same every time.
    const plat::Bytes page =
        "<body bgcolor=\"#F0E8D0\">Qvarn AVaT <b>Wyfolk Tjorv</b> <i>fjord ffi</i> <big>Vyxa</big> "
        "x<sup>2</sup> <sx>Rodur</sx> <a href=\"t151.htm\">Zelbo link</a> caf&eacute; "
        "<small>Kvenna</small> <u>Ulvo</u>";
    for (const bool greek : {false, true}) {
        Site site({}, greek);
        HTMLvu v(site.atlas);
        v.resize(180, 60);
        v.LoadFromString(greek ? page + " \xc5\xeb\xeb\xdc\xe4\xe1 \xd6\xf9\xf4\xfc\xf2" : page);
        const QImage first = v.pageImage();
        EXPECT_EQ(v.pageImage(), first) << greek;
        EXPECT_EQ(v.pageImage(), first) << greek;
    }
}

TEST(HTMLvuLayout, AWordWithAnEntityReadsAsItsOwnViewerHasIt)
{
    // A viewer given a source before any page has no entity table yet; the
    // words it reads that way do not reach another viewer's pages.
    Site site({{"en\\t150.htm", "caf&eacute; Skorvald"}, {"en\\t151.htm", "caf\xe9 Skorvald"}});
    HTMLvu raw(site.atlas), page(site.atlas), plain(site.atlas);
    for (HTMLvu* v : {&raw, &page, &plain}) v->resize(200, 40);
    raw.LoadFromString("caf&eacute; Skorvald");
    page.loadPage("t150.htm");
    plain.loadPage("t151.htm");
    EXPECT_EQ(page.pageImage(), plain.pageImage());
}
