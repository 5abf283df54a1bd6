#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace plat {

namespace {

SaveStep faultStep = SaveStep::None;
int faultError = 0;

// The error the step reports: the injected one, else errno when it failed.
int injected(SaveStep step) { return faultStep == step ? faultError : 0; }

QString reasonOf(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

QByteArray nativePath(const QString& path) { return QFile::encodeName(path); }

// A fresh file beside target with a random name, made with the permissions a
// new file gets (the old file's when there is one); -1 with errno on failure.
int openTemporary(const QString& target, const struct stat* old, QString& tempPath)
{
    const QFileInfo info(target);
    for (int attempt = 0; attempt < 16; ++attempt) {
        tempPath = info.absolutePath() + QStringLiteral("/.") + info.fileName() + QLatin1Char('.') +
                   QString::number(QRandomGenerator::global()->generate(), 36);
        const int fd = ::open(nativePath(tempPath).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            if (old) ::fchmod(fd, old->st_mode & 07777);
            return fd;
        }
        if (errno != EEXIST) return -1;
    }
    return -1;
}

// Writes all of data and checks the size the file has; error is the errno of
// the first failure (ENOSPC for a write that took nothing), else 0.
void writeAll(int fd, const QByteArray& data, int& error)
{
    const char* p = data.constData();
    qsizetype left = data.size();
    if (injected(SaveStep::Write)) left /= 2;  // a disk that fills half way
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = n < 0 ? errno : ENOSPC;
            return;
        }
        p += n;
        left -= n;
    }
    if ((error = injected(SaveStep::Write))) return;
    struct stat st;
    if (::fstat(fd, &st) != 0) error = errno;
    else if (st.st_size != data.size()) error = EIO;
}

}  // namespace

std::optional<QByteArray> readFileStart(const QString& path, qint64 maxBytes)
{
    const QByteArray name = nativePath(path);
    struct stat st;
    // Anything but a regular file is not opened at all; should one take its
    // place meanwhile, the open does not wait for it and the check after it
    // turns it away.
    if (::stat(name.constData(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::optional<QByteArray> out;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        QByteArray data(static_cast<qsizetype>(std::max<qint64>(0, maxBytes)), Qt::Uninitialized);
        qsizetype got = 0;
        while (got < data.size()) {
            const ssize_t n = ::read(fd, data.data() + got, static_cast<size_t>(data.size() - got));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                if (n < 0) got = -1;
                break;
            }
            got += n;
        }
        if (got >= 0) {
            data.truncate(got);
            out = std::move(data);
        }
    }
    ::close(fd);
    return out;
}

void failSavesAt(SaveStep step, int error)
{
    faultStep = step;
    faultError = error;
}

bool saveFileWhole(const QString& path, const QByteArray& data, QString* why)
{
    auto fail = [why](const QString& reason) {
        if (why) *why = reason;
        return false;
    };
    // A link is kept: its target is what gets replaced.
    QString target = QFileInfo(path).absoluteFilePath();
    const QFileInfo link(target);
    if (link.isSymLink()) target = link.exists() ? link.canonicalFilePath() : link.symLinkTarget();

    struct stat old;
    const bool hasOld = ::stat(nativePath(target).constData(), &old) == 0;
    if (hasOld && S_ISDIR(old.st_mode)) return fail(QStringLiteral("a folder of that name is in the way"));
    if (hasOld && !S_ISREG(old.st_mode)) return fail(QStringLiteral("something that is not a file is in the way"));

    QString temp;
    const int fd = openTemporary(target, hasOld ? &old : nullptr, temp);
    if (fd < 0) return fail(reasonOf(errno));

    // Each step runs only when those before it succeeded; the first failure is the reason.
    int error = 0;
    writeAll(fd, data, error);
    if (!error && (error = injected(SaveStep::Sync)) == 0 && ::fsync(fd) != 0) error = errno;
    const int closed = ::close(fd), closeError = errno;
    if (!error && (error = injected(SaveStep::Close)) == 0 && closed != 0) error = closeError;
    if (!error && (error = injected(SaveStep::Rename)) == 0 &&
        ::rename(nativePath(temp).constData(), nativePath(target).constData()) != 0)
        error = errno;
    if (error) {
        ::unlink(nativePath(temp).constData());
        return fail(reasonOf(error));
    }
    // The new name reaches the disk with the folder.
    const int dir = ::open(nativePath(QFileInfo(target).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

}  // namespace plat
