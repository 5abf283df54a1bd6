#include "atlasdata/content.h"

#include "atlasdata/scramblekey.h"
#include "platform/msgbox.h"
#include "platform/resources.h"

namespace quil2a {

const std::vector<ContentItem>& contentItems()
{
    static const std::vector<ContentItem> items = {
        {1, "bdr2.txt", 168}, {2, "clrs.txt", 181}, {3, "cnam1.txt", 192}, {5, "dnam1.txt", 214},
        {6, "eus.txt", 225}, {7, "geo2.txt", 236}, {8, "head1.txt", 247}, {9, "hta1.txt", 258},
        {10, "pt1.txt", 169}, {11, "wt1.txt", 172},
        {12, "en\\quilstr.mit", 173}, {13, "en\\cities.mit", 174}, {14, "en\\events.mit", 175},
        {15, "en\\flash1.bmp", 176}, {16, "en\\headstr.mit", 177}, {17, "en\\help.htm", 178},
        {19, "en\\people.mit", 180}, {20, "en\\places.mit", 182},
        {21, "en\\t150.htm", 183}, {22, "en\\t151.htm", 184}, {23, "en\\t152.htm", 185},
        {24, "en\\t153.htm", 186}, {25, "en\\t154.htm", 187}, {26, "en\\t155.htm", 188},
        {27, "en\\t156.htm", 189}, {28, "en\\t157.htm", 190}, {29, "en\\t158.htm", 191},
        {30, "en\\t159.htm", 193}, {31, "en\\t160.htm", 194}, {32, "en\\t161.htm", 195},
        {33, "en\\t162.htm", 196}, {34, "en\\t163.htm", 197}, {35, "en\\t164.htm", 198},
        {36, "en\\t165.htm", 199}, {37, "en\\t166.htm", 200}, {38, "en\\t167.htm", 201},
        {39, "en\\t168.htm", 202}, {40, "en\\t169.htm", 204}, {41, "en\\t170.htm", 205},
        {42, "en\\t171.htm", 206}, {43, "en\\t172.htm", 207}, {44, "en\\t173.htm", 208},
        {45, "en\\t174.htm", 209}, {46, "en\\t175.htm", 210}, {47, "en\\t176.htm", 211},
        {48, "en\\t177.htm", 212}, {49, "en\\vreg.mit", 213}, {50, "en\\winstr.mit", 215},
        {51, "el\\quilstr.mit", 216}, {52, "el\\cities.mit", 217}, {53, "el\\events.mit", 218},
        {54, "el\\flashgr.bmp", 219}, {55, "el\\headstr.mit", 220}, {56, "el\\help.htm", 221},
        {58, "el\\people.mit", 223}, {59, "el\\places.mit", 224},
        {60, "el\\t150.htm", 226}, {61, "el\\t151.htm", 227}, {62, "el\\t152.htm", 228},
        {63, "el\\t153.htm", 229}, {64, "el\\t154.htm", 230}, {65, "el\\t155.htm", 231},
        {66, "el\\t156.htm", 232}, {67, "el\\t157.htm", 233}, {68, "el\\t158.htm", 234},
        {69, "el\\t159.htm", 235}, {70, "el\\t160.htm", 237}, {71, "el\\t161.htm", 238},
        {72, "el\\t162.htm", 239}, {73, "el\\t163.htm", 240}, {74, "el\\t164.htm", 241},
        {75, "el\\t165.htm", 242}, {76, "el\\t166.htm", 243}, {77, "el\\t167.htm", 244},
        {78, "el\\t168.htm", 245}, {79, "el\\t169.htm", 246}, {80, "el\\t170.htm", 248},
        {81, "el\\t171.htm", 249}, {82, "el\\t172.htm", 250}, {83, "el\\t173.htm", 251},
        {84, "el\\t174.htm", 252}, {85, "el\\t175.htm", 253}, {86, "el\\t176.htm", 254},
        {87, "el\\vreg.mit", 255}, {88, "el\\winstr.mit", 256},
        {89, "im\\0.png", 257}, {90, "im\\cs-en.png", 259}, {91, "im\\date.png", 260},
        {92, "im\\dubrovnik.png", 261}, {93, "im\\help-win-en.png", 262}, {94, "im\\map-en.png", 263},
        {95, "im\\portrait.png", 264}, {96, "im\\opt-en.png", 265}, {97, "im\\psc-en.png", 266},
        {98, "im\\qlist-en.png", 267}, {99, "im\\timectl.png", 268}, {100, "im\\vr-en.png", 170},
        {101, "im\\zmroll.png", 171},
    };
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
