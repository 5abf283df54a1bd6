// A folder whose file system is full. Where the test may mount one (as root),
// a small tmpfs is mounted there and filled up; elsewhere the folder stays as
// it is and every write through plat::saveFileWhole fails as a full disk
// makes it fail. Either way the folder holds `name` with `old` first.
#pragma once

#include <sys/mount.h>

#include <QDir>
#include <QFile>
#include <QString>
#include <cerrno>
#include <cstring>

#include "platform/files.h"

namespace testsupport {

class FullDisk {
public:
    FullDisk(const QString& folder, const QString& name, const QByteArray& old) : folder_(folder)
    {
        QDir().mkpath(folder);
        mounted_ = ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=64k") == 0;
        QFile f(QDir(folder).filePath(name));
        if (f.open(QIODevice::WriteOnly)) f.write(old);
        f.close();
        if (!mounted_) {
            plat::failSavesAt(plat::SaveStep::Write, ENOSPC);
            return;
        }
        QFile filler(QDir(folder).filePath(QStringLiteral("filler")));
        filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {}
        // The last pages a short write may have left.
        while (filler.write(block.left(1)) == 1) {}
    }
    ~FullDisk()
    {
        plat::failSavesAt(plat::SaveStep::None, 0);
        if (mounted_) ::umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool mounted() const { return mounted_; }
    // The files in the folder besides the filler.
    QStringList files() const
    {
        QStringList list = QDir(folder_).entryList(QDir::Files | QDir::Hidden | QDir::System);
        list.removeAll(QStringLiteral("filler"));
        return list;
    }

private:
    QString folder_;
    bool mounted_ = false;
};

// The reason a full disk gives.
inline QString noSpace() { return QString::fromLocal8Bit(std::strerror(ENOSPC)); }

}  // namespace testsupport
