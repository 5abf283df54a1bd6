// The settings file: reading any key layout, the four lines written on quit,
// and a write that replaces the file whole.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <sys/stat.h>

#include <QElapsedTimer>
#include <atomic>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

#include "app/settings.h"
#include "app_harness.h"
#include "support/fulldisk.h"

using quil2a::MapState;
using quil2a::ShellState;

TEST(Settings, ReadsKeysInAnyCaseAndSpacingAndSkipsTheRest)
{
    MapState m;
    ShellState s;
    quil2a::readSettingsText("X0=12345\r\n   y0   =   23456   \rdate = 18053\nnonsense\ncolour = 4\nSCALEI= 7", m, s);
    EXPECT_EQ(m.x0, 12345.0);
    EXPECT_EQ(m.y0, 23456.0);
    EXPECT_DOUBLE_EQ(m.maindate, 1805.3);
    EXPECT_EQ(s.scaleindex, 7);

    // The last of a key given twice wins; the value runs from the first "=" on.
    // A value that is not a whole number counts as absent.
    quil2a::readSettingsText("date = 18050\ndate = 18120\nx0 = -7\ny0 = 300", m, s);
    EXPECT_EQ(m.maindate, 1812.0);
    EXPECT_EQ(m.x0, -7.0);
    for (const char* value : {"nan", "inf", "", "12abc", "1.5", "1=2", "-", "99999999999", "0x10"}) {
        quil2a::readSettingsText(plat::Bytes("x0 = ") + value + "\ny0=" + value + "\ndate =" + value, m, s);
        EXPECT_EQ(m.x0, -7.0) << value;
        EXPECT_EQ(m.y0, 300.0) << value;
        EXPECT_EQ(m.maindate, 1812.0) << value;
    }
    // A byte-order mark before the first key.
    quil2a::readSettingsText("\xEF\xBB\xBFx0 = 20000\r\n", m, s);
    EXPECT_EQ(m.x0, 20000.0);

    MapState untouched;
    quil2a::readSettingsText("", untouched, s);
    EXPECT_EQ(untouched.x0, 10500.0);
}

TEST(Settings, WritesFourLinesAndReadsThemBack)
{
    apptest::privateSettings();
    const QString path = quil2a::settingsFilePath();
    EXPECT_TRUE(path.endsWith(".qlmx"));
    QFile::remove(path);

    MapState m;
    m.x0 = 10500.4;
    m.y0 = 11999.6;
    m.maindate = 1805.3;
    ASSERT_TRUE(quil2a::SaveSettings(m));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().toStdString(), "x0 = 10500\ny0 = 12000\ndate = 18053\nscalei = 10\n");
    f.close();

    MapState back;
    ShellState s;
    quil2a::ReadSettings(back, s);
    EXPECT_EQ(back.x0, 10500.0);
    EXPECT_EQ(back.y0, 12000.0);
    EXPECT_DOUBLE_EQ(back.maindate, 1805.3);
    EXPECT_EQ(s.scaleindex, 10);

    // Nothing of a longer earlier file survives, and no temporary file is left.
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(std::string(500, '#').c_str());
    f.close();
    m.maindate = 1000.0;
    ASSERT_TRUE(quil2a::SaveSettings(m));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().toStdString(), "x0 = 10500\ny0 = 12000\ndate = 10000\nscalei = 10\n");
    f.close();
    const QStringList left = QFileInfo(path).dir().entryList({"*.qlmx*"}, QDir::Files);
    EXPECT_EQ(left, QStringList{QFileInfo(path).fileName()});
    QFile::remove(path);
}

TEST(Settings, AFailedWriteGivesItsReasonAndLeavesTheOldFileWhole)
{
    apptest::privateSettings();
    const QString path = quil2a::settingsFilePath();
    QFile::remove(path);
    QString why;
    ASSERT_TRUE(QDir().mkpath(path));  // a folder where the file belongs
    EXPECT_FALSE(quil2a::SaveSettings(MapState(), &why));
    EXPECT_FALSE(why.isEmpty());
    EXPECT_TRUE(QFileInfo(path).isDir());
    QDir(path).removeRecursively();

    // A file where the folder belongs (this holds even for root, unlike permissions).
    const QString folder = QFileInfo(path).absolutePath();
    const QString moved = folder + ".away";
    QDir().rename(folder, moved);
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    why.clear();
    EXPECT_FALSE(quil2a::SaveSettings(MapState(), &why));
    EXPECT_TRUE(why.contains(folder)) << why.toStdString();
    QFile::remove(folder);
    QDir().rename(moved, folder);
}

TEST(Settings, ReadsOnlyTheFirstFewKilobytes)
{
    apptest::Harness h;
    std::string text = "date = 14000\n" + std::string(quil2a::kMaxSettingsBytes, '#') + "\nx0 = 20000\n";
    h.writeSettings(text.c_str());
    h.open();
    EXPECT_EQ(h.m().maindate, 1400.0);
    EXPECT_EQ(h.m().x0, 10500.0);  // beyond the limit: ignored
}

TEST(Settings, ASettingsFileThatCannotBeWrittenIsReportedAndTheProgramStillQuits)
{
    apptest::Harness h;
    h.open();
    const QString path = quil2a::settingsFilePath();
    ASSERT_TRUE(QDir().mkpath(path));
    h.win().close();
    EXPECT_EQ(h.quits, 1);
    ASSERT_EQ(h.messages.messages().size(), 1u);
    const plat::Bytes& text = h.messages.messages()[0];
    EXPECT_NE(text.find(path.toStdString()), std::string::npos) << text;
    EXPECT_NE(text.find("folder of that name"), std::string::npos) << text;
    QDir(path).removeRecursively();
}

TEST(Settings, ClosingTheMainWindowSavesAndQuitsAndTheNextStartOpensThere)
{
    apptest::Harness h;
    h.open();
    h.m().x0 = 20000.2;
    h.m().maindate = 1500.3;
    h.win().close();
    EXPECT_EQ(h.quits, 1);
    EXPECT_TRUE(QFile::exists(quil2a::settingsFilePath()));
    QFile f(quil2a::settingsFilePath());
    f.open(QIODevice::ReadOnly);
    const QByteArray saved = f.readAll();
    f.close();
    // A second harness removes the file first: bring it back.
    apptest::Harness next;
    next.writeSettings(saved.constData());
    next.open();
    EXPECT_EQ(next.m().x0, 20000.0);
    EXPECT_DOUBLE_EQ(next.m().maindate, 1500.3);
    EXPECT_EQ(next.s().scaleindex, 10);
    EXPECT_EQ(next.dateText(), "1500.3");
}

TEST(Settings, OnAFullDiskTheOldFileStaysAndTheMessageNamesFileAndReason)
{
    apptest::Harness h;
    const QString path = quil2a::settingsFilePath();
    const QByteArray old = "x0 = 20000\ny0 = 12000\ndate = 15000\nscalei = 10\n";
    testsupport::FullDisk disk(QFileInfo(path).absolutePath(), QFileInfo(path).fileName(), old);
    h.open();
    EXPECT_EQ(h.m().x0, 20000.0);
    h.m().x0 = 30000;
    h.win().close();
    EXPECT_EQ(h.quits, 1);
    ASSERT_EQ(h.messages.messages().size(), 1u);
    const plat::Bytes& text = h.messages.messages()[0];
    EXPECT_NE(text.find(path.toStdString()), std::string::npos) << text;
    EXPECT_NE(text.find(testsupport::noSpace().toStdString()), std::string::npos) << text;
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), old);
    EXPECT_EQ(disk.files(), QStringList{QFileInfo(path).fileName()});
}

TEST(Settings, StartsAtTheDefaultsWhateverElseStandsAtThePath)
{
    apptest::Harness h;
    const QString path = quil2a::settingsFilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QByteArray name = QFile::encodeName(path);
    ASSERT_EQ(::mkfifo(name.constData(), 0600), 0);
    // Should the start wait for a writer, one comes after five seconds.
    std::atomic<bool> done = false;
    std::thread writer([&] {
        for (int i = 0; i < 50 && !done; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (done) return;
        const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) ::close(fd);
    });
    QElapsedTimer clock;
    clock.start();
    h.open();
    done = true;
    writer.join();
    EXPECT_LT(clock.elapsed(), 4000);
    EXPECT_EQ(h.m().x0, 10500.0);
    EXPECT_EQ(h.m().maindate, 1805.0);
    QFile::remove(path);

    apptest::Harness folder;
    ASSERT_TRUE(QDir().mkpath(path));
    folder.open();
    EXPECT_EQ(folder.m().x0, 10500.0);
    QDir(path).removeRecursively();
}
