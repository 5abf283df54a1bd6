// Pages served as stored items to a fresh atlas, for the viewer's tests.
#pragma once

#include <QBuffer>
#include <QImage>
#include <vector>

#include "atlasdata/content.h"
#include "hypertext/narrative.h"
#include "platform/picture.h"
#include "support/items.h"

namespace viewertest {

struct Site {
    // Content keys ("en\\t150.htm", "im\\date.png") with their plain bytes.
    explicit Site(std::initializer_list<std::pair<const char*, plat::Bytes>> items, bool greek = false)
    {
        for (const auto& [key, text] : items) served.set(key, text);
        quil2a::Fillcfilelist(atlas);
        atlas.language = greek ? quil2a::Language::Greek : quil2a::Language::English;
    }
    testsupport::TestItems served;
    quil2a::Atlas atlas;
};

inline plat::Bytes png(int w, int h, QRgb colour)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(colour);
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return plat::Bytes(out.constData(), static_cast<size_t>(out.size()));
}

// Text height (ascent with asc) of the viewer's default font.
inline int textHeight(bool asc = false)
{
    plat::Picture p(10, 10);
    return asc ? p.graphics().TextAscent() : p.graphics().TextHeight();
}

struct RecordingWindow : quil2a::NarrativeWindow {
    void Show() override {}
    void Hide() override {}
    void SetFocus() override {}
    void Close() override {}
    void Update(const plat::Bytes& page) override { updates.push_back(page); }
    void setGeometry(int, int, int, int) override {}
    std::vector<plat::Bytes> updates;
};

}  // namespace viewertest
