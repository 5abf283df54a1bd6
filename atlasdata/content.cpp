#include "atlasdata/content.h"

#include "atlasdata/scramblekey.h"
#include "platform/msgbox.h"
#include "platform/resources.h"

namespace quil2a {

const std::vector<ContentItem>& contentItems()
{
    static const std::vector<ContentItem> items(kContentItems, kContentItems + kContentItemCount);
    return items;
}

const Bytes& cflist(Atlas& a, int n)
{
    if (!a.content.loaded[n]) {
        int res = 0;
        for (const auto& it : contentItems())
            if (it.n == n) res = it.resource;
        a.content._permatext[n] = res ? plat::GetResource("TEXT", res) : Bytes();
        a.content.loaded[n] = true;
    }
    return a.content._permatext[n];
}

void Fillcfilelist(Atlas& a)
{
    a.content.Nxmasks = 9;
    for (int i = 1; i <= a.content.Nxmasks; ++i) a.content.xmask[i] = kScrambleKey[static_cast<size_t>(i - 1)];
    for (const auto& it : contentItems()) a.content.cfilelist.Add(cflist(a, it.n), it.key);
}

Bytes scrambleBytes(const Bytes& in)
{
    Bytes out(in);
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char>(static_cast<uint8_t>(out[i]) ^ kScrambleKey[i % kScrambleKey.size()]);
    return out;
}

void OpenThisFile(Atlas& a, const Bytes& name, const Bytes& folder, bool greek, bool scrambled)
{
    Bytes key = folder.empty() ? name : folder + "\\" + name;
    ItemReader& r = a.reader;
    r.filestring.bytes = a.content.cfilelist.Item(key);
    if (r.filestring.bytes.size() < 10) {
        plat::MsgBox("Error 1");
        return;
    }
    if (scrambled) {
        Bytes& b = r.filestring.bytes;
        const int32_t n = a.content.Nxmasks;
        int32_t k = 0;
        for (size_t i = 0; i < b.size(); ++i) {
            if (++k > n) k = 1;
            b[i] = static_cast<char>(static_cast<uint8_t>(b[i]) ^ static_cast<uint8_t>(a.content.xmask[k]));
        }
    }
    r.filestring.codePage = greek ? a.textCodePage() : plat::CodePage::Win1252;
}

Bytes GetLine(Atlas& a)
{
    ItemReader& r = a.reader;
    if (r.crlf.empty()) r.crlf = "\r\n";
    if (r.filereadpos == 0) r.filereadpos = -1;
    const Bytes& s = r.filestring.bytes;
    const int64_t start = int64_t(r.filereadpos) + 2;
    size_t p = start - 1 <= int64_t(s.size()) ? s.find(r.crlf, static_cast<size_t>(start - 1)) : Bytes::npos;
    if (p == Bytes::npos) {
        r.filereadpos = -1;
        if (start - 1 >= int64_t(s.size())) return {};
        return s.substr(static_cast<size_t>(start - 1));
    }
    const int64_t pos = int64_t(p) + 1;  // 1-based position of the CR
    Bytes line = s.substr(static_cast<size_t>(start - 1), static_cast<size_t>(pos - start));
    r.filereadpos = int64_t(s.size()) < pos + 2 ? -1 : static_cast<int32_t>(pos);
    return line;
}

bool fileEOF(const Atlas& a) { return a.reader.filereadpos == -1; }

void fileClose(Atlas& a)
{
    a.reader.filereadpos = -1;
    a.reader.filestring.bytes.clear();
}

}  // namespace quil2a
