// The menu bar in use: captions in both languages, shortcuts reaching their
// commands, and the order of quitting.
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenuBar>

#include "app/splash.h"
#include "app_harness.h"
#include "dialog/maindlg.h"

using apptest::Harness;

TEST(MenuCommands, CaptionsFollowTheLanguageAndShowAnAmpersandAsItIs)
{
    for (bool greek : {false, true}) {
        Harness h(greek ? "quillmere-el" : "quillmere");
        const plat::Bytes prefix = greek ? "\xc5\xcb " : "";  // "ΕΛ "
        plat::Bytes strings;
        for (int n = 1; n <= 63; ++n)
            strings += std::to_string(n) + "@\"" + (n == 62 ? "" : prefix + (n == 55 ? "Copy & Paste" : std::to_string(n))) + "\"\r\n";
        h.items.set(greek ? "el\\quilstr.mit" : "en\\quilstr.mit", strings);
        h.open();
        EXPECT_EQ(h.app->atlas().GreekText(), greek);
        const QString shown = QString::fromUtf8(greek ? "ΕΛ " : "");
        quil2a::MenuBarOSX& bar = h.app->menuBar();
        for (auto [item, n] : {std::pair{"FileMenu", 47}, {"WindowMenu", 49}, {"FilePrintMap", 52}, {"PrintMapAsDisplayed", 21},
                               {"SaveMapFinest", 23}, {"WindowPrefs", 61}})
            EXPECT_EQ(bar.item(item)->text(), shown + QString::number(n)) << item;
        EXPECT_EQ(bar.item("EditCopy")->iconText(), shown + "Copy & Paste");  // no mnemonic
        EXPECT_EQ(bar.item("HelpUsing")->text(), "");  // an empty string gives an empty caption

        // About shows the splash picture of the language.
        h.app->openSplash()->Close();
        bar.item("HelpAbout")->trigger();
        ASSERT_NE(h.app->openSplash(), nullptr);
        EXPECT_EQ(h.app->openSplash()->backdrop(), greek ? h.app->pictures().flashgr() : h.app->pictures().flash1());
    }
}

TEST(MenuCommands, ShortcutsReachTheirCommands)
{
    Harness h;
    h.open();
    quil2a::MainWindow& w = h.win();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    auto key = [&](Qt::Key k) { QTest::keyClick(&w, k, Qt::ControlModifier); };

    const double scale = h.m().scale;
    key(Qt::Key_I);
    EXPECT_DOUBLE_EQ(h.m().scale, scale / 0.8);
    key(Qt::Key_O);
    EXPECT_DOUBLE_EQ(h.m().scale, scale);
    h.m().scale = h.s().minscale;  // at the limit the step is refused
    key(Qt::Key_O);
    EXPECT_EQ(h.m().scale, h.s().minscale);

    h.m().NarrWinOpen = false;
    key(Qt::Key_2);
    EXPECT_TRUE(h.m().NarrWinOpen);
    ASSERT_EQ(h.narr->pages.size(), 2u);
    EXPECT_EQ(h.narr->pages[1], h.narr->pages[0]);  // the narrative for the date, as at opening

    QGuiApplication::clipboard()->clear();
    key(Qt::Key_C);
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), w.MapCanvas->size());

    for (Qt::Key options : {Qt::Key_3, Qt::Key_Comma}) {
        key(options);
        ASSERT_NE(h.app->existingDlg(), nullptr);
        EXPECT_TRUE(h.app->existingDlg()->isVisible());
        h.app->existingDlg()->Close();
    }

    h.m().NarrWinOpen = false;
    h.app->menuBar().item("HelpUsing")->trigger();
    EXPECT_TRUE(h.m().NarrWinOpen);
    EXPECT_EQ(h.narr->pages.back(), "help.htm#home");
}

TEST(MenuCommands, QuitClosesDialogThenNarrativeThenMainWindow)
{
    Harness h;
    std::vector<std::string> order;
    struct Narr : apptest::NarrDouble {
        std::function<void()> onClose;
        void Close() override { onClose(); }
    };
    h.app->narrWinFactory = [&](quil2a::App& a) {
        auto n = std::make_unique<Narr>();
        n->onClose = [&] { order.push_back(a.existingDlg() ? "narrative before dialog" : "narrative"); };
        return n;
    };
    h.app->quit = [&] { order.push_back(QFile::exists(quil2a::settingsFilePath()) ? "main, settings written" : "main"); };
    h.open();
    h.app->Dlg()->Show();
    h.app->menuBar().item("FileQuit")->trigger();
    EXPECT_EQ(order, (std::vector<std::string>{"narrative", "main, settings written"}));
}

TEST(MenuCommands, ShortcutsStillWorkInFullScreenWithTheMenuBarHidden)
{
    Harness h;
    h.open();
    quil2a::MainWindow& w = h.win();
    w.show();
    h.app->setFullScreen(true);
    h.app->setMenuBarVisible(false);
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    ASSERT_FALSE(w.menuBar()->isVisible());
    auto key = [&](Qt::Key k) { QTest::keyClick(&w, k, Qt::ControlModifier); };

    QGuiApplication::clipboard()->clear();
    key(Qt::Key_C);
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), w.MapCanvas->size());
    const double scale = h.m().scale;
    key(Qt::Key_I);
    EXPECT_DOUBLE_EQ(h.m().scale, scale / 0.8);
    h.m().NarrWinOpen = false;
    key(Qt::Key_2);
    EXPECT_TRUE(h.m().NarrWinOpen);
    key(Qt::Key_3);
    ASSERT_NE(h.app->existingDlg(), nullptr);
    EXPECT_TRUE(h.app->existingDlg()->isVisible());
    h.app->existingDlg()->Hide();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    key(Qt::Key_Q);
    EXPECT_EQ(h.quits, 1);
}
