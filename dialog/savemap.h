// Saving, printing and copying the map: the dialogs the export asks (which a
// caller may replace) and the sizes it works with.
#pragma once

#include <QSize>
#include <QStandardPaths>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/codepage.h"
#include "platform/picture.h"
#include "platform/text.h"

class QPageSetupDialog;
class QPrinter;

namespace quil2a {

struct Atlas;
class MapEngine;
struct MapState;

// The largest export picture made, in pixels (512 MB at 32 bits): a larger
// one is refused with a message before anything is allocated.
inline constexpr int64_t kMaxExportPixels = int64_t(1) << 27;

// Unset entries take the system's own dialogs.
struct ExportHooks {
    // The page-setup and printer dialogs on the printer; false when cancelled.
    std::function<bool(QPrinter&)> pageSetup;
    std::function<bool(QPrinter&)> printDialog;
    // The save dialog offering the default file (its folder and name): the
    // chosen path, empty when cancelled.
    std::function<QString(const QString& defaultPath)> saveFileName;
    // The folder of the last map saved in this run; empty before the first.
    QString lastSaveFolder;
    // Called with true when an export begins and false when it ends: the
    // animation waits meanwhile, so no date step draws with the export's view.
    std::function<void(bool held)> holdAnimation;
    int64_t maxPixels = kMaxExportPixels;
};

// One export of the map: rendered afresh for the resolution, framed and
// captioned, then printed (mode 0), copied to the clipboard (1) or written to
// a PNG file (any other); the screen map is rendered again whatever happened.
// The canvas is cw x ch.
class MapExport {
public:
    MapExport(MapEngine& engine, ExportHooks& hooks);
    void SaveMap(int32_t mode, int32_t resolution, int cw, int ch);
    // The export picture's size, set once it is known.
    int32_t wid = 0, ht = 0;

private:
    const Atlas& a_;
    const MapState& m_;
    MapEngine& engine_;
    ExportHooks& hooks_;
};

// Messages of the failures that have no interface string.
inline constexpr const char* kExportTooLarge = "Error: the map picture is too large to be made.";
inline constexpr const char* kPrintFailed = "Error: the map could not be printed.";

// The map's file written (or not) in the language of the set: the path and,
// for a failure, the reason.
plat::Bytes mapSavedMessage(const QString& path, bool greek, plat::CodePage cp);
plat::Bytes mapNotSavedMessage(const QString& path, const QString& why, bool greek, plat::CodePage cp);

// The caption strip at factor k: its height, its text size and the height of
// its baseline above the picture's bottom, each times k. The digits stand at
// least 11 pixels tall As Displayed.
inline constexpr int kCaptionBand = 24, kCaptionTextSize = 18, kCaptionBaseline = 6;

// The caption strip's text: the interface string before the year (46), the
// map's date to a tenth and the atlas, in the code page of the language set
// ("Europe in 1805.3 Â· Quillmere historical atlas").
plat::Bytes exportCaption(const plat::Bytes& before, double date, bool greek);

// Where a map file is offered: the last folder saved to while it exists, else
// the user's `usual` folder (pictures for a PNG, documents for a PDF), else
// the home folder.
QString saveFolder(const ExportHooks& hooks, QStandardPaths::StandardLocation usual);
// The system's page-setup dialog for the printer. Qt warns that a PDF printer
// (all there is without an installed printer) is not native, yet its own
// page-setup dialog serves one fully: the warning is left out.
std::unique_ptr<QPageSetupDialog> makePageSetupDialog(QPrinter& printer);

// 2 for Finer, 4 for Finest, 1 for As Displayed and anything else.
int exportFactor(int32_t resolution);
// The scale of an export at factor k: three or six zoom steps finer, at most 1.
double exportScale(double scale, int k, double scalestep);
// The picture an export renders into: its pixels are left unset, as the map
// render draws every one of them first.
std::unique_ptr<plat::Picture> newExportPicture(int w, int h);
// The printed size of a wid x ht picture on a page: it fills the page's
// height when the page is wider in proportion, else its width.
QSize printFit(int wid, int ht, int pageWidth, int pageHeight);

}  // namespace quil2a
