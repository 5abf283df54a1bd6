// Windows-1252 and Windows-1253: one byte is one character.
#pragma once

#include <QString>
#include <string_view>

#include "text.h"

namespace plat {

// Unicode code point of a byte; 0xFFFD for the bytes a code page leaves undefined.
char16_t codePoint(unsigned char byte, CodePage cp);
QString decode(std::string_view bytes, CodePage cp);
// Characters the code page lacks become '?'.
Bytes encode(const QString& text, CodePage cp);
// Whether every character of text exists in the code page.
bool encodable(const QString& text, CodePage cp);

}  // namespace plat
