// Exporting the map: a PNG file at each resolution with its caption strip,
// printing to a PDF file with the page dialogs bypassed, and the clipboard;
// the screen map after every way out.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageSetupDialog>
#include <QStandardPaths>
#include <QPushButton>
#include <QRadioButton>

#include <cerrno>
#include <cstring>

#include "export_support.h"
#include "platform/codepage.h"
#include "support/fulldisk.h"

using exporttest::Exporter;
using exporttest::px;

namespace {
// A black frame above a white band with the caption's ink above its baseline.
void expectStrip(const QImage& img, int k)
{
    const int W = img.width(), H = img.height(), band = quil2a::kCaptionBand * k;
    EXPECT_EQ(px(img, W - 1, 0), 0u);
    EXPECT_EQ(px(img, W / 2, H - band - 1), 0u);
    EXPECT_EQ(px(img, W - 1, H - band), 0xFFFFFFu);
    int ink = 0;
    for (int y = H - band; y < H - quil2a::kCaptionBaseline * k; ++y)
        for (int x = 4 * k; x < W / 2; ++x) ink += px(img, x, y) == 0;
    EXPECT_GT(ink, 10 * k);
}
}  // namespace

TEST(ExportPng, AsDisplayedIsExactlyWhatTheCanvasShows)
{
    Exporter r;
    r.mark();
    r.app->SaveMapAsDisplayed_Action();
    EXPECT_EQ(QFileInfo(r.offered).fileName(), "Quillmere map1805.png");
    EXPECT_EQ(r.messages.count("The map has been saved."), 1);
    const QImage img(r.path), shown = r.win().MapCanvas->shownPicture().image();
    ASSERT_EQ(img.size(), r.canvas());
    expectStrip(img, 1);
    int differ = 0;
    for (int y = 1; y < img.height() - quil2a::kCaptionBand - 1; ++y)
        for (int x = 1; x < img.width() - 1; ++x) differ += px(img, x, y) != px(shown, x, y);
    EXPECT_EQ(differ, 0);
    EXPECT_TRUE(r.restored());
}

TEST(ExportPng, TheCaptionsDigitsAreLegibleAtEverySize)
{
    Exporter r;
    r.app->atlas().quilstring[46] = "";  // the caption begins with the date
    for (int resolution : {1, 2, 3}) {
        const int k = quil2a::exportFactor(resolution);
        r.dlg().resolution = resolution;
        r.dlg().SaveBtn_Action();
        const QImage img(r.path);
        // The rows of "1805" inked.
        int top = img.height(), bottom = -1;
        for (int y = img.height() - quil2a::kCaptionBand * k; y < img.height(); ++y)
            for (int x = 4 * k; x < 4 * k + 20 * k; ++x)
                if (px(img, x, y) == 0) top = std::min(top, y), bottom = std::max(bottom, y);
        EXPECT_GE(bottom - top + 1, 11 * k) << resolution;
    }
}

TEST(ExportPng, FinerAndFinestKeepTheCanvasMiddleAtTheirMiddle)
{
    Exporter r;
    // Alphaville's cross alone at the canvas's middle.
    r.m().countrynameson = r.m().citynameson = false;
    const QSize c = r.canvas();
    r.m().x0 = 8000 - (20 + c.width() / 2.0 - r.m().xc) / r.m().scale;
    r.m().y0 = 11500 - (20 + c.height() / 2.0 - r.m().yc) / r.m().scale;
    r.view0 = r.view();
    // The export's scale, read from the visible-map box its render leaves in
    // the dialog: the canvas's width in map units.
    double scaleInDialog = 0;
    r.duringDialog = [&] { scaleInDialog = c.width() / double(r.dlg().vmx2 - r.dlg().vmx1); };
    for (auto [resolution, k, steps] : {std::tuple{2, 2, 3}, {3, 4, 6}, {0, 1, 0}}) {
        r.dlg().resolution = resolution;
        r.dlg().SaveBtn_Action();
        const QImage img(r.path);
        ASSERT_EQ(img.size(), c * k) << resolution;
        expectStrip(img, k);
        EXPECT_NEAR(scaleInDialog, r.view0[0] / std::pow(0.8, steps), 1e-3 * scaleInDialog);
        int n = 0, sx = 0, sy = 0;
        for (int y = img.height() / 2 - 6; y <= img.height() / 2 + 6; ++y)
            for (int x = img.width() / 2 - 6; x <= img.width() / 2 + 6; ++x)
                if (px(img, x, y) == r.app->atlas().citynamecolor) n++, sx += x, sy += y;
        ASSERT_GT(n, 0) << resolution;
        EXPECT_NEAR(double(sx) / n, img.width() / 2.0, 1.0) << resolution;
        EXPECT_NEAR(double(sy) / n, img.height() / 2.0, 1.0) << resolution;
        EXPECT_TRUE(r.restored());
    }
    // The menu's resolution stays for the dialog's buttons; the radio buttons do not follow it.
    r.app->SaveMapFinest_Action();
    EXPECT_EQ(r.dlg().resolution, 3);
    EXPECT_TRUE(r.dlg().res1->isChecked());
    r.m().scale = 0.6;
    r.app->SaveMapFiner_Action();
    EXPECT_NEAR(scaleInDialog, 1.0, 1e-2);
}

TEST(ExportPng, CancelFailureAndOversizeAreToldApartAndPutTheMapBack)
{
    Exporter r;
    auto exportOnce = [&](int resolution) {
        r.messages.clear();
        r.asked = 0;
        r.mark();
        r.dlg().resolution = resolution;
        r.dlg().SaveBtn_Action();
        EXPECT_TRUE(r.restored());
    };
    r.path.clear();  // cancelled: nothing written, nothing said
    exportOnce(1);
    EXPECT_EQ(r.asked, 1);
    EXPECT_TRUE(r.messages.messages().empty());
    EXPECT_TRUE(QDir(r.dir.path()).isEmpty());

    r.path = r.dir.filePath("no/such/folder/map.png");
    exportOnce(1);
    EXPECT_EQ(r.messages.messages(),
              std::vector<plat::Bytes>{quil2a::mapNotSavedMessage(r.path, std::strerror(ENOENT), false,
                                                                  plat::CodePage::Win1252)});

    // Too large: refused before any picture is made or a dialog asked.
    r.path = r.dir.filePath("map.png");
    r.app->exportHooks.maxPixels = int64_t(r.canvas().width()) * r.canvas().height() * 16 - 1;
    exportOnce(3);
    EXPECT_EQ(r.messages.messages(), std::vector<plat::Bytes>{quil2a::kExportTooLarge});
    EXPECT_EQ(r.asked, 0);

    r.app->atlas().quilstring[28] = "";  // an empty string silences the success message
    exportOnce(2);
    EXPECT_TRUE(QFile::exists(r.path));
    EXPECT_TRUE(r.messages.messages().empty());
}

TEST(ExportPng, TheAnimationWaitsBehindTheSaveDialog)
{
    Exporter r;
    r.s().targetdate = 1900.0;
    r.s().timesteps = 1;
    r.m().timeforward = true;
    r.win().EvoTimer.setMode(2);
    double dateInDialog = 0;
    r.duringDialog = [&] {
        r.win().EvoTimer_Action();
        dateInDialog = r.m().maindate;
    };
    r.app->SaveMapAsDisplayed_Action();
    EXPECT_EQ(dateInDialog, 1805.0);
    r.win().EvoTimer_Action();
    EXPECT_EQ(r.m().maindate, 1805.1);
}

TEST(ExportPrint, TheMapGoesLosslessToThePageOrNowhereWhenCancelled)
{
    Exporter r;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    ASSERT_TRUE(QDir().mkpath(documents));
    r.mark();
    r.app->PrintMapFiner_Action();
    // Without a printer the PDF is offered under the map's name, in landscape for a wide map.
    EXPECT_EQ(r.offeredPdf, QDir(documents).filePath("Quillmere map1805.pdf"));
    EXPECT_EQ(r.orientation, r.canvas().width() > r.canvas().height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    EXPECT_EQ(r.messages.messages(),
              std::vector<plat::Bytes>{quil2a::mapSavedMessage(r.pdf, false, plat::CodePage::Win1252)});
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

TEST(ExportFiles, OnAFullDiskTheOldFileStaysAndTheMessageNamesFileAndReason)
{
    for (bool pdf : {false, true}) {
        Exporter r;
        QString& target = pdf ? r.pdf : r.path;
        target = r.dir.filePath(pdf ? "full/map.pdf" : "full/map.png");
        testsupport::FullDisk disk(r.dir.filePath("full"), QFileInfo(target).fileName(), "old");
        r.mark();
        pdf ? r.app->PrintMapAsDisplayed_Action() : r.app->SaveMapAsDisplayed_Action();
        EXPECT_EQ(r.messages.messages(), std::vector<plat::Bytes>{quil2a::mapNotSavedMessage(
                                             target, testsupport::noSpace(), false, plat::CodePage::Win1252)});
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), "old") << pdf;
        EXPECT_EQ(disk.files(), QStringList{QFileInfo(target).fileName()}) << pdf;
        EXPECT_TRUE(r.restored());
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
    EXPECT_EQ(px(img, img.width() - 1, img.height() - 2 * quil2a::kCaptionBand - 1), 0u);  // the frame above the band
}

TEST(ExportCaption, NamesTheMapsDateAndTheAtlasInTheLanguageOfTheSet)
{
    EXPECT_EQ(quil2a::exportCaption("Europe in ", 1805.3, false), "Europe in 1805.3 \xB7 Quillmere historical atlas");
    EXPECT_EQ(quil2a::exportCaption("", 1453.0, false), "1453.0 \xB7 Quillmere historical atlas");
    const plat::Bytes greek = quil2a::exportCaption("\xC7 \xC5\xF5\xF1\xFE\xF0\xE7 \xF4\xEF ", 2003.0, true);
    EXPECT_EQ(plat::decode(greek, plat::CodePage::Win1253), QString::fromUtf8("Η Ευρώπη το 2003.0 · Ιστορικός άτλας Quillmere"));
}

TEST(ExportPng, TheSaveDialogOpensInThePicturesFolderThenInTheLastFolderUsed)
{
    Exporter r;
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    QDir(pictures).removeRecursively();
    r.app->SaveMapAsDisplayed_Action();
    EXPECT_EQ(QFileInfo(r.offered).absolutePath(), QDir::homePath());  // no pictures folder yet
    QFile::remove(r.path);
    r.app->exportHooks.lastSaveFolder.clear();
    ASSERT_TRUE(QDir().mkpath(pictures));
    r.app->SaveMapAsDisplayed_Action();
    EXPECT_EQ(QFileInfo(r.offered).absolutePath(), pictures);
    // The map went to another folder: the next save, also from a new dialog, opens there.
    r.dlg().Close();
    r.app->SaveMapFiner_Action();
    EXPECT_EQ(QFileInfo(r.offered).absolutePath(), QFileInfo(r.path).absolutePath());
    QDir(pictures).removeRecursively();
}

namespace {
std::vector<QString> warnings;
void recordWarning(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtWarningMsg) warnings.push_back(text);
}
}  // namespace

TEST(ExportPrint, ThePageSetupDialogServesAPdfPrinterWithoutAWarning)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);  // what there is without an installed printer
    warnings.clear();
    const QtMessageHandler before = qInstallMessageHandler(recordWarning);
    { QPageSetupDialog bare(&printer); }
    const size_t bareWarnings = warnings.size();
    auto dialog = quil2a::makePageSetupDialog(printer);
    qInstallMessageHandler(before);
    EXPECT_EQ(bareWarnings, 1u);  // the warning this guards against
    EXPECT_EQ(warnings.size(), bareWarnings);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->printer(), &printer);
}
