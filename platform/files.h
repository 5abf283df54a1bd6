// Files read and written whole: every file the program writes goes through
// saveFileWhole, so that a failure loses nothing.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace plat {

// The first maxBytes of the regular file at path (a link to one counts);
// nothing for anything else (none, a folder, a named pipe, a device) or a
// file that cannot be read. Never waits for a writer.
std::optional<QByteArray> readFileStart(const QString& path, qint64 maxBytes);

// Writes data to path through a temporary file in the same folder: written,
// flushed to the disk and closed, each step checked, and only then renamed
// over path. A symbolic link at path has its target replaced. On any failure
// path is left as it was, the temporary file is removed, and *why (when
// given) holds the reason in the system's words ("No space left on device").
bool saveFileWhole(const QString& path, const QByteArray& data, QString* why = nullptr);

// The steps of saveFileWhole at which a test may make it fail.
enum class SaveStep { None, Write, Sync, Close, Rename };
// Until called again with SaveStep::None, saveFileWhole fails at `step` as
// if the system had reported `error` (an errno value) there.
void failSavesAt(SaveStep step, int error);

}  // namespace plat
