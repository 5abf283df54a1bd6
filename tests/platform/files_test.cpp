// Files read and written whole: a write that fails at any step leaves the old
// file and nothing else, and a read never waits on what is not a file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>

#include "platform/files.h"
#include "support/fulldisk.h"

namespace {
QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
}
}  // namespace

TEST(SaveFileWhole, ReplacesTheFileKeepingItsModeAndALinkToIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.txt"), real = dir.filePath("real.txt"), link = dir.filePath("link.txt");
    QString why;
    ASSERT_TRUE(plat::saveFileWhole(path, "one", &why)) << why.toStdString();
    EXPECT_EQ(contents(path), "one");
    ::chmod(QFile::encodeName(path).constData(), 0640);
    ASSERT_TRUE(plat::saveFileWhole(path, "two"));
    EXPECT_EQ(contents(path), "two");
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    ASSERT_TRUE(plat::saveFileWhole(real, "old"));
    ASSERT_TRUE(QFile::link(real, link));
    ASSERT_TRUE(plat::saveFileWhole(link, "new"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(contents(real), "new");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 3);
}

TEST(SaveFileWhole, AFailureAtAnyStepLeavesTheOldFileAloneAndSaysWhy)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("map.png");
    ASSERT_TRUE(plat::saveFileWhole(path, "old"));
    const QByteArray big(100000, 'n');
    for (auto [step, error] : {std::pair{plat::SaveStep::Write, ENOSPC}, {plat::SaveStep::Sync, EIO},
                               {plat::SaveStep::Close, EDQUOT}, {plat::SaveStep::Rename, EXDEV}}) {
        plat::failSavesAt(step, error);
        QString why;
        EXPECT_FALSE(plat::saveFileWhole(path, big, &why)) << int(step);
        EXPECT_EQ(why, QString::fromLocal8Bit(std::strerror(error)));
        EXPECT_EQ(contents(path), "old");
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{"map.png"});
    }
    plat::failSavesAt(plat::SaveStep::None, 0);

    // Nothing but a file is replaced.
    QString why;
    ASSERT_TRUE(QDir().mkpath(dir.filePath("folder")));
    EXPECT_FALSE(plat::saveFileWhole(dir.filePath("folder"), "x", &why));
    EXPECT_TRUE(why.contains("folder")) << why.toStdString();
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600), 0);
    EXPECT_FALSE(plat::saveFileWhole(dir.filePath("pipe"), "x", &why));
    EXPECT_FALSE(QFileInfo(dir.filePath("pipe")).isFile());
    EXPECT_FALSE(plat::saveFileWhole(dir.filePath("no/such/folder/map.png"), "x", &why));
    EXPECT_EQ(why, QString::fromLocal8Bit(std::strerror(ENOENT)));
}

TEST(SaveFileWhole, OnAFullDiskTheOldFileStays)
{
    QTemporaryDir dir;
    testsupport::FullDisk disk(dir.filePath("full"), "map.png", "old");
    QString why;
    EXPECT_FALSE(plat::saveFileWhole(dir.filePath("full/map.png"), QByteArray(20000, 'n'), &why));
    EXPECT_EQ(why, testsupport::noSpace()) << (disk.mounted() ? "tmpfs" : "failing on demand");
    EXPECT_EQ(contents(dir.filePath("full/map.png")), "old");
    EXPECT_EQ(disk.files(), QStringList{"map.png"});
}

TEST(ReadFileStart, ReadsTheStartOfARegularFileAndNothingElse)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("f"), link = dir.filePath("l");
    ASSERT_TRUE(plat::saveFileWhole(file, "0123456789"));
    ASSERT_TRUE(QFile::link(file, link));
    EXPECT_EQ(plat::readFileStart(file, 4), QByteArray("0123"));
    EXPECT_EQ(plat::readFileStart(link, 100), QByteArray("0123456789"));
    EXPECT_EQ(plat::readFileStart(dir.filePath("none"), 100), std::nullopt);
    EXPECT_EQ(plat::readFileStart(dir.path(), 100), std::nullopt);
    EXPECT_EQ(plat::readFileStart("/dev/zero", 100), std::nullopt);
}
