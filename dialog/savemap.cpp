// Saving, printing and copying the map: the map is rendered afresh into its
// own picture at one, two or four times the canvas, framed, given a caption
// strip, handed to the printer, the clipboard or a PNG file, and the screen
// map is rendered again whatever happened.
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <algorithm>
#include <cmath>
#include <memory>

#include "engine/engine.h"
#include "dialog/savemap.h"
#include "platform/codepage.h"
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

QString systemSaveFileName(const QString& defaultPath)
{
    QFileDialog dialog(nullptr);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("PNG (*.png)"));
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

QString saveFolder(const ExportHooks& hooks)
{
    if (!hooks.lastSaveFolder.isEmpty() && QFileInfo(hooks.lastSaveFolder).isDir()) return hooks.lastSaveFolder;
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty() && QFileInfo(pictures).isDir()) return pictures;
    return QDir::homePath();
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
    std::unique_ptr<QPrinter> printer;
    QPainter page;
    if (print) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (!(hooks.pageSetup ? hooks.pageSetup(*printer) : systemPageSetup(*printer))) return;
        if (!(hooks.printDialog ? hooks.printDialog(*printer) : systemPrintDialog(*printer))) return;
        if (!page.begin(printer.get())) {
            plat::MsgBox(kPrintFailed);
            return;
        }
        page.setRenderHint(QPainter::LosslessImageRendering);
    }

    const int k = exportFactor(resolution);
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
    const int band = 13 * k;
    g.SetForeColor(plat::RGB(0, 0, 0));
    g.DrawRect(0, 0, wid, ht - band);
    g.SetForeColor(plat::RGB(255, 255, 255));
    g.FillRect(0, ht - band, wid, band);
    g.SetForeColor(plat::RGB(0, 0, 0));
    g.SetTextSize(8 * k);
    g.SetCodePage(a_.textCodePage());
    g.DrawString(exportCaption(a_.quilstring[46], m_.maindate, a_.GreekText()), 4 * k, ht - 4 * k);

    if (print) {
        const QSize size = printFit(wid, ht, printer->width(), printer->height());
        page.drawImage(QRect(QPoint(0, 0), size), pic->image(), QRect(0, 0, wid, ht));
        pic.reset();
        if (!page.end()) {
            plat::MsgBox(kPrintFailed);
            return;
        }
        tell(a_, 26);
    } else if (mode == 1) {
        QGuiApplication::clipboard()->setImage(pic->image());
        pic.reset();
        tell(a_, 27);
    } else {
        const QString name = plat::decode(a_.quilstring[46], a_.textCodePage()) +
                             QString::number(plat::Int(plat::Round(m_.maindate))) + QStringLiteral(".png");
        const QString offered = QDir(saveFolder(hooks)).filePath(name);
        const QString path = hooks.saveFileName ? hooks.saveFileName(offered) : systemSaveFileName(offered);
        if (path.isEmpty()) return;
        hooks.lastSaveFolder = QFileInfo(path).absolutePath();
        const bool written = pic->image().save(path, "PNG");
        pic.reset();
        if (!written) {
            plat::MsgBox(kPngWriteFailed);
            return;
        }
        tell(a_, 28);
    }
}

}  // namespace quil2a
