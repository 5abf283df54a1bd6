// Saving, printing and copying the map: the map is rendered afresh into its
// own picture at one, two or four times the canvas, framed, given a caption
// strip, handed to the printer, the clipboard or a PNG file, and the screen
// map is rendered again whatever happened.
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <algorithm>
#include <cmath>
#include <memory>

#include "engine/engine.h"
#include "dialog/savemap.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/msgbox.h"

namespace quil2a {

namespace {

constexpr double kScaleStep = 0.8;
// The canvas shows the screen map from this point of p.
constexpr int kMargin = 20;

bool systemPageSetup(QPrinter& printer)
{
    return makePageSetupDialog(printer)->exec() == QDialog::Accepted;
}

bool systemPrintDialog(QPrinter& printer)
{
    QPrintDialog dialog(&printer);
    return dialog.exec() == QDialog::Accepted;
}

// The Greek edition takes Qt's own dialog, whose texts it carries in Greek,
// rather than the desktop's, which speaks the desktop's language.
QString systemSaveFileName(const QString& defaultPath, bool greek)
{
    QFileDialog dialog(nullptr);
    dialog.setOption(QFileDialog::DontUseNativeDialog, greek);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (greek)
        dialog.setNameFilter(QStringLiteral("Εικόνα PNG (*.png)"));
    else
        dialog.setMimeTypeFilters({QStringLiteral("image/png")});
    dialog.setDefaultSuffix(QStringLiteral("png"));
    dialog.setDirectory(QFileInfo(defaultPath).absolutePath());
    dialog.selectFile(QFileInfo(defaultPath).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

void tell(const Atlas& a, int n)
{
    const plat::Bytes& text = a.quilstring[n];
    if (!text.empty()) plat::MsgBox(text);
}

QtMessageHandler previousHandler = nullptr;

void withoutNonNativeWarning(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtWarningMsg && text.startsWith(QLatin1String("QPageSetupDialog: Cannot be used on non-native printers")))
        return;
    if (previousHandler) previousHandler(type, context, text);
}

}  // namespace

QString saveFolder(const ExportHooks& hooks, QStandardPaths::StandardLocation usual)
{
    if (!hooks.lastSaveFolder.isEmpty() && QFileInfo(hooks.lastSaveFolder).isDir()) return hooks.lastSaveFolder;
    const QString folder = QStandardPaths::writableLocation(usual);
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) return folder;
    return QDir::homePath();
}

plat::Bytes mapSavedMessage(const QString& path, bool greek, plat::CodePage cp)
{
    return plat::encode((greek ? QStringLiteral("Ο χάρτης αποθηκεύτηκε ως %1.") : QStringLiteral("The map has been saved as %1."))
                            .arg(path),
                        cp);
}

plat::Bytes mapNotSavedMessage(const QString& path, const QString& why, bool greek, plat::CodePage cp)
{
    return plat::encode((greek ? QStringLiteral("Ο χάρτης δεν αποθηκεύτηκε στο %1 (%2). Κάθε προηγούμενο αρχείο με αυτό "
                                                "το όνομα έμεινε όπως ήταν.")
                               : QStringLiteral("The map could not be saved to %1 (%2). Any earlier file of that name "
                                                "is as it was."))
                            .arg(path, why),
                        cp);
}

std::unique_ptr<QPageSetupDialog> makePageSetupDialog(QPrinter& printer)
{
    previousHandler = qInstallMessageHandler(withoutNonNativeWarning);
    auto dialog = std::make_unique<QPageSetupDialog>(&printer);
    qInstallMessageHandler(previousHandler);
    previousHandler = nullptr;
    return dialog;
}

MapExport::MapExport(MapEngine& engine, ExportHooks& hooks)
    : a_(engine.atlas()), m_(engine.state()), engine_(engine), hooks_(hooks)
{
}

plat::Bytes exportCaption(const plat::Bytes& before, double date, bool greek)
{
    const plat::CodePage cp = greek ? plat::CodePage::Win1253 : plat::CodePage::Win1252;
    const QString when = QString::number(plat::Round(date * 10) / 10.0, 'f', 1);
    const QString atlas = greek ? QStringLiteral("Ιστορικός άτλας Quillmere") : QStringLiteral("Quillmere historical atlas");
    return before + plat::encode(when + QStringLiteral(" · ") + atlas, cp);
}

int exportFactor(int32_t resolution)
{
    if (resolution == 2) return 2;
    if (resolution == 3) return 4;
    return 1;
}

std::unique_ptr<plat::Picture> newExportPicture(int w, int h)
{
    auto pic = plat::NewPicture(w, h, 32, plat::Start::Unset);
    pic->graphics().SetUseOldRenderer(true);
    return pic;
}

double exportScale(double scale, int k, double scalestep)
{
    if (k <= 1) return scale;
    const double s = scale / std::pow(scalestep, k == 2 ? 3 : 6);
    return s > 1.0 ? 1.0 : s;
}

QSize printFit(int wid, int ht, int pageWidth, int pageHeight)
{
    if (wid <= 0 || ht <= 0) return {};
    // wid / ht < Pw / Ph, compared without dividing.
    const bool pageWider = static_cast<double>(wid) * pageHeight < static_cast<double>(pageWidth) * ht;
    const double f = pageWider ? static_cast<double>(pageHeight) / ht : static_cast<double>(pageWidth) / wid;
    return QSize(plat::Int(f * wid), plat::Int(f * ht));
}

void MapExport::SaveMap(int32_t mode, int32_t resolution, int cw, int ch)
{
    ExportHooks& hooks = hooks_;

    // The view is put back and the screen map rendered again on every way out;
    // the animation waits until then.
    struct Restore {
        MapEngine& engine;
        const ExportHooks& hooks;
        ~Restore()
        {
            engine.redraw();
            if (hooks.holdAnimation) hooks.holdAnimation(false);
        }
    };
    if (hooks.holdAnimation) hooks.holdAnimation(true);
    const Restore restore{engine_, hooks};

    const bool print = mode == 0;
    const int k = exportFactor(resolution);
    // "Europe in 1805": the name a saved map is offered under, before its extension.
    const QString mapName = plat::decode(a_.quilstring[46], a_.textCodePage()) +
                            QString::number(plat::Int(plat::Round(m_.maindate)));
    std::unique_ptr<QPrinter> printer;
    if (print) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setDocName(mapName);
        printer->setPageOrientation(cw > ch ? QPageLayout::Landscape : QPageLayout::Portrait);
        // Without a printer the dialog writes a PDF file: it offers the map's own name.
        if (QPrinterInfo::availablePrinterNames().isEmpty())
            printer->setOutputFileName(
                QDir(saveFolder(hooks, QStandardPaths::DocumentsLocation)).filePath(mapName + QStringLiteral(".pdf")));
        if (!(hooks.pageSetup ? hooks.pageSetup(*printer) : systemPageSetup(*printer))) return;
        if (!(hooks.printDialog ? hooks.printDialog(*printer) : systemPrintDialog(*printer))) return;
    }

    wid = k * cw;
    ht = k * ch;
    // The export is rendered into `render` and the canvas's part of it is cut
    // out at (cutX, cutY). As displayed, the render repeats the screen map
    // (p's size, the screen's view) so that the cut is what the canvas shows;
    // finer, it is the export picture itself, its middle at the canvas's middle.
    int renderW = wid, renderH = ht, cutX = 0, cutY = 0;
    if (k == 1) {
        renderW = std::max(m_.mapscreenwid, cw + 2 * kMargin);
        renderH = std::max(m_.mapscreenht, ch + 2 * kMargin);
        cutX = cutY = kMargin;
    }
    const int64_t pixels = static_cast<int64_t>(wid) * ht + (k == 1 ? static_cast<int64_t>(renderW) * renderH : 0);
    if (wid < 1 || ht < 1 || pixels > hooks.maxPixels) {
        plat::MsgBox(kExportTooLarge);
        return;
    }
    auto render = newExportPicture(renderW, renderH);
    if (render->image().isNull()) {
        plat::MsgBox(kExportTooLarge);
        return;
    }
    if (k == 1) {
        engine_.renderExport(*render, m_.scale, m_.xc, m_.yc);
    } else {
        const double midX = engine_.mapx(kMargin + cw / 2.0), midY = engine_.mapy(kMargin + ch / 2.0);
        const double scale = exportScale(m_.scale, k, kScaleStep);
        engine_.renderExport(*render, scale, wid / 2.0 - (midX - m_.x0) * scale, ht / 2.0 - (midY - m_.y0) * scale);
    }

    std::unique_ptr<plat::Picture> pic;
    if (k == 1) {
        pic = plat::NewPicture(wid, ht, 32, plat::Start::Unset);  // the cut covers it
        if (pic->image().isNull()) {
            plat::MsgBox(kExportTooLarge);
            return;
        }
        pic->graphics().DrawPicture(*render, -cutX, -cutY);
        render.reset();
    } else {
        pic = std::move(render);
    }

    // Frame, white band and caption.
    plat::Graphics& g = pic->graphics();
    g.SetUseOldRenderer(true);
    const int band = kCaptionBand * k;
    g.SetForeColor(plat::RGB(0, 0, 0));
    g.DrawRect(0, 0, wid, ht - band);
    g.SetForeColor(plat::RGB(255, 255, 255));
    g.FillRect(0, ht - band, wid, band);
    g.SetForeColor(plat::RGB(0, 0, 0));
    g.SetTextSize(kCaptionTextSize * k);
    g.SetCodePage(a_.textCodePage());
    g.DrawString(exportCaption(a_.quilstring[46], m_.maindate, a_.GreekText()), 4 * k, ht - kCaptionBaseline * k);

    // A file is made whole in memory and then written in one piece.
    const auto saveFile = [&](const QString& path, const QByteArray& bytes) {
        QString why;
        if (bytes.isEmpty()) why = QStringLiteral("the picture could not be encoded");
        else if (plat::saveFileWhole(path, bytes, &why)) {
            hooks.lastSaveFolder = QFileInfo(path).absolutePath();
            return true;
        }
        plat::MsgBox(mapNotSavedMessage(path, why, a_.GreekText(), a_.textCodePage()));
        return false;
    };
    if (print) {
        const QString pdfPath = printer->outputFormat() == QPrinter::PdfFormat ? printer->outputFileName() : QString();
        const bool toFile = !pdfPath.isEmpty();
        QByteArray pdf;
        QBuffer pdfBuffer(&pdf);
        std::unique_ptr<QPdfWriter> writer;
        QPaintDevice* device = printer.get();
        if (toFile) {
            pdfBuffer.open(QIODevice::WriteOnly);
            writer = std::make_unique<QPdfWriter>(&pdfBuffer);
            writer->setTitle(mapName);
            writer->setCreator(QStringLiteral("Quillmere"));
            writer->setResolution(printer->resolution());
            writer->setPageLayout(printer->pageLayout());
            device = writer.get();
        }
        QPainter page;
        if (!page.begin(device)) {
            plat::MsgBox(kPrintFailed);
            return;
        }
        page.setRenderHint(QPainter::LosslessImageRendering);
        const QSize size = printFit(wid, ht, device->width(), device->height());
        page.drawImage(QRect(QPoint(0, 0), size), pic->image(), QRect(0, 0, wid, ht));
        pic.reset();
        if (!page.end()) {
            plat::MsgBox(kPrintFailed);
            return;
        }
        if (!toFile) {
            tell(a_, 26);
        } else if (saveFile(pdfPath, pdf) && !a_.quilstring[26].empty()) {
            plat::MsgBox(mapSavedMessage(pdfPath, a_.GreekText(), a_.textCodePage()));
        }
    } else if (mode == 1) {
        QGuiApplication::clipboard()->setImage(pic->image());
        pic.reset();
        tell(a_, 27);
    } else {
        const QString offered =
            QDir(saveFolder(hooks, QStandardPaths::PicturesLocation)).filePath(mapName + QStringLiteral(".png"));
        const QString path = hooks.saveFileName ? hooks.saveFileName(offered) : systemSaveFileName(offered, a_.GreekText());
        if (path.isEmpty()) return;
        QByteArray png;
        QBuffer pngBuffer(&png);
        pngBuffer.open(QIODevice::WriteOnly);
        if (!pic->image().save(&pngBuffer, "PNG")) png.clear();
        pic.reset();
        if (saveFile(path, png)) tell(a_, 28);
    }
}

}  // namespace quil2a
