#pragma once
// Dotted version numbers ("1.1.22.1017") for the stand-in library's update check. Portable.
#include <cstdint>
#include <string_view>
#include <vector>

namespace taskwing::feedback {

// The numbers of a version: decimal parts separated by single dots. Empty when the text is not
// such a version (empty, an empty part, another character, a part of more than 18 digits).
std::vector<std::uint64_t> ParseVersion(std::wstring_view text);

// Whether version is older than newest, part by part as numbers, missing parts counting as 0.
// False when either text is not a version: nothing is announced on doubtful input.
bool IsOlderVersion(std::wstring_view version, std::wstring_view newest);

}  // namespace taskwing::feedback
