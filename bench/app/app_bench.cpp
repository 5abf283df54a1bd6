// The program as used, on the stored atlas: each screen size runs in a
// process of its own, the real main window with its map canvas and the
// narrative window on Qt's offscreen platform with a screen of that size.
// Printed, one figure a line as "name: value unit":
//   floor copy WxH      one plain copy of a screen-sized picture, this run;
//   start to first painted map   from spawning the process to the map canvas
//                       painted on the window (1920x1080 only);
//   full render WxH     the screen map rendered for a new view (setView), median;
//   full render same view   the same for the view already drawn (a jump to
//                       a date), which starts from the kept geography layer;
//   full render and layer copy   the render and the copy of p into p1 that
//                       it leaves for idle time (or the next step), median;
//   export x4           a new picture 4 x the canvas and the map rendered into it at
//                       the export's scale, median (no PNG writing);
//   app step ...        the animation timer's own tick, one tenth per tick,
//                       with the windows' paint and flush that follow it,
//                       counted only for the ticks that redrew the map;
//   app idle work ...   what runs after each tick until the next (timers
//                       such as the next page read ahead), over all ticks;
//   app walk            every tenth from 1000.0 to 2003.0 that way;
//   app peak rss        the process's peak resident memory, read right after
//                       the walk, before the bench's own buffers.
// Without arguments it runs both screen sizes and prints their lines. For a
// look inside: QUILLMERE_BENCH_SLOW=ms lists the redrawing steps above ms
// with the tick's own time and then each window's paint and the timers,
// QUILLMERE_BENCH_MEMORY=1 prints memory by stage, QUILLMERE_BENCH_NONARR=1
// closes the narrative window for the walk (to tell its share).
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "app/application.h"
#include "widgets/canvas.h"
#include "app/mainwindow.h"
#include "data/stored_items.h"
#include "dialog/savemap.h"
#include "engine/engine.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
double msSince(Clock::time_point t0) { return std::chrono::duration<double, std::milli>(Clock::now() - t0).count(); }

double quantile(std::vector<double> v, double q)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t i = std::min(v.size() - 1, static_cast<size_t>(std::ceil(q * static_cast<double>(v.size())) - 1));
    return v[i];
}

// Resident and peak resident memory now, in MB, for the log of where it goes.
void memoryNote(const char* stage, int w, int h)
{
    if (!std::getenv("QUILLMERE_BENCH_MEMORY")) return;
    FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return;
    char line[256];
    long rss = 0, hwm = 0;
    while (std::fgets(line, sizeof line, f)) {
        std::sscanf(line, "VmRSS: %ld", &rss);
        std::sscanf(line, "VmHWM: %ld", &hwm);
    }
    std::fclose(f);
    std::printf("memory %dx%d %s: %.1f MB resident, %.1f MB peak\n", w, h, stage, rss / 1024.0, hwm / 1024.0);
}

// Waits for the windows to paint what is pending.
void paintPending()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// The floor: one plain copy of a screen-sized picture into another, of the
// same kind of memory as the map's pictures; the median of several.
double floorCopy(int w, int h)
{
    auto a = plat::NewPicture(w, h, 32), b = plat::NewPicture(w, h, 32);
    const QImage& from = std::as_const(*a).image();
    uint32_t* to = reinterpret_cast<uint32_t*>(b->image().bits());
    const size_t bytes = static_cast<size_t>(from.sizeInBytes());
    std::vector<double> ms;
    for (int i = 0; i < 41; ++i) {
        const auto t0 = Clock::now();
        std::memcpy(to, from.constBits(), bytes);
        ms.push_back(msSince(t0));
        to[i] ^= 1;
    }
    return quantile(ms, 0.5);
}

// Time spent in each kind of window's paint, for the slow-step listing.
struct PaintTimes {
    std::vector<std::pair<std::string, double>> ms;
    void add(const char* name, double t)
    {
        for (auto& [n, v] : ms)
            if (n == name) {
                v += t;
                return;
            }
        ms.emplace_back(name, t);
    }
    std::string take()
    {
        std::string out;
        char buf[96];
        for (auto& [n, v] : ms)
            if (v >= 0.05) {
                std::snprintf(buf, sizeof buf, " %s %.2f", n.c_str(), v);
                out += buf;
            }
        ms.clear();
        return out;
    }
};

class BenchApplication : public QApplication {
public:
    using QApplication::QApplication;
    PaintTimes paints;
    bool timing = std::getenv("QUILLMERE_BENCH_SLOW") != nullptr;
    bool notify(QObject* o, QEvent* ev) override
    {
        if (!timing || (ev->type() != QEvent::Paint && ev->type() != QEvent::Timer)) return QApplication::notify(o, ev);
        const auto t0 = Clock::now();
        const bool r = QApplication::notify(o, ev);
        paints.add(ev->type() == QEvent::Timer ? "timer" : o->metaObject()->className(), msSince(t0));
        return r;
    }
};

int child(int w, int h, bool full, double spawnedAtMs)
{
    // The offscreen platform's one screen, of this size.
    QTemporaryFile config(QDir::tempPath() + "/quillmere-screen-XXXXXX.json");
    config.setAutoRemove(true);
    if (!config.open()) return 2;
    config.write(QString("{\"screens\":[{\"name\":\"Bench\",\"x\":0,\"y\":0,\"width\":%1,\"height\":%2,"
                         "\"logicalDpi\":96,\"logicalBaseDpi\":96,\"dpr\":1}]}")
                     .arg(w)
                     .arg(h)
                     .toUtf8());
    config.flush();
    const std::string platform = "offscreen:configfile=" + config.fileName().toStdString();
    setenv("QT_QPA_PLATFORM", platform.c_str(), 1);

    int argc = 1;
    char arg0[] = "quillmere";
    char* argv[] = {arg0, nullptr};
    BenchApplication qapp(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    memoryNote("Qt started", w, h);
    quillmere_data::installStoredItems();
    quil2a::App app;
    app.start();
    // The windows come once the splash has gone: a click, not its five seconds.
    if (quil2a::Splash* splash = app.openSplash()) splash->Close();
    memoryNote("windows open", w, h);
    paintPending();
    memoryNote("windows painted", w, h);
    quil2a::MainWindow& win = app.mainWindow();
    win.MapCanvas->shownPicture();
    if (full) {
        // From the parent's clock at spawn time, which this process shares.
        const double now = std::chrono::duration<double, std::milli>(Clock::now().time_since_epoch()).count();
        std::printf("start to first painted map %dx%d: %.1f ms\n", w, h, now - spawnedAtMs);
    }
    quil2a::MapState& m = app.state();
    quil2a::MapEngine& e = app.engine();
    std::printf("map canvas %dx%d: %dx%d pixels\n", w, h, win.MapCanvas->width(), win.MapCanvas->height());
    std::printf("map pictures %dx%d: %dx%d pixels\n", w, h, m.p->Width(), m.p->Height());

    // The walk, one tenth a tick, through the timer's own action, with the
    // narrative window open as the program opens it.
    e.jumpTo(1000.0);
    paintPending();
    memoryNote("at 1000.0", w, h);
    if (std::getenv("QUILLMERE_BENCH_NONARR")) m.NarrWinOpen = false;  // to tell the window's share
    quil2a::ShellState& s = app.shell();
    s.targetdate = 2003.0;
    e.setSpeed(6);  // one step a tick
    s.timesteps = 1;
    // The timer runs but its own period never comes: each tick is called here
    // and timed alone.
    win.EvoTimer.setPeriod(1 << 30);
    win.EvoTimer.setMode(2);
    // A step is the tick and the repaints it posts. What waits for idle time
    // (the next page read ahead, the other timer) runs between ticks, as in
    // the 15 ms between two ticks at this speed, and is timed on its own.
    std::vector<double> redraw, idle;
    int ticks = 0;
    const char* slow = std::getenv("QUILLMERE_BENCH_SLOW");
    const auto w0 = Clock::now();
    while (win.EvoTimer.Mode() != 0) {
        const auto t0 = Clock::now();
        win.EvoTimer_Action();
        const bool drew = m.localrefchanges;
        const double actionMs = msSince(t0);
        qapp.paints.take();
        QCoreApplication::sendPostedEvents();
        const double ms = msSince(t0);
        const std::string paints = qapp.paints.take();
        const auto i0 = Clock::now();
        QCoreApplication::processEvents();
        idle.push_back(msSince(i0));
        ++ticks;
        if (drew) redraw.push_back(ms);
        if (drew && slow && ms > std::atof(slow))
            std::printf("slow step to %.1f: %.2f ms (tick %.2f, then%s; idle after it%s)\n", m.maindate, ms, actionMs,
                        paints.c_str(), qapp.paints.take().c_str());
    }
    const double walkS = msSince(w0) / 1000.0;
    memoryNote("after the walk", w, h);
    // The program's own peak, read before the bench allocates anything more.
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    const double peakMB = ru.ru_maxrss / 1024.0;

    double renderMs = -1, sameViewMs = -1, renderCopyMs = -1, exportMs = -1;
    int exportW = 0, exportH = 0;
    if (full) {
        // A new view each time (the view moved by a map unit and back), as a
        // pan or zoom renders; then the same view again, as a jump to a date does.
        std::vector<double> ms, same, withCopy;
        const double x0 = m.x0;
        for (int i = 0; i < 16; ++i) {
            const auto t0 = Clock::now();
            e.setView(x0 + (i % 2), m.y0, m.scale);
            ms.push_back(msSince(t0));
            e.completeLayers();
            withCopy.push_back(msSince(t0));
        }
        e.setView(x0, m.y0, m.scale);
        for (int i = 0; i < 15; ++i) {
            const auto t0 = Clock::now();
            e.redraw();
            same.push_back(msSince(t0));
        }
        renderMs = quantile(ms, 0.5);
        renderCopyMs = quantile(withCopy, 0.5);
        sameViewMs = quantile(same, 0.5);

        // The finest export: 4 x the canvas at the export's scale, as the dialog renders it.
        const int k = 4, cw = win.MapCanvas->width(), ch = win.MapCanvas->height();
        exportW = k * cw;
        exportH = k * ch;
        std::vector<double> ex;
        for (int i = 0; i < 5; ++i) {
            const auto t0 = Clock::now();
            auto pic = quil2a::newExportPicture(exportW, exportH);
            e.renderExport(*pic, quil2a::exportScale(m.scale, k, 0.8), exportW / 2.0, exportH / 2.0);
            ex.push_back(msSince(t0));
        }
        e.redraw();
        exportMs = quantile(ex, 0.5);
    }
    const double floorMs = floorCopy(w, h);

    const double p50 = quantile(redraw, 0.5), p95 = quantile(redraw, 0.95), mx = quantile(redraw, 1.0);
    std::printf("floor copy %dx%d: %.3f ms\n", w, h, floorMs);
    if (full) {
        std::printf("full render %dx%d: %.2f ms\n", w, h, renderMs);
        std::printf("full render %dx%d / floor: %.1f x\n", w, h, renderMs / floorMs);
        std::printf("full render same view %dx%d: %.2f ms\n", w, h, sameViewMs);
        std::printf("full render and layer copy %dx%d: %.2f ms\n", w, h, renderCopyMs);
        std::printf("export x4: %.1f ms\n", exportMs);
        std::printf("export x4 picture: %dx%d pixels\n", exportW, exportH);
    }
    std::printf("app ticks %dx%d: %d ticks of one step, 1000.0 to %.1f\n", w, h, ticks, m.maindate);
    std::printf("app redrawing steps %dx%d: %zu steps\n", w, h, redraw.size());
    std::printf("app step p50 %dx%d: %.3f ms\n", w, h, p50);
    std::printf("app step p95 %dx%d: %.3f ms\n", w, h, p95);
    std::printf("app step max %dx%d: %.3f ms\n", w, h, mx);
    std::printf("app step p95 %dx%d / floor: %.2f x\n", w, h, p95 / floorMs);
    std::printf("app step max %dx%d / floor: %.2f x\n", w, h, mx / floorMs);
    std::printf("app idle work p95 %dx%d: %.3f ms\n", w, h, quantile(idle, 0.95));
    std::printf("app idle work max %dx%d: %.3f ms\n", w, h, quantile(idle, 1.0));
    std::printf("app walk %dx%d: %.2f s\n", w, h, walkS);
    std::printf("app peak rss %dx%d: %.1f MB\n", w, h, peakMB);
    std::fflush(stdout);
    return 0;
}

int runChild(const char* self, int w, int h, bool full)
{
    const std::string size = std::to_string(w) + "x" + std::to_string(h);
    const double now = std::chrono::duration<double, std::milli>(Clock::now().time_since_epoch()).count();
    const std::string at = std::to_string(now);
    char* argv[] = {const_cast<char*>(self), const_cast<char*>(size.c_str()), const_cast<char*>(full ? "full" : "steps"),
                    const_cast<char*>(at.c_str()), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, self, nullptr, nullptr, argv, environ) != 0) return 1;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 4) {
        int w = 0, h = 0;
        if (std::sscanf(argv[1], "%dx%d", &w, &h) != 2) return 2;
        return child(w, h, std::strcmp(argv[2], "full") == 0, argc > 3 ? std::atof(argv[3]) : 0);
    }
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return 1;
    self[n] = 0;
    int rc = runChild(self, 1920, 1080, true);
    rc |= runChild(self, 3840, 2160, false);
    return rc;
}
