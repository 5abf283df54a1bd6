// Draws the options dialog's four region thumbnails from the stored atlas with
// the map engine: the whole map, 200 x 200 pixels, a pixel for 205 map units
// with map point (0, 0) at pixel (11, 11), without labels, in the colour, grey,
// near-white and membership looks. Usage:
//   build/tools/quillmere-thumbnails OUTDIR [YEAR]
// writes OUTDIR/vureg1.png .. vureg4.png for the map at YEAR (2003.0 unless given).
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <string>


#include "atlasdata/atlas.h"
#include "atlasdata/content.h"
#include "atlasdata/loaders.h"
#include "data/stored_items.h"
#include "engine/thumbmap.h"
#include "engine/engine.h"
#include "engine/host.h"
#include "engine/mapstate.h"
#include "engine/view.h"
#include "tools/headless.h"

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s OUTDIR [YEAR]\n", argv[0]);
        return 2;
    }
    const std::string outdir = argv[1];
    double year = 2003.0;
    if (argc == 3) {
        char* end = nullptr;
        year = std::strtod(argv[2], &end);
        if (end == argv[2] || *end != '\0' || !(year >= 1000.0 && year <= 2003.0)) {
            std::fprintf(stderr, "%s: the year must lie within 1000 and 2003\n", argv[0]);
            return 2;
        }
    }

    startHeadless("quillmere-thumbnails");
    QGuiApplication app(argc, argv);

    // The atlas as the program loads it; a fixed seed keeps the greys the same from run to run.
    quillmere_data::installStoredItems();
    auto atlas = quil2a::loadServedAtlas(quil2a::Language::English, 1);
    quil2a::Atlas& a = *atlas;

    quil2a::MapState m;
    const int n = quil2a::kThumbSize;
    m.makePictures(n, n);
    m.x0 = m.y0 = 0;
    m.xc = m.yc = quil2a::kThumbOrigin;
    m.scale = 1.0 / quil2a::kThumbUnit;
    m.countrynameson = m.citieson = m.citynameson = false;
    quil2a::NullHost host(n, n);
    quil2a::MapEngine engine(a, m, host);
    engine.rebuildAt(year);

    // One thumbnail per row of the dialog's scheme popup: vureg1.png ...
    for (int row = 0; row < quil2a::kSchemeRowCount; ++row) {
        const quil2a::ColorScheme scheme = quil2a::kSchemeRows[row].scheme;
        const std::string file = "vureg" + std::to_string(row + 1) + ".png";
        engine.applyScheme(scheme);
        engine.redraw();
        const std::string path = outdir + "/" + file;
        if (!m.p->image().convertToFormat(QImage::Format_RGB32).save(QString::fromStdString(path), "PNG")) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], path.c_str());
            return 1;
        }
        std::printf("%s: scheme %d at %.1f\n", path.c_str(), static_cast<int>(scheme), m.maindate);
    }
    return 0;
}
