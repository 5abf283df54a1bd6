// Renders the stored atlas for a date and view into a PNG file, loading the
// stored items as the program does. For the authors of the atlas content.
//
//   quillmere-render --date YEAR [--from YEAR] [--view X0,Y0] [--zoom N]
//                    [--size WxH] [--scheme N] [--lang en|el] [--layer p|p1|p2]
//                    --out FILE.png
//
// With --from the map is rebuilt for that date first and then brought to
// --date by steps of a tenth of a year, as the animation does.
#include <QGuiApplication>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>


#include "atlasdata/atlas.h"
#include "atlasdata/content.h"
#include "atlasdata/loaders.h"
#include "data/stored_items.h"
#include "engine/engine.h"
#include "engine/host.h"
#include "engine/mapstate.h"
#include "engine/view.h"
#include "tools/headless.h"

namespace {

struct Options {
    double date = 0;
    bool hasDate = false;
    double from = 0;
    bool hasFrom = false;
    double x0 = 10500, y0 = 12000;
    int zoom = 13;
    int width = 1920, height = 1080;
    int scheme = 0;
    quil2a::Language language = quil2a::Language::English;
    std::string layer = "p";
    std::string out;
};

int usage(const char* prog, const char* why)
{
    std::fprintf(stderr, "%s: %s\n", prog, why);
    std::fprintf(stderr,
                 "usage: %s --date YEAR [--from YEAR] [--view X0,Y0] [--zoom N] [--size WxH]\n"
                 "       [--scheme 0..5] [--lang en|el] [--layer p|p1|p2] --out FILE.png\n",
                 prog);
    return 2;
}

bool number(const char* s, double& v)
{
    char* end = nullptr;
    v = std::strtod(s, &end);
    return end != s && *end == '\0' && std::isfinite(v);
}

bool integer(const char* s, int& v)
{
    double d;
    if (!number(s, d) || d != std::floor(d) || std::fabs(d) > 1e6) return false;
    v = static_cast<int>(d);
    return true;
}

// Two numbers joined by sep ("10500,12000", "1920x1080").
bool pair(const char* s, char sep, double& a, double& b)
{
    const char* at = std::strchr(s, sep);
    if (!at) return false;
    const std::string first(s, at);
    return number(first.c_str(), a) && number(at + 1, b);
}

}  // namespace

int main(int argc, char** argv)
{
    const char* prog = argv[0];
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string opt = argv[i];
        if (i + 1 >= argc) return usage(prog, ("missing value of " + opt).c_str());
        const char* v = argv[++i];
        bool ok = true;
        if (opt == "--date") ok = o.hasDate = number(v, o.date);
        else if (opt == "--from") ok = o.hasFrom = number(v, o.from);
        else if (opt == "--view") ok = pair(v, ',', o.x0, o.y0);
        else if (opt == "--zoom") ok = integer(v, o.zoom) && o.zoom >= 0 && o.zoom <= 60;
        else if (opt == "--size") {
            double w = 0, h = 0;
            ok = pair(v, 'x', w, h) && w >= 1 && h >= 1 && w <= 16384 && h <= 16384 && w == std::floor(w) &&
                 h == std::floor(h);
            o.width = static_cast<int>(w);
            o.height = static_cast<int>(h);
        } else if (opt == "--scheme") ok = integer(v, o.scheme) && quil2a::schemeInfo(static_cast<quil2a::ColorScheme>(o.scheme));
        else if (opt == "--lang") {
            ok = quil2a::languageOfCode(v, o.language);
        } else if (opt == "--layer") {
            o.layer = v;
            ok = o.layer == "p" || o.layer == "p1" || o.layer == "p2";
        } else if (opt == "--out") o.out = v;
        else return usage(prog, ("unknown option " + opt).c_str());
        if (!ok) return usage(prog, ("bad value of " + opt + ": " + v).c_str());
    }
    if (!o.hasDate) return usage(prog, "--date is required");
    if (o.out.empty()) return usage(prog, "--out is required");

    startHeadless("quillmere-render");
    QGuiApplication app(argc, argv);

    // Loading, as the program's open event does it.
    quillmere_data::installStoredItems();
    auto atlas = quil2a::loadServedAtlas(o.language);
    quil2a::Atlas& a = *atlas;

    quil2a::MapState m;
    m.makePictures(o.width, o.height);
    m.x0 = o.x0;
    m.y0 = o.y0;
    m.xc = o.width / 2.0;
    m.yc = o.height / 2.0;
    m.scale = std::pow(0.8, o.zoom);
    quil2a::NullHost host(o.width, o.height);
    quil2a::MapEngine engine(a, m, host);
    engine.applyScheme(static_cast<quil2a::ColorScheme>(o.scheme));

    engine.rebuildAt(o.hasFrom ? o.from : o.date);
    engine.redraw();

    int steps = 0;
    if (o.hasFrom) {
        const double target = plat::Round(o.date * 10) / 10;
        const double end = std::min(std::max(target, m.mindate), m.maxdate);
        // One call per tenth, as the animation timer makes them.
        while (m.maindate != end && steps < 20000 && engine.step(end > m.maindate ? 1 : -1)) ++steps;
    }

    const plat::Picture& pic = o.layer == "p1" ? *m.p1 : o.layer == "p2" ? *m.p2 : *m.p;
    if (!pic.image().save(QString::fromStdString(o.out), "PNG")) {
        std::fprintf(stderr, "%s: cannot write %s\n", prog, o.out.c_str());
        return 1;
    }
    std::printf("%s: %s at %.1f", o.out.c_str(), o.layer.c_str(), m.maindate);
    if (o.hasFrom) std::printf(" after %d steps from %.1f", steps, o.from);
    std::printf("\n");
    return 0;
}
