#include "app/settings.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <optional>

#include "platform/files.h"

namespace quil2a {

QString settingsFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::ConfigLocation) + QStringLiteral("/org.quillmere.atlas.qlmx");
}

namespace {
// Lines ended by CR LF, LF or CR; the text after the last end is a line too.
std::vector<plat::Bytes> lines(const plat::Bytes& text)
{
    std::vector<plat::Bytes> out;
    plat::Bytes cur;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out.push_back(cur);
            cur.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            cur += c;
        }
    }
    if (!cur.empty() || out.empty()) out.push_back(cur);
    return out;
}

// A whole number: an optional "-" and decimal digits, within 32 bits.
// Anything else ("nan", "12abc", nothing) is no number.
std::optional<int32_t> number(const plat::Bytes& v)
{
    const size_t first = !v.empty() && v[0] == '-' ? 1 : 0;
    if (v.size() == first) return std::nullopt;
    int64_t n = 0;
    for (size_t i = first; i < v.size(); ++i) {
        if (v[i] < '0' || v[i] > '9') return std::nullopt;
        n = n * 10 + (v[i] - '0');
        if (n > INT32_MAX) return std::nullopt;
    }
    return static_cast<int32_t>(first ? -n : n);
}
}  // namespace

void readSettingsText(const plat::Bytes& text, MapState& m, ShellState& s)
{
    // A byte-order mark some editors put first is no part of the first key.
    const bool bom = text.starts_with("\xEF\xBB\xBF");
    for (const plat::Bytes& line : lines(bom ? text.substr(3) : text)) {
        const int32_t p = plat::InStrB(line, "=");
        if (p <= 0) continue;
        const plat::Bytes key = plat::Lowercase(plat::Trim(plat::LeftB(line, p - 1)));
        const std::optional<int32_t> value = number(plat::Trim(plat::MidB(line, p + 1)));
        if (!value) continue;
        if (key == "x0") m.x0 = *value;
        else if (key == "y0") m.y0 = *value;
        else if (key == "date") m.maindate = *value / 10.0;
        else if (key == "scalei") s.scaleindex = *value;
    }
}

void ReadSettings(MapState& m, ShellState& s)
{
    const std::optional<QByteArray> data = plat::readFileStart(settingsFilePath(), kMaxSettingsBytes);
    if (data) readSettingsText(plat::Bytes(data->constData(), static_cast<size_t>(data->size())), m, s);
}

plat::Bytes settingsText(const MapState& m)
{
    auto whole = [](double v) { return plat::Str(plat::Int(plat::Round(v))); };
    return "x0 = " + whole(m.x0) + "\n" + "y0 = " + whole(m.y0) + "\n" + "date = " + whole(m.maindate * 10.0) + "\n" +
           "scalei = 10\n";
}

bool SaveSettings(const MapState& m, QString* why)
{
    const QString path = settingsFilePath();
    const QString folder = QFileInfo(path).absolutePath();
    auto fail = [why](const QString& reason) {
        if (why) *why = reason;
        return false;
    };
    if (!QDir().mkpath(folder)) return fail(QStringLiteral("the folder %1 cannot be made").arg(folder));
    const plat::Bytes text = settingsText(m);
    return plat::saveFileWhole(path, QByteArray(text.data(), static_cast<qsizetype>(text.size())), why);
}

plat::Bytes settingsNotSavedMessage(const QString& path, const QString& why, plat::CodePage cp)
{
    const QString text = cp == plat::CodePage::Win1253
                             ? QStringLiteral("Οι ρυθμίσεις δεν αποθηκεύτηκαν στο %1 (%2). Η χρονολογία και η όψη "
                                              "αυτής της συνεδρίας δεν θα επανέλθουν στην επόμενη εκκίνηση.")
                             : QStringLiteral("The settings could not be saved to %1 (%2). The date and view of this "
                                              "session will not be restored at the next start.");
    return plat::encode(text.arg(path, why), cp);
}

}  // namespace quil2a
