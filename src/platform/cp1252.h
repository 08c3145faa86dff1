#pragma once

#include <string>
#include <string_view>

namespace orv {

// Unicode code point of a Windows-1252 byte. The five bytes that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same number.
char32_t cp1252ToUnicode(unsigned char byte);
// The Windows-1252 byte of a code point, or -1 when the code page has none.
int unicodeToCp1252(char32_t codePoint);

std::string cp1252ToUtf8(std::string_view text);
// Characters that Windows-1252 cannot hold become `replacement`; malformed UTF-8 bytes too.
std::string utf8ToCp1252(std::string_view text, char replacement = '?');

}  // namespace orv
