#pragma once
// Conversions at the log's narrow edges, always with a named code page.
#include <windows.h>

#include <string>

namespace taskwing {

std::wstring LogTextToWide(const std::string& text, UINT codePage);
// With WC_NO_BEST_FIT_CHARS, characters the code page lacks become its default replacement
// character instead of a look-alike (Þ would otherwise turn into T). Code page 65001 takes no flags.
std::string LogTextFromWide(const std::wstring& text, UINT codePage, DWORD flags = 0);

}  // namespace taskwing
