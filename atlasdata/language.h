// The language sets, one row each: the code, the folder of its stored items,
// the code page of its texts, the marks in the executable's name that choose
// it, its splash picture and the options dialog's smaller text. Adding a
// language is a row here, its items under data/, its build and its tests.
#pragma once

#include <array>
#include <string_view>

#include "platform/text.h"

namespace quil2a {

enum class Language { English, Greek };

struct LanguageInfo {
    Language language;
    const char* code;      // as the tools take it
    const char* folder;    // folder of its language items
    plat::CodePage codePage;
    std::array<const char*, 2> exeMarks;  // upper-cased name marks; none for the default set
    int splash;            // stored splash picture
    int dialogTextLess;    // the options dialog's text this much smaller again
};

inline constexpr LanguageInfo kLanguages[] = {
    {Language::English, "en", "en", plat::CodePage::Win1252, {nullptr, nullptr}, 177, 0},
    {Language::Greek, "el", "el", plat::CodePage::Win1253, {"-EL", "_EL"}, 178, 1},
};

constexpr const LanguageInfo& languageInfo(Language l) { return kLanguages[static_cast<int>(l)]; }

// The set whose mark the executable's name holds, in any case; English without one.
Language languageOfExe(std::string_view exeName);
// The set of a code ("en", "el"); false for none.
bool languageOfCode(std::string_view code, Language& out);

}  // namespace quil2a
