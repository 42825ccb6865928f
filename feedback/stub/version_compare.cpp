// Dotted version numbers compared part by part as numbers.
#include "feedback/stub/version_compare.h"

#include <algorithm>

namespace taskwing::feedback {

std::vector<std::uint64_t> ParseVersion(std::wstring_view text) {
    std::vector<std::uint64_t> parts;
    size_t start = 0;
    for (;;) {
        const size_t dot = std::min(text.find(L'.', start), text.size());
        const std::wstring_view part = text.substr(start, dot - start);
        if (part.empty() || part.size() > 18) return {};
        std::uint64_t value = 0;
        for (wchar_t c : part) {
            if (c < L'0' || c > L'9') return {};
            value = value * 10 + static_cast<std::uint64_t>(c - L'0');
        }
        parts.push_back(value);
        if (dot == text.size()) return parts;
        start = dot + 1;
    }
}

bool IsOlderVersion(std::wstring_view version, std::wstring_view newest) {
    const std::vector<std::uint64_t> a = ParseVersion(version);
    const std::vector<std::uint64_t> b = ParseVersion(newest);
    if (a.empty() || b.empty()) return false;
    const size_t n = std::max(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const std::uint64_t x = i < a.size() ? a[i] : 0;
        const std::uint64_t y = i < b.size() ? b[i] : 0;
        if (x != y) return x < y;
    }
    return false;
}

}  // namespace taskwing::feedback
