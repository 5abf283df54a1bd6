// The layers of ARCHITECTURE.md, checked over the sources: every include of a
// library's folder names only its own folder and those below it, the engine
// and the layers under it include no Widgets header, the headless tools
// include nothing that needs Widgets, and inside a folder no unit (a header
// with the sources of its name) reaches back to itself through others.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kRoot = QUILLMERE_SOURCE_DIR;

// Each library's folder and the folders it may include besides its own.
const std::map<std::string, std::set<std::string>> kMayInclude = {
    {"platform", {}},
    {"atlasdata", {"platform"}},
    {"engine", {"platform", "atlasdata"}},
    {"widgets", {"platform"}},
    {"hypertext", {"platform", "atlasdata", "engine"}},
    {"dialog", {"platform", "atlasdata", "engine", "widgets", "hypertext"}},
    {"app", {"platform", "atlasdata", "engine", "widgets", "hypertext", "dialog", "data"}},
    {"data", {"platform"}},
};
// The headless tools link the engine and the stored items only.
const std::map<std::string, std::set<std::string>> kHeadlessTools = {
    {"tools/render.cpp", {"platform", "atlasdata", "engine", "data", "tools"}},
    {"tools/make_thumbnails.cpp", {"platform", "atlasdata", "engine", "data", "tools"}},
    {"tools/headless.h", {"platform", "atlasdata", "engine", "data", "tools"}},
};
// Folders whose code runs without Widgets.
const std::set<std::string> kNoWidgets = {"platform", "atlasdata", "engine", "data"};

struct Include {
    std::string file;  // relative to the root
    int line;
    std::string target;  // as written between the quotes or brackets
    bool quoted;
};

std::vector<Include> includesOf(const fs::path& file)
{
    static const std::regex re(R"re(^\s*#\s*include\s*([<"])([^">]+)[">])re");
    std::vector<Include> out;
    std::ifstream in(file);
    std::string text;
    int n = 0;
    while (std::getline(in, text)) {
        ++n;
        std::smatch m;
        if (std::regex_search(text, m, re))
            out.push_back({fs::relative(file, kRoot).generic_string(), n, m[2].str(), m[1].str() == "\""});
    }
    return out;
}

std::vector<fs::path> sourcesIn(const std::string& folder)
{
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(kRoot / folder)) {
        const auto ext = e.path().extension();
        if (e.is_regular_file() && (ext == ".h" || ext == ".cpp")) files.push_back(e.path());
    }
    return files;
}

// The folder an include names; one without a folder is the including file's own.
std::string folderOf(const Include& inc)
{
    const std::string& t = inc.target;
    const size_t slash = t.find('/');
    return slash == std::string::npos ? folderOf(Include{inc.file, 0, inc.file, true}) : t.substr(0, slash);
}

bool widgetsHeader(const std::string& target)
{
    static const std::regex re(
        R"(^(QtWidgets/.*|QApplication|QWidget|QMainWindow|QDialog|QLabel|QPushButton|QCheckBox|QComboBox|)"
        R"(QListWidget|QScrollBar|QRadioButton|QFrame|QMenu|QMenuBar|QMessageBox|QFileDialog|QPrintDialog|)"
        R"(QPageSetupDialog|QLayout|QStyle)$)");
    return std::regex_match(target, re);
}

TEST(Layers, EveryIncludeGoesToItsOwnLayerOrOneBelow)
{
    std::vector<std::string> wrong;
    for (const auto& [folder, may] : kMayInclude)
        for (const fs::path& file : sourcesIn(folder))
            for (const Include& inc : includesOf(file)) {
                if (!inc.quoted) {
                    if (kNoWidgets.count(folder) && widgetsHeader(inc.target))
                        wrong.push_back(inc.file + ":" + std::to_string(inc.line) + " includes the Widgets header " + inc.target);
                    continue;
                }
                const std::string to = folderOf(inc);
                if (to == folder || may.count(to)) continue;
                wrong.push_back(inc.file + ":" + std::to_string(inc.line) + " (" + folder + ") includes " + inc.target);
            }
    for (const auto& [file, may] : kHeadlessTools)
        for (const Include& inc : includesOf(kRoot / file)) {
            if (inc.quoted ? may.count(folderOf(inc)) > 0 : !widgetsHeader(inc.target)) continue;
            wrong.push_back(inc.file + ":" + std::to_string(inc.line) + " (a headless tool) includes " + inc.target);
        }
    for (const std::string& w : wrong) ADD_FAILURE() << w;
}

TEST(Layers, NoUnitReachesBackToItselfInsideAFolder)
{
    for (const auto& [folder, may] : kMayInclude) {
        // Unit by file stem; an edge for each include of another unit of the folder.
        std::map<std::string, std::set<std::string>> uses;
        for (const fs::path& file : sourcesIn(folder)) {
            const std::string from = file.stem().string();
            uses[from];
            for (const Include& inc : includesOf(file)) {
                if (!inc.quoted || folderOf(inc) != folder) continue;
                const std::string to = fs::path(inc.target).stem().string();
                if (to != from) uses[from].insert(to);
            }
        }
        // Depth first; a unit met again while still on the path closes a loop.
        std::map<std::string, int> state;  // 0 new, 1 on the path, 2 done
        std::vector<std::string> path;
        std::function<void(const std::string&)> visit = [&](const std::string& u) {
            state[u] = 1;
            path.push_back(u);
            for (const std::string& v : uses[u]) {
                if (state[v] == 1) {
                    std::string loop;
                    for (auto it = std::find(path.begin(), path.end(), v); it != path.end(); ++it) loop += *it + " -> ";
                    ADD_FAILURE() << folder << "/ has a loop: " << loop << v;
                } else if (state[v] == 0) {
                    visit(v);
                }
            }
            path.pop_back();
            state[u] = 2;
        };
        for (const auto& [u, _] : uses)
            if (state[u] == 0) visit(u);
    }
}

}  // namespace
