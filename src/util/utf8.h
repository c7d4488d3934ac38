#pragma once

#include <string>
#include <string_view>

namespace wrenhollow {

// The program's ANSI texts in UTF-8, through the system's code page.
std::string AnsiToUtf8(std::string_view text);
// UTF-8 back in the ANSI code page. A malformed sequence counts as U+FFFD, and whatever the code page lacks
// becomes "?", so the result never holds a stray byte.
std::string Utf8ToAnsi(std::string_view text);
// UTF-8 as UTF-16 for the system's wide functions; a malformed sequence counts as U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
// Appends the code point as UTF-8; one outside Unicode or a lone surrogate as U+FFFD.
void AppendUtf8(std::string& out, char32_t codePoint);

}  // namespace wrenhollow
