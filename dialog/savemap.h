// Saving, printing and copying the map: the dialogs the export asks (which a
// caller may replace) and the sizes it works with.
#pragma once

#include <QSize>
#include <QString>
#include <cstdint>
#include <functional>

class QPrinter;

namespace quil2a {

// The largest export picture made, in pixels (512 MB at 32 bits): a larger
// one is refused with a message before anything is allocated.
inline constexpr int64_t kMaxExportPixels = int64_t(1) << 27;

// Unset entries take the system's own dialogs.
struct ExportHooks {
    // The page-setup and printer dialogs on the printer; false when cancelled.
    std::function<bool(QPrinter&)> pageSetup;
    std::function<bool(QPrinter&)> printDialog;
    // The save dialog offering the default name: the chosen path, empty when cancelled.
    std::function<QString(const QString& defaultName)> saveFileName;
    // Called with true when an export begins and false when it ends: the
    // animation waits meanwhile, so no date step draws with the export's view.
    std::function<void(bool held)> holdAnimation;
    int64_t maxPixels = kMaxExportPixels;
};

// Messages of the failures that have no interface string.
inline constexpr const char* kExportTooLarge = "Error: the map picture is too large to be made.";
inline constexpr const char* kPngWriteFailed = "Error: the map could not be written to the PNG file.";
inline constexpr const char* kPrintFailed = "Error: the map could not be printed.";

// The product's line in the caption strip (Windows-1252 and -1253 alike).
inline constexpr const char* kExportCaption = "\xA9 Quillmere historical atlas";

// 2 for Finer, 4 for Finest, 1 for As Displayed and anything else.
int exportFactor(int32_t resolution);
// The scale of an export at factor k: three or six zoom steps finer, at most 1.
double exportScale(double scale, int k, double scalestep);
// The printed size of a wid x ht picture on a page: it fills the page's
// height when the page is wider in proportion, else its width.
QSize printFit(int wid, int ht, int pageWidth, int pageHeight);

}  // namespace quil2a
