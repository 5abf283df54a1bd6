#include "atlasdata/language.h"

namespace quil2a {

Language languageOfExe(std::string_view exeName)
{
    const plat::Bytes up = plat::Uppercase(exeName);
    for (const LanguageInfo& l : kLanguages)
        for (const char* mark : l.exeMarks)
            if (mark && plat::InStrB(up, mark) > 0) return l.language;
    return Language::English;
}

bool languageOfCode(std::string_view code, Language& out)
{
    for (const LanguageInfo& l : kLanguages)
        if (code == l.code) {
            out = l.language;
            return true;
        }
    return false;
}

}  // namespace quil2a
