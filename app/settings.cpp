#include "app/settings.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include "atlasdata/convert.h"

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
}  // namespace

void readSettingsText(const plat::Bytes& text, MapState& m, ShellState& s)
{
    for (const plat::Bytes& line : lines(text)) {
        const int32_t p = plat::InStrB(line, "=");
        if (p <= 0) continue;
        const plat::Bytes key = plat::Lowercase(plat::Trim(plat::LeftB(line, p - 1)));
        const plat::Bytes value = plat::Lowercase(plat::Trim(plat::MidB(line, p + 1)));
        if (key == "x0") m.x0 = intval(value);
        else if (key == "y0") m.y0 = intval(value);
        else if (key == "date") m.maindate = intval(value) / 10.0;
        else if (key == "scalei") s.scaleindex = intval(value);
    }
}

void ReadSettings(MapState& m, ShellState& s)
{
    QFile f(settingsFilePath());
    if (!f.exists() || !f.open(QIODevice::ReadOnly)) return;
    const QByteArray data = f.read(kMaxSettingsBytes);
    readSettingsText(plat::Bytes(data.constData(), static_cast<size_t>(data.size())), m, s);
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
    if (QFileInfo(path).isDir()) return fail(QStringLiteral("a folder of that name is in the way"));
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return fail(f.errorString());
    const plat::Bytes text = settingsText(m);
    if (f.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
        const QString reason = f.errorString();
        f.cancelWriting();
        return fail(reason);
    }
    if (!f.commit()) return fail(f.errorString());
    return true;
}

plat::Bytes settingsNotSavedMessage(const QString& path, const QString& why, plat::CodePage cp)
{
    return plat::encode(QStringLiteral("The settings could not be saved to %1 (%2). The date and view of this "
                                       "session will not be restored at the next start.")
                            .arg(path, why),
                        cp);
}

}  // namespace quil2a
