// The program opened on the test atlas with the export's dialogs replaced:
// the save dialog answers `path` (empty: cancelled), the print dialogs
// answer their flags and send the page to a PDF file.
#pragma once

#include <QImage>
#include <QPrinter>
#include <QTemporaryDir>
#include <array>
#include <functional>

#include "app/app_harness.h"
#include "dialog/maindlg.h"

namespace exporttest {

inline plat::Color px(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFFu; }

struct Exporter : apptest::Harness {
    QTemporaryDir dir;
    QString path = dir.filePath("map.png"), pdf = dir.filePath("map.pdf"), offered, offeredPdf;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    int asked = 0;
    bool pageSetupOk = true, printOk = true;
    std::function<void()> duringDialog;

    Exporter()
    {
        quil2a::ExportHooks& hooks = app->exportHooks;
        hooks.saveFileName = [this](const QString& name) {
            ++asked;
            offered = name;
            if (duringDialog) duringDialog();
            return path;
        };
        hooks.pageSetup = [this](QPrinter&) { return pageSetupOk; };
        hooks.printDialog = [this](QPrinter& p) {
            offeredPdf = p.outputFileName();
            orientation = p.pageLayout().orientation();
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(pdf);
            return printOk;
        };
        open();
        view0 = view();
    }
    quil2a::MainDlg& dlg() { return *app->Dlg(); }
    QSize canvas() { return win().MapCanvas->size(); }
    std::array<double, 5> view() { return {m().scale, m().xc, m().yc, m().x0, m().y0}; }
    std::array<double, 5> view0;
    // Marks the screen map; after an export it must be rendered afresh and the view as before.
    void mark() { m().p->surface().SetPixel(30, 30, 0x123456); }
    bool restored() { return m().p->surface().Pixel(30, 30) != 0x123456 && view() == view0 && !app->modalRunning(); }
};

}  // namespace exporttest
