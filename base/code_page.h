#pragma once
// The one conversion between narrow text in a named code page and UTF-16.
#include <windows.h>

#include <string>
#include <string_view>

namespace taskwing {

// Empty for empty text and for text the code page cannot convert at all; a failed allocation throws.
std::wstring ToWide(std::string_view text, UINT codePage);
// With WC_NO_BEST_FIT_CHARS, characters the code page lacks become its default replacement
// character instead of a look-alike (Þ would otherwise turn into T). Code page 65001 takes no flags.
std::string FromWide(std::wstring_view text, UINT codePage, DWORD flags = 0);

}  // namespace taskwing
