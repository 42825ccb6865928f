// The one conversion each way between narrow text in a named code page and UTF-16.
#include "base/code_page.h"

namespace taskwing {

std::wstring ToWide(std::string_view text, UINT codePage) {
    std::wstring wide;
    if (text.empty()) return wide;
    const int source = static_cast<int>(text.size());
    const int n = ::MultiByteToWideChar(codePage, 0, text.data(), source, nullptr, 0);
    if (n <= 0) return wide;
    wide.resize(static_cast<size_t>(n));
    const int done = ::MultiByteToWideChar(codePage, 0, text.data(), source, wide.data(), n);
    wide.resize(done > 0 ? static_cast<size_t>(done) : 0);
    return wide;
}

std::string FromWide(std::wstring_view text, UINT codePage, DWORD flags) {
    std::string narrow;
    if (text.empty()) return narrow;
    const int source = static_cast<int>(text.size());
    const int n = ::WideCharToMultiByte(codePage, flags, text.data(), source, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return narrow;
    narrow.resize(static_cast<size_t>(n));
    const int done =
        ::WideCharToMultiByte(codePage, flags, text.data(), source, narrow.data(), n, nullptr, nullptr);
    narrow.resize(done > 0 ? static_cast<size_t>(done) : 0);
    return narrow;
}

}  // namespace taskwing
