#include "hypertext/htmlvu.h"

#include <QDesktopServices>
#include <QFont>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>
#include <QUrl>
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "atlasdata/content.h"
#include "platform/codepage.h"
#include "platform/msgbox.h"

namespace quil2a {

using plat::InStrB;
using plat::LeftB;
using plat::LenB;
using plat::MidB;

namespace {

// The font a Graphics stands for; the viewer measures and draws its words as
// Unicode text with it, so that entities outside the page's code page show.
QFont fontOf(const plat::Graphics& g)
{
    QFont f(QString::fromStdString(g.TextFont()));
    f.setPixelSize(std::max(g.TextSize(), 1));
    f.setBold(g.Bold());
    f.setItalic(g.Italic());
    f.setUnderline(g.Underline());
    f.setStyleStrategy(g.UseOldRenderer() ? QFont::NoAntialias : QFont::PreferAntialias);
    return f;
}

Bytes withoutQuotes(std::string_view s)
{
    Bytes r;
    r.reserve(s.size());
    for (char c : s)
        if (c != '"' && c != '\'') r += c;
    return r;
}

bool startsWith(std::string_view s, std::string_view head) { return s.substr(0, head.size()) == head; }

bool isWebAddress(const Bytes& target)
{
    const Bytes low = plat::Lowercase(target);
    return startsWith(low, "http://") || startsWith(low, "https://");
}

int32_t clampTo32(int64_t v)
{
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// Leading hexadecimal digits as a number.
Color hexColor(std::string_view s)
{
    uint32_t v = 0;
    for (char c : s) {
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else break;
        v = v * 16 + static_cast<uint32_t>(d);
    }
    return v & 0xFFFFFF;
}

constexpr int kMaxTextSize = 1000;

}  // namespace

// The drawing side of one layout pass.
struct HTMLvu::Pen {
    int64_t bottom = 0;  // lowest page y reached by anything drawn
    int fontIndex = -1;  // the font's place in fonts_ once a word used it
    bool fontChanged = true;  // since the viewer last chose its word table
    std::map<Bytes, QImage> images;  // page images of this layout, by name

    // Metrics of the pen's current font, remade when the style changes.
    const QFontMetrics& metrics(const plat::Graphics& g)
    {
        const Key k{g.TextSize(), g.Bold(), g.Italic(), g.Underline()};
        if (!fm || !(k == key)) {
            key = k;
            font = fontOf(g);
            fm.emplace(font);
            fontIndex = -1;
            fontChanged = true;
        }
        return *fm;
    }

    struct Key {
        int size;
        bool bold, italic, underline;
        bool operator==(const Key&) const = default;
    };
    Key key{};
    QFont font;
    std::optional<QFontMetrics> fm;
};

HTMLvu::HTMLvu(Atlas& atlas, QWidget* parent) : QWidget(parent), atlas_(atlas)
{
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    edgeTimer_.setSingleShot(true);
    connect(&edgeTimer_, &QTimer::timeout, this, [this] { drawEdges(); });
    urlOpener_ = [this](const Bytes& target) {
        QDesktopServices::openUrl(QUrl(plat::decode(target, codePage())));
    };
}

HTMLvu::~HTMLvu() = default;

void HTMLvu::fillEntityTable()
{
    static const struct {
        const char* code;
        const char* text;  // UTF-8
    } kEntities[] = {
        {"&nbsp;", " "},       {"&amp;", "&"},        {"&euml;", "\u00eb"},  {"&egrave;", "\u00e8"},
        {"&eacute;", "\u00e9"}, {"&oacute;", "\u00f3"}, {"&ccedil;", "\u00e7"}, {"&ouml;", "\u00f6"},
        {"&uuml;", "\u00fc"},  {"&ocirc;", "\u00f4"},  {"&aacute;", "\u00e1"}, {"&auml;", "\u00e4"},
        {"&ntilde;", "\u00f1"}, {"&acirc;", "\u00e2"},  {"&copy;", "\u00a9"},  {"&deg;", "\u00b0"},
        {"&#353;", "\u0161"},  {"&3287;", "\u011f"},
    };
    int i = 1;
    for (const auto& e : kEntities) {
        ampcode[i] = e.code;
        xlatcode[i] = QString::fromUtf8(e.text);
        ++i;
    }
}

QString HTMLvu::XlatCodes(const Bytes& word) const
{
    QString w = plat::decode(word, codePage());
    for (int i = 1; i <= kEntitySlots; ++i) {
        const Bytes& code = ampcode[i];
        if (code.empty()) continue;
        w.replace(QString::fromLatin1(code.data(), static_cast<qsizetype>(code.size())), xlatcode[i]);
    }
    return w;
}

// ---------------------------------------------------------------- layout

void HTMLvu::LoadFromString(const Bytes& source)
{
    HTMLstring = source;
    FillBfr();
}

void HTMLvu::FillBfr()
{
    // A load asked for while a page is being laid out (from a message box's
    // event loop) is laid out once the current layout is done.
    if (pen_) {
        relayoutPending_ = true;
        return;
    }
    do {
        relayoutPending_ = false;
        layoutOnce();
    } while (relayoutPending_);
}

void HTMLvu::layoutOnce()
{
    const int C = std::max(width(), 1);

    // Height estimate from the source's length and its images.
    int64_t n = 0;
    for (int32_t at = InStrB(1, HTMLstring, "<img src="); at > 0; at = InStrB(at + 6, HTMLstring, "<img src=")) ++n;
    plat::Picture measure(100, 20, 32);
    measure.graphics().SetTextFont(plat::kSerif);
    const QFontMetrics fm(fontOf(measure.graphics()));
    const int64_t A = fm.ascent();
    const double W = fm.horizontalAdvance(QStringLiteral("Testing"));
    const int64_t L = LenB(HTMLstring);
    int64_t h = plat::Int(200.0 * double(n) + double(L * 3 * A) * (W / 8.0) / C);
    h = std::max<int64_t>(h, 2LL * height());

    const int64_t maxH = std::max<int64_t>(1, kMaxPagePixels / C);
    h = std::clamp<int64_t>(h, 1, maxH);

    Pen pen;
    pen_ = &pen;
    const int64_t bottom = layoutPass();
    // A short estimate grows to hold the page.
    if (bottom >= h && h < maxH) h = std::min<int64_t>(bottom + 1, maxH);
    pen_ = nullptr;
    pageW_ = C;
    pageH_ = static_cast<int>(h);
    ++layoutSerial_;
    if (relayoutPending_) return;
    // Beyond the page its last row goes on.
    QImage last(1, 1, QImage::Format_RGB32);
    drawRows(last, 0, pageH_ - 1, pageH_);
    below_ = last.pixel(0, 0);
    ++layoutSerial_;
    ybase = 0;
    if (!golinkanchor.empty()) applyAnchor();
}

int64_t HTMLvu::layoutPass()
{
    Pen& pen = *pen_;
    bfr = plat::NewPicture(std::max(width(), 1), 1, 32);
    plat::Graphics& g = bfr->graphics();
    g.SetTextFont(plat::kSerif);

    leftmargin = 6;
    rightmargin = width() - 6;
    normalcolor = plat::RGB(0, 0, 0);
    linkcolor = plat::RGB(64, 64, 192);
    xtext = leftmargin;
    ytext = 0;
    Nanchors = 0;
    Nlinks = 0;
    openlink = false;
    curLink_ = 0;
    curTarget_.clear();
    pen.bottom = 0;
    steps_.clear();
    fonts_.clear();
    shapedUpTo_ = 0;
    ++layoutSerial_;

    const Bytes src = HTMLstring;
    const int32_t len = LenB(src);
    int32_t p = 1;
    while (p <= len && !relayoutPending_) {
        const int32_t lt = InStrB(p, src, "<");
        const int32_t runEnd = lt > 0 ? lt : len + 1;
        if (runEnd > p) {
            DisplayText(g, MidB(src, p, runEnd - p));
            p = runEnd;
        }
        if (lt == 0) break;
        const int32_t gt = InStrB(lt, src, ">");
        if (gt == 0) break;  // an unclosed tag ends the page
        ProcessTag(g, MidB(src, lt + 1, gt - lt - 1));
        p = gt + 1;
    }
    // A link still open at the end of the page ends there.
    if (openlink) {
        closeHotSpot();
        openlink = false;
    }
    return std::max<int64_t>(pen.bottom, int64_t(ytext) + pen.metrics(g).descent());
}

void HTMLvu::applyAnchor()
{
    for (int32_t i = 1; i <= Nanchors; ++i) {
        if (AnchorName[i] == golinkanchor) {
            ybase = clampTo32(int64_t(AnchorY[i]) + 3);
            golinkanchor.clear();
            return;
        }
    }
}

void HTMLvu::openHotSpot(const Bytes& target)
{
    curTarget_ = target;
    if (Nlinks >= kMaxLinks) {
        curLink_ = 0;  // no slot left: the rest of the page's links are not clickable
        return;
    }
    ++Nlinks;
    curLink_ = Nlinks;
    Linkaction[Nlinks] = target;
    const int th = pen_ ? pen_->metrics(bfr->graphics()).height() : 0;
    Hotspotx1[Nlinks] = xtext;
    Hotspoty1[Nlinks] = clampTo32(int64_t(ytext) - th + 3);
    // Empty until closed.
    Hotspotx2[Nlinks] = Hotspotx1[Nlinks];
    Hotspoty2[Nlinks] = Hotspoty1[Nlinks];
}

void HTMLvu::closeHotSpot()
{
    if (curLink_ > 0) {
        Hotspotx2[curLink_] = xtext;
        Hotspoty2[curLink_] = clampTo32(int64_t(ytext) + 3);
    }
    curLink_ = 0;
}

void HTMLvu::lineBreak(plat::Graphics& g)
{
    if (openlink) closeHotSpot();
    xtext = leftmargin;
    const int A = pen_ ? pen_->metrics(g).ascent() : 0;
    ytext = plat::Int(ytext + 1.2 * A);
    if (openlink) openHotSpot(curTarget_);
}

HTMLvu::WordPtr HTMLvu::wordOf(plat::Graphics& g, std::string_view word)
{
    const QFontMetrics& fm = pen_->metrics(g);
    // Words by font: the same words come back on every page.
    if (!words_ || pen_->fontChanged) {
        const WordKey k{g.TextFont(), g.TextSize(), g.Bold(), g.Italic(), g.Underline(), g.UseOldRenderer(), codePage()};
        auto& slot = wordCache()[k];
        if (!slot) slot = std::make_unique<WordTable>();
        if (slot->size() > 50000) slot->clear();
        words_ = slot.get();
        pen_->fontChanged = false;
    }
    // A word with an entity reads as the viewer's entity table has it, and
    // is not kept.
    const bool entity = word.find('&') != std::string_view::npos;
    if (!entity) {
        auto it = words_->find(word);
        if (it != words_->end()) return it->second;
    }
    Bytes b(word);
    if (!b.empty()) b += ' ';
    auto w = std::make_shared<Word>();
    w->text = entity ? XlatCodes(b) : plat::decode(b, codePage());
    w->width = fm.horizontalAdvance(w->text);
    if (!entity) words_->emplace(Bytes(word), w);
    return w;
}

// Glyphs of consecutive words in one raw font, drawn in one call; drawn in
// the order they came, as the words one by one.
struct HTMLvu::GlyphBatch {
    explicit GlyphBatch(QPainter& p) : pt(p) {}
    QPainter& pt;
    QRawFont font;
    QList<quint32> indexes;
    QList<QPointF> positions;

    void add(const QGlyphRun& r, QPointF at)
    {
        if (!indexes.isEmpty() && !(r.rawFont() == font)) flush();
        if (indexes.isEmpty()) font = r.rawFont();
        indexes.append(r.glyphIndexes());
        for (const QPointF& p : r.positions()) positions.append(at + p);
    }
    void flush()
    {
        if (indexes.isEmpty()) return;
        {
            QGlyphRun run;
            run.setRawFont(font);
            run.setGlyphIndexes(indexes);
            run.setPositions(positions);
            pt.drawGlyphRun(QPointF(0, 0), run);
        }
        indexes.clear();
        positions.clear();
    }
};

std::map<HTMLvu::WordKey, std::unique_ptr<HTMLvu::WordTable>>& HTMLvu::wordCache()
{
    static auto* cache = new std::map<WordKey, std::unique_ptr<WordTable>>;
    return *cache;
}

void HTMLvu::shapeWord(Word& w, const QFont& font)
{
    w.runs = plat::shapeLine(w.text, font);
    w.shaped = true;
}

bool HTMLvu::measureAhead(const Bytes& src, size_t& at, int n)
{
    if (pen_) return true;  // a layout is under way
    fillEntityTable();
    plat::Picture pic(1, 1, 32);
    plat::Graphics& g = pic.graphics();
    g.SetTextFont(plat::kSerif);
    Pen pen;
    pen_ = &pen;
    // Words as the layout cuts them: runs between tags, at spaces (and the
    // control bytes a page load turns into spaces).
    const auto space = [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b == ' ' || (b >= 1 && b <= 13);
    };
    while (at < src.size() && n > 0) {
        if (src[at] == '<') {
            const size_t gt = src.find('>', at);
            at = gt == Bytes::npos ? src.size() : gt + 1;
            continue;
        }
        size_t end = at;
        while (end < src.size() && src[end] != '<' && !space(src[end])) ++end;
        if (end > at) {
            wordOf(g, std::string_view(src).substr(at, end - at));
            --n;
        }
        at = end < src.size() && space(src[end]) ? end + 1 : end;
    }
    pen_ = nullptr;
    return at < src.size();
}

bool HTMLvu::shapeAhead(int n)
{
    for (; shapedUpTo_ < steps_.size() && n > 0; ++shapedUpTo_) {
        const Step& s = steps_[shapedUpTo_];
        if (s.kind != Step::Text || s.word->shaped) continue;
        const QFont& font = fonts_[static_cast<size_t>(s.font)];
        if (font.underline()) continue;
        shapeWord(*s.word, font);
        s.word->seen = true;
        --n;
    }
    return shapedUpTo_ < steps_.size();
}

void HTMLvu::drawText(GlyphBatch& batch, const Step& s, const QFont& font, int dy)
{
    Word& w = *s.word;
    // Qt underlines a glyph run one pixel longer than the same text drawn; a
    // word met for the first time is drawn as text, and shaped for keeps
    // only when it comes back.
    if (font.underline() || !w.seen) {
        w.seen = true;
        batch.flush();
        batch.pt.drawText(s.x, s.y - dy, w.text);
        return;
    }
    if (!w.shaped) shapeWord(w, font);
    for (const QGlyphRun& r : w.runs) batch.add(r, QPointF(s.x, s.y - dy));
}

void HTMLvu::addStep(Step s)
{
    steps_.push_back(std::move(s));
}

void HTMLvu::drawWord(plat::Graphics& g, WordPtr word)
{
    if (!pen_) return;
    const QFontMetrics& fm = pen_->metrics(g);
    if (pen_->fontIndex < 0) {
        fonts_.push_back(pen_->font);
        pen_->fontIndex = static_cast<int>(fonts_.size()) - 1;
    }
    // Ink may pass the font's ascent and descent (accents, italics, underline).
    const int64_t reach = int64_t(std::abs(fm.height())) + 2;
    Step s{Step::Text, int64_t(ytext) - fm.ascent() - reach, int64_t(ytext) + fm.descent() + reach};
    s.x = xtext;
    s.y = ytext;
    s.font = pen_->fontIndex;
    s.color = g.ForeColor();
    s.word = std::move(word);
    addStep(std::move(s));
    pen_->bottom = std::max<int64_t>(pen_->bottom, int64_t(ytext) + fm.descent());
}

bool HTMLvu::DisplayText(plat::Graphics& g, const Bytes& run)
{
    if (!pen_ || run.empty()) return true;
    // Each piece between spaces is a word drawn with one space after it; the
    // pieces between two spaces in a row are empty and move nothing.
    const std::string_view rest(run);
    for (size_t from = 0;;) {
        const size_t sp = rest.find(' ', from);
        const std::string_view word = rest.substr(from, sp == std::string_view::npos ? std::string_view::npos : sp - from);
        const WordPtr& wd = wordOf(g, word);
        const int ww = wd->width;
        if (int64_t(xtext) + ww > rightmargin) lineBreak(g);
        if (!word.empty()) drawWord(g, wd);
        xtext = clampTo32(int64_t(xtext) + ww);
        if (sp == std::string_view::npos) break;
        from = sp + 1;
    }
    return true;
}

bool HTMLvu::ProcessTag(plat::Graphics& g, const Bytes& rawTag)
{
    if (!pen_) return true;
    const Bytes tag = plat::Lowercase(rawTag);
    const auto th = [&] { return pen_->metrics(g).height(); };
    const auto setSize = [&](int s) { g.SetTextSize(std::clamp(s, -kMaxTextSize, kMaxTextSize)); };

    if (tag.find(' ') == Bytes::npos) {
        if (tag == "hr") {
            ytext = clampTo32(int64_t(ytext) + th());
            const int l = std::min(leftmargin, rightmargin), r = std::max(leftmargin, rightmargin);
            Step s{Step::Fill, ytext, int64_t(ytext) + 1};
            s.rect = QRect(l, ytext, r - l + 1, 1);
            s.color = g.ForeColor();
            addStep(std::move(s));
            pen_->bottom = std::max<int64_t>(pen_->bottom, int64_t(ytext) + 1);
            xtext = leftmargin;
            ytext = plat::Int(ytext + 1.5 * th());
        } else if (tag == "p") {
            xtext = leftmargin;
            ytext = clampTo32(int64_t(ytext) + 2LL * th());
        } else if (tag == "br") {
            xtext = leftmargin;
            ytext = clampTo32(int64_t(ytext) + th());
        } else if (tag == "/a") {
            if (openlink) {
                g.SetUnderline(false);
                g.SetForeColor(normalcolor);
                closeHotSpot();
                openlink = false;
            }
        } else if (tag == "b") {
            g.SetBold(true);
        } else if (tag == "/b") {
            g.SetBold(false);
        } else if (tag == "i") {
            g.SetItalic(true);
        } else if (tag == "/i") {
            g.SetItalic(false);
        } else if (tag == "u") {
            g.SetUnderline(true);
        } else if (tag == "/u") {
            g.SetUnderline(false);
        } else if (tag == "sup") {
            xtext = clampTo32(int64_t(xtext) - pen_->metrics(g).horizontalAdvance(QLatin1Char(' ')));
            ytext = clampTo32(int64_t(ytext) - th() / 3);
            setSize(g.TextSize() - 4);
        } else if (tag == "/sup") {
            setSize(g.TextSize() + 4);
            ytext = clampTo32(int64_t(ytext) + th() / 3);
        } else if (tag == "sx") {
            g.SetForeColor(plat::RGB(255, 0, 0));
        } else if (tag == "/sx") {
            g.SetForeColor(normalcolor);
        } else if (tag == "big" || tag == "/small") {
            setSize(g.TextSize() + 2);
        } else if (tag == "/big" || tag == "small") {
            setSize(g.TextSize() - 2);
        }
        return true;
    }

    if (tag.find("img src") != Bytes::npos) {
        const QImage img = GetHTpic(withoutQuotes(MidB(tag, 9)));
        if (!img.isNull()) {
            ytext = clampTo32(int64_t(ytext) + 4);
            Step s{Step::Image, ytext, int64_t(ytext) + img.height()};
            s.x = (g.Width() - img.width()) / 2;
            s.y = ytext;
            s.image = img;
            addStep(std::move(s));
            pen_->bottom = std::max<int64_t>(pen_->bottom, int64_t(ytext) + img.height());
            xtext = leftmargin;
            ytext = clampTo32(int64_t(ytext) + 24 + img.height());
        }
    }
    if (tag.find("body") != Bytes::npos) {
        const int32_t at = InStrB(tag, "bgcolor");
        if (at > 0) {
            const Color c = hexColor(MidB(tag, at + 10, 6));
            bgcolor = c;
            Step s{Step::FillPage, INT64_MIN / 4, INT64_MAX / 4};
            s.color = c;
            addStep(std::move(s));
            g.SetForeColor(normalcolor);
        }
    }
    if (tag.find("a href") != Bytes::npos) {
        g.SetForeColor(linkcolor);
        g.SetUnderline(true);
        // A link opened inside another ends the first one here.
        if (openlink) closeHotSpot();
        // Web addresses keep their letter case; every other target is lower case.
        Bytes target = withoutQuotes(MidB(rawTag, 8));
        if (!isWebAddress(target)) target = plat::Lowercase(target);
        openHotSpot(target);
        openlink = true;
    }
    if (tag.find("a name") != Bytes::npos) {
        if (Nanchors < kMaxAnchors) {
            ++Nanchors;
            AnchorY[Nanchors] = ytext;
            AnchorName[Nanchors] = withoutQuotes(MidB(tag, 8));
        }
    }
    return true;
}

QImage HTMLvu::GetHTpic(const Bytes& name)
{
    if (pen_) {
        auto it = pen_->images.find(name);
        if (it != pen_->images.end()) return it->second;
    }
    OpenThisFile(atlas_, name, "im", false, true);
    const Bytes& data = atlas_.reader.filestring.bytes;
    QImage img;
    if (LenB(data) > 10)
        img = QImage::fromData(reinterpret_cast<const uchar*>(data.data()), static_cast<int>(data.size()), "PNG");
    // In the form the painter draws without converting it on every paint.
    if (!img.isNull())
        img = img.convertToFormat(img.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (pen_) pen_->images[name] = img;
    return img;
}

// ---------------------------------------------------------------- loading and links

bool HTMLvu::LoadFromFile(const Bytes& pageAndAnchor) { return loadPage(pageAndAnchor) == LoadResult::Loaded; }

HTMLvu::LoadResult HTMLvu::loadPage(const Bytes& pageAndAnchor)
{
    fillEntityTable();
    Bytes page = pageAndAnchor;
    const int32_t hash = InStrB(pageAndAnchor, "#");
    if (hash > 0) {
        golinkanchor = MidB(pageAndAnchor, hash + 1);
        page = LeftB(pageAndAnchor, hash - 1);
    }
    if (page == oldfile) {
        if (!golinkanchor.empty()) applyAnchor();
        return LoadResult::SamePage;
    }

    OpenThisFile(atlas_, page, atlas_.lang().folder, false, true);
    plat::MarkedText& fs = atlas_.reader.filestring;
    const bool missing = LenB(fs.bytes) < 10;
    fs.codePage = codePage();
    if (missing) fs.bytes.clear();
    HTMLstring = fs.bytes;
    for (char& c : HTMLstring) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 1 && b <= 13) c = ' ';
    }
    FillBfr();
    update();
    oldfile = page;
    return missing ? LoadResult::Missing : LoadResult::Loaded;
}

int32_t HTMLvu::hitTest(int x, int y) const
{
    const int64_t py = int64_t(y) + ybase;
    for (int32_t i = 1; i <= Nlinks; ++i) {
        if (Hotspotx1[i] < x && x < Hotspotx2[i] && Hotspoty1[i] < py && py < Hotspoty2[i]) return i;
    }
    return 0;
}

HTMLvu::LinkKind HTMLvu::linkKind(const Bytes& target)
{
    if (isWebAddress(target)) return LinkKind::Web;
    if (plat::Lowercase(target).find("qlmx?") != Bytes::npos) return LinkKind::Command;
    return LinkKind::Page;
}

bool HTMLvu::MouseDown(int x, int y)
{
    const int32_t i = hitTest(x, y);
    if (i == 0) return true;
    // A copy: following the link may lay a new page out over the tables.
    const Bytes target = Linkaction[i];
    switch (linkKind(target)) {
    case LinkKind::Web:
        if (urlOpener_) urlOpener_(target);
        break;
    case LinkKind::Command:
        if (commandHandler_) commandHandler_(target);
        break;
    case LinkKind::Page:
        if (loadPage(target) == LoadResult::Missing) plat::MsgBox("Error HTMLvu LoadFromFile");
        break;
    }
    return true;
}

Bytes HTMLvu::GetLinkText(int x, int y) const
{
    const int32_t i = hitTest(x, y);
    if (i == 0) return {};
    const Bytes& target = Linkaction[i];
    if (InStrB(target, "quil?") > 0) {
        const int32_t d = InStrB(target, "d=");
        const double year = d > 0 ? plat::Val(MidB(target, d + 2)) / 10 : 0.0;
        return atlas_.quilstring[33] + plat::Str(year);
    }
    return target;
}

// ---------------------------------------------------------------- events

void HTMLvu::drawRows(QImage& img, int at, int64_t y1, int64_t y2) const
{
    if (y2 <= y1 || img.isNull()) return;
    // Plain fills straight into the rows: through a painter a tall fill is
    // shared out to Qt's thread pool, whose waking costs more than the fill.
    const int rows = static_cast<int>(std::min<int64_t>(y2 - y1, img.height() - at));
    const int64_t p1 = std::max<int64_t>(y1, 0), p2 = std::min<int64_t>(y2, pageH_);
    const int cols = std::min(pageW_, img.width());
    // Page row py is drawn at img row py - dy, on a white page as laid out.
    const int dy = static_cast<int>(y1 - at);
    const bool anyPage = p1 < p2 && cols > 0;
    for (int r = std::max(at, 0); r < at + rows; ++r) {
        auto* line = reinterpret_cast<uint32_t*>(img.scanLine(r));
        const int64_t py = r + int64_t(dy);
        const int white = anyPage && py >= p1 && py < p2 ? cols : 0;
        std::fill_n(line, white, 0xFFFFFFFFu);
        std::fill_n(line + white, img.width() - white, 0xFF000000u | below_);
    }
    if (!anyPage) return;
    QPainter pt(&img);
    const QRect page(0, static_cast<int>(p1 - dy), cols, static_cast<int>(p2 - p1));
    pt.setClipRect(page);
    int font = -1;
    std::optional<Color> pen;
    GlyphBatch batch(pt);
    for (const Step& s : steps_) {
        if (s.bottom <= p1 || s.top >= p2) continue;
        if (s.kind != Step::Text) batch.flush();
        switch (s.kind) {
        case Step::Text:
            // The painter's font and pen set again only when they change.
            if (s.font != font) {
                batch.flush();
                pt.setFont(fonts_[static_cast<size_t>(font = s.font)]);
            }
            if (pen != s.color) {
                batch.flush();
                pt.setPen(QColor::fromRgb(*(pen = s.color)));
            }
            drawText(batch, s, fonts_[static_cast<size_t>(font)], dy);
            break;
        case Step::Fill:
            pt.fillRect(s.rect.translated(0, -dy), QColor::fromRgb(s.color));
            break;
        case Step::FillPage:
            pt.fillRect(page, QColor::fromRgb(s.color));
            break;
        case Step::Image:
            pt.drawImage(s.x, s.y - dy, s.image);
            break;
        }
    }
    batch.flush();
}

QImage HTMLvu::pageImage() const
{
    QImage img(std::max(pageW_, 1), std::max(pageH_, 1), QImage::Format_RGB32);
    img.fill(Qt::white);
    drawRows(img, 0, 0, pageH_);
    return img;
}

bool HTMLvu::drawViewAt(int32_t y, int rows)
{
    const int w = std::max(width(), 1), h = std::max(height(), 1);
    if (viewSerial_ == layoutSerial_ && viewBase_ == y && view_.size() == QSize(w, h)) return true;
    if (partRows_ < 0 || partBase_ != y || partSerial_ != layoutSerial_ || view_.size() != QSize(w, h)) {
        if (view_.size() != QSize(w, h)) view_ = QImage(w, h, QImage::Format_RGB32);
        viewSerial_ = layoutSerial_ - 1;  // not whole yet
        partBase_ = y;
        partSerial_ = layoutSerial_;
        partRows_ = 0;
    }
    const int n = std::clamp(rows, 1, h - partRows_);
    drawRows(view_, partRows_, int64_t(y) + partRows_, int64_t(y) + partRows_ + n);
    partRows_ += n;
    if (partRows_ < h) return false;
    partRows_ = -1;
    viewBase_ = y;
    viewSerial_ = layoutSerial_;
    return true;
}

bool HTMLvu::takeView(HTMLvu& other)
{
    const bool drawn = !other.view_.isNull() && other.viewSerial_ == other.layoutSerial_ && other.viewBase_ == ybase &&
                       other.size() == size() && other.view_.size() == size();
    if (!drawn || other.oldfile != oldfile || other.pageW_ != pageW_ || other.pageH_ != pageH_ ||
        other.steps_.size() != steps_.size() || other.below_ != below_ || other.bgcolor != bgcolor ||
        other.HTMLstring != HTMLstring)
        return false;
    view_.swap(other.view_);
    other.viewSerial_ = other.layoutSerial_ - 1;
    viewBase_ = ybase;
    viewSerial_ = layoutSerial_;
    update();
    return true;
}

void HTMLvu::scrollTo(int32_t y)
{
    const int64_t d = int64_t(y) - screenBase_;
    ybase = y;
    if (d == 0) return;
    screenBase_ = y;
    // Only over pixels that are the kept view's; a paint owed for the whole
    // control covers whatever the move leaves.
    const bool kept = view_.size() == size() && viewSerial_ == layoutSerial_;
    if (!kept || !isVisible() || std::abs(d) >= height()) {
        update();
        return;
    }
    // The window moves pixels only where no control lies over them: columns
    // on the right under a control above this one are painted instead.
    QRect moved = rect();
    if (const QWidget* p = parentWidget()) {
        const QList<QObject*>& kids = p->children();
        for (qsizetype i = kids.indexOf(const_cast<HTMLvu*>(this)) + 1; i > 0 && i < kids.size(); ++i) {
            const auto* w = qobject_cast<const QWidget*>(kids[i]);
            if (!w || !w->isVisible()) continue;
            const QRect over = w->geometry().translated(-pos()) & moved;
            if (!over.isEmpty() && over.right() == moved.right()) moved.setRight(over.left() - 1);
        }
    }
    scroll(0, static_cast<int>(-d), moved);
    if (moved != rect()) update(QRect(moved.right() + 1, 0, width() - moved.width(), height()));
}

bool HTMLvu::edgeHolds(const Edge& e, int64_t from, int n) const
{
    return e.serial == layoutSerial_ && e.rows.width() == view_.width() && e.rows.bytesPerLine() == view_.bytesPerLine() &&
           from >= e.base && from + n <= e.base + e.rows.height();
}

void HTMLvu::drawEdges()
{
    if (!isVisible() || view_.isNull() || viewSerial_ != layoutSerial_) return;
    const int w = view_.width(), h = view_.height();
    const int64_t want[2] = {int64_t(viewBase_) - kEdgeRows, int64_t(viewBase_) + h};
    // Below first, as time mostly runs forward; an edge stays while it holds
    // the half next to the view. One a turn.
    for (const int i : {1, 0}) {
        Edge& edge = edges_[i];
        if (edgeHolds(edge, i == 1 ? want[1] : want[0] + kEdgeRows / 2, kEdgeRows / 2)) continue;
        if (edge.rows.size() != QSize(w, kEdgeRows)) edge.rows = QImage(w, kEdgeRows, QImage::Format_RGB32);
        drawRows(edge.rows, 0, want[i], want[i] + kEdgeRows);
        edge.base = want[i];
        edge.serial = layoutSerial_;
        edgeTimer_.start(0);
        return;
    }
}

void HTMLvu::paintEvent(QPaintEvent* e)
{
    QPainter pt(this);
    if (!bfr) {
        pt.fillRect(rect(), Qt::white);
        return;
    }
    const int w = std::max(width(), 1), h = std::max(height(), 1);
    const int64_t d = int64_t(ybase) - viewBase_;
    if (view_.size() != QSize(w, h) || viewSerial_ != layoutSerial_ || std::abs(d) >= h) {
        if (view_.size() != QSize(w, h)) view_ = QImage(w, h, QImage::Format_RGB32);
        drawRows(view_, 0, ybase, int64_t(ybase) + h);
    } else if (d != 0) {
        // A scroll: the rows still shown move, only the rows it brings in are
        // copied from an edge that holds them, or drawn.
        const qsizetype bpl = view_.bytesPerLine();
        uchar* bits = view_.bits();
        const int keep = h - static_cast<int>(std::abs(d));
        auto bring = [&](int at, int64_t from, int n) {
            for (const Edge& edge : edges_)
                if (edgeHolds(edge, from, n)) {
                    std::memcpy(bits + at * bpl, edge.rows.constBits() + (from - edge.base) * bpl, static_cast<size_t>(n) * bpl);
                    return;
                }
            drawRows(view_, at, from, from + n);
        };
        if (d > 0) {
            std::memmove(bits, bits + d * bpl, static_cast<size_t>(keep) * bpl);
            bring(keep, int64_t(ybase) + keep, h - keep);
        } else {
            std::memmove(bits - d * bpl, bits, static_cast<size_t>(keep) * bpl);
            bring(0, ybase, static_cast<int>(-d));
        }
    }
    viewBase_ = ybase;
    screenBase_ = ybase;
    viewSerial_ = layoutSerial_;
    plat::drawImageByRects(pt, e->region(), view_);
    if (!edgeTimer_.isActive()) edgeTimer_.start(0);
}

void HTMLvu::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) return;
    const QPoint p = e->position().toPoint();
    MouseDown(p.x(), p.y());
}

void HTMLvu::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    if (moveHandler_) moveHandler_(p.x(), p.y());
}

void HTMLvu::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) return;
    const QPoint p = e->position().toPoint();
    if (upHandler_) upHandler_(p.x(), p.y());
}

}  // namespace quil2a
