// Printing the map with the page dialogs bypassed, to a PDF file; copying it.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>

#include "export_support.h"

using exporttest::Exporter;
using exporttest::px;

TEST(ExportPrint, TheMapGoesLosslessToThePageOrNowhereWhenCancelled)
{
    Exporter r;
    r.mark();
    r.app->PrintMapFiner_Action();
    EXPECT_EQ(r.messages.count("The map has been printed."), 1);
    QFile f(r.pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray pdf = f.readAll();
    // The whole 2x picture as one image, not recompressed as a photograph.
    EXPECT_TRUE(pdf.contains("/Width " + QByteArray::number(2 * r.canvas().width())));
    EXPECT_TRUE(pdf.contains("/Height " + QByteArray::number(2 * r.canvas().height())));
    EXPECT_FALSE(pdf.contains("/DCTDecode"));
    EXPECT_TRUE(r.restored());

    for (bool setupOk : {false, true}) {
        QFile::remove(r.pdf);
        r.messages.clear();
        r.pageSetupOk = setupOk;
        r.printOk = false;
        r.mark();
        r.app->PrintMapFinest_Action();
        EXPECT_FALSE(QFile::exists(r.pdf)) << setupOk;
        EXPECT_TRUE(r.messages.messages().empty()) << setupOk;
        EXPECT_TRUE(r.restored()) << setupOk;
    }
}

TEST(ExportPrint, ThePictureFillsThePagesWidthOrHeight)
{
    EXPECT_EQ(quil2a::printFit(600, 400, 1000, 500), QSize(750, 500));  // page wider: its height
    EXPECT_EQ(quil2a::printFit(600, 400, 900, 1200), QSize(900, 600));  // page narrower: its width
    EXPECT_EQ(quil2a::printFit(3, 7, 100, 100), QSize(42, 100));       // truncated, never past the page
    EXPECT_EQ(quil2a::printFit(0, 7, 100, 100), QSize());
}

TEST(ExportClipboard, CopyPutsTheCaptionedMapOnTheClipboard)
{
    Exporter r;
    r.dlg().resolution = 3;
    r.app->EditCopy_Action();  // the menu's Copy is always as displayed
    QImage img = QGuiApplication::clipboard()->image();
    ASSERT_EQ(img.size(), r.canvas());
    EXPECT_EQ(px(img, 100, 100), px(r.win().MapCanvas->shownPicture().image(), 100, 100));
    EXPECT_EQ(px(img, img.width() - 1, img.height() - 1), 0xFFFFFFu);
    EXPECT_EQ(r.messages.count("The map has been copied to the clipboard."), 1);
    EXPECT_TRUE(r.restored());

    r.dlg().res2->click();
    r.dlg().ClipBtn->click();
    img = QGuiApplication::clipboard()->image();
    EXPECT_EQ(img.size(), r.canvas() * 2);
    EXPECT_EQ(px(img, img.width() - 1, img.height() - 27), 0u);  // the frame above a band of 26
}
