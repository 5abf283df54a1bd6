// Start-up: defaults, language by the executable's name, splash, settings
// validation and the menu captions.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <unistd.h>

#include "app/menubar.h"
#include "app/splash.h"
#include "app_harness.h"
#include "platform/codepage.h"

using apptest::Harness;

TEST(Startup, LanguageFollowsTheExecutablesOwnName)
{
    for (const char* greek : {"quillmere-el", "QUILLMERE_EL", "atlas-El.bin", "x_eLy"})
        EXPECT_TRUE(quil2a::App::greekName(greek)) << greek;
    for (const char* english : {"quillmere", "quillmereel", "quillmere-e", "el", "quillmere.el"})
        EXPECT_FALSE(quil2a::App::greekName(english)) << english;

    // A link named for the Greek edition keeps its own name.
    QTemporaryDir dir;
    const QString target = dir.filePath("quillmere"), link = dir.filePath("quillmere-el");
    QFile(target).open(QIODevice::WriteOnly);
    ASSERT_EQ(symlink(target.toLocal8Bit().constData(), link.toLocal8Bit().constData()), 0);
    EXPECT_EQ(quil2a::App::exeBaseName(link.toLocal8Bit().constData()), "quillmere-el");
    EXPECT_EQ(quil2a::App::exeBaseName("quillmere"), "quillmere");
    EXPECT_EQ(quil2a::App::exeBaseName(nullptr), "");
}

TEST(Startup, DefaultsWithoutSettingsAndEnglishCaptions)
{
    Harness h;
    h.open();
    EXPECT_EQ(h.m().x0, 10500.0);
    EXPECT_EQ(h.m().y0, 12000.0);
    EXPECT_EQ(h.m().maindate, 1805.0);
    EXPECT_EQ(h.m().mindate, 1000.0);
    EXPECT_EQ(h.m().maxdate, 2003.0);
    EXPECT_EQ(h.s().swapdate, 2000.0);
    EXPECT_EQ(h.s().scaleindex, 13);
    EXPECT_NEAR(h.m().scale, 0.054975581, 1e-9);
    EXPECT_EQ(h.app->atlas().gamma, 0.7);
    EXPECT_FALSE(h.app->atlas().GreekText());
    EXPECT_GT(h.app->atlas().content.cfilelist.Count(), 0);
    EXPECT_EQ(h.dateText(), "1805.0");

    quil2a::MenuBarOSX& bar = h.app->menuBar();
    auto caption = [&](const char* item) { return bar.item(item)->text(); };
    EXPECT_EQ(caption("FileMenu"), "File");
    EXPECT_EQ(caption("HelpAbout"), "About Quillmere");
    // The submenus of both Save Map and Print Map share entries 21 to 23.
    EXPECT_EQ(caption("SaveMapFiner"), caption("PrintMapFiner"));
    EXPECT_EQ(caption("SaveMapFinest"), "Finest");
    EXPECT_EQ(bar.item("UntitledMenu1"), nullptr);

    // The splash stays up while the main window opens, with the English picture.
    ASSERT_NE(h.app->openSplash(), nullptr);
    ASSERT_NE(h.app->pictures().flash1(), nullptr);
    EXPECT_EQ(h.app->openSplash()->backdrop(), h.app->pictures().flash1());
}

TEST(Startup, SettingsOutsideTheirRangesAreReplaced)
{
    struct Case {
        const char* text;
        double x0, y0, date;
        int scalei;
    };
    const Case cases[] = {
        {"x0 = 0\ny0 = 35901\ndate = 9999\nscalei = 1\n", 10500, 12000, 1000.0, 13},
        {"x0 = 1\ny0 = 35900\ndate = 20030\nscalei = 2\n", 1, 35900, 2003.0, 2},
        {"x0 = 35901\ny0 = 0\ndate = 20031\nscalei = 31\n", 10500, 12000, 1000.0, 13},
        {"x0 = 35900\ny0 = 1\ndate = 10000\nscalei = 30\n", 35900, 1, 1000.0, 30},
        {"scalei = 30", 10500, 12000, 1805.0, 30},
    };
    for (const Case& c : cases) {
        Harness h;
        h.writeSettings(c.text);
        h.open();
        EXPECT_EQ(h.m().x0, c.x0) << c.text;
        EXPECT_EQ(h.m().y0, c.y0) << c.text;
        EXPECT_EQ(h.m().maindate, c.date) << c.text;
        EXPECT_EQ(h.s().scaleindex, c.scalei) << c.text;
        EXPECT_DOUBLE_EQ(h.m().scale, std::pow(0.8, c.scalei)) << c.text;
    }
}

TEST(Startup, OnlyTheGreekEditionShowsQtsOwnDialogsInGreek)
{
    const auto shown = [] {
        QMessageBox box(QMessageBox::NoIcon, "", "", QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes);
        QFileDialog files;
        files.setAcceptMode(QFileDialog::AcceptSave);
        return QStringList{box.button(QMessageBox::Ok)->text(), box.button(QMessageBox::Cancel)->text(),
                           box.button(QMessageBox::Yes)->text(), files.windowTitle(),
                           QCoreApplication::translate("QPrintPreviewDialog", "Page Setup"),
                           QCoreApplication::translate("QPrintDialog", "Print to File (PDF)")};
    };
    {
        Harness greek("quillmere-el");
        greek.app->Open();
        EXPECT_EQ(shown(), (QStringList{"Εντάξει", "Ακύρωση", "&Ναι", "Αποθήκευση ως", "Διαμόρφωση σελίδας",
                                        "Εκτύπωση σε αρχείο (PDF)"}));
    }
    Harness english;
    english.app->Open();
    EXPECT_EQ(shown(), (QStringList{"OK", "Cancel", "&Yes", "Save As", "Page Setup", "Print to File (PDF)"}));
}

TEST(Startup, TheMainWindowComesWhenTheSplashHasGone)
{
    Harness h;
    h.app->start();
    QPointer<quil2a::Splash> splash = h.app->openSplash();
    ASSERT_NE(splash, nullptr);
    EXPECT_FALSE(h.win().isVisible());
    QTest::mouseClick(splash, Qt::LeftButton);
    EXPECT_TRUE(h.win().isVisible());
    EXPECT_EQ(h.app->openSplash(), nullptr);
}

TEST(Startup, SplashClosesOnItsTimerOrAClickAndAboutReusesAnOpenOne)
{
    Harness h("quillmere_el");
    h.open();
    QPointer<quil2a::Splash> first = h.app->openSplash();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(h.app->pictures().flashgr(), nullptr);
    EXPECT_EQ(first->backdrop(), h.app->pictures().flashgr());
    EXPECT_EQ(first->timer1().interval(), 5000);
    EXPECT_TRUE(first->timer1().isSingleShot());
    EXPECT_EQ(&h.app->splash(), first);  // shown again, not a second window

    first->timer1().start(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return h.app->openSplash() == nullptr; }, 2000));
    EXPECT_TRUE(!first || first->closed());

    quil2a::Splash& second = h.app->splash();
    EXPECT_FALSE(second.closed());
    EXPECT_TRUE(second.timer1().isActive());
    Harness::click(&second, QPoint(100, 60));
    EXPECT_EQ(h.app->openSplash(), nullptr);
}
