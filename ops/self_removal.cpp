// Which of the tool's own files go at a normal close, and the command line that takes them.
#include "ops/self_removal.h"

#include "base/decimal_text.h"

namespace taskwing {

namespace {

bool IsAsciiLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

wchar_t FoldAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool SameNameIgnoringCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

// % is expanded by the command interpreter even between quotes, and " would end the quoting.
// The rest cannot be in a file name; * ? < > would be taken as wildcards by del.
bool IsUnsafeCharacter(wchar_t c) {
    return c < 0x20 || c == 0x7F || c == L'%' || c == L'"' || c == L'*' || c == L'?' || c == L'<' || c == L'>' ||
           c == L'|';
}

// "X:\name\...\name": a drive letter, then names that are neither empty nor "." or "..", with no
// further ":" (a stream) and no "/". UNC paths are refused: a folder on a share is other people's
// too, and a share's root cannot be told from a folder by its text.
bool IsPlainDrivePath(std::wstring_view path) {
    if (path.size() < 4 || !IsAsciiLetter(path[0]) || path[1] != L':' || path[2] != L'\\') return false;
    size_t start = 3;
    for (;;) {
        const size_t end = path.find(L'\\', start);
        const std::wstring_view name = path.substr(start, end == std::wstring_view::npos ? end : end - start);
        if (name.empty() || name == L"." || name == L"..") return false;
        if (name.find_first_of(L":/") != std::wstring_view::npos) return false;
        if (end == std::wstring_view::npos) return true;
        start = end + 1;
    }
}

std::wstring Quoted(std::wstring_view path) {
    std::wstring text;
    text.reserve(path.size() + 2);
    text += L'"';
    text += path;
    text += L'"';
    return text;
}

// Deletes a plain file only: del given a folder's name empties that folder. "name\*" exists only
// for a folder (its "." entry), on Windows and Wine alike; "name\" alone is true for a file on Wine.
std::wstring DeleteIfFile(std::wstring_view path) {
    std::wstring asFolder = L"\"";
    asFolder += path;
    asFolder += L"\\*\"";
    return L"(if not exist " + asFolder + L" del /f /q /a " + Quoted(path) + L")";
}

// Standard input is a pipe whose writing end only the tool holds, so "set /p" returns exactly when
// the tool's process has ended. The executable goes first, retried a second apart (ping is the
// pause that both Windows and Wine have; Wine has no timeout.exe). Only once it is gone do the
// other files follow, so a tool that could not be removed stays whole; rmdir without /s leaves a
// folder that still holds anything. Each "if" stands alone in its brackets, as Wine's interpreter
// misreads an "if" with a bracketed block right after "do".
std::wstring ComposeParameters(const std::vector<std::wstring>& files, const std::wstring& folder) {
    const std::wstring exe = Quoted(files.front());
    std::wstring inner = L"set /p x= & (for /l %n in (1,1," + DecimalText(kExecutableDeleteTries) +
                         L") do (if exist " + exe + L" del /f /q /a " + exe + L" & if exist " + exe +
                         L" ping -n 2 127.0.0.1 >nul)) & if not exist " + exe + L" (";
    for (size_t i = 1; i < files.size(); ++i) {
        if (i > 1) inner += L" & ";
        inner += DeleteIfFile(files[i]);
    }
    if (!folder.empty()) inner += L" & rmdir " + Quoted(folder);
    inner += L")";
    // /D: no AutoRun commands; /E:ON /V:OFF: set /p and for /l work, "!" stays a plain character;
    // /S: only the outer pair of quotes is taken off.
    return L"/D /E:ON /V:OFF /S /C \"" + inner + L"\"";
}

}  // namespace

RemovalPlan PlanSelfRemoval(std::wstring_view exePath, bool pathCut, bool keepFolder) {
    RemovalPlan plan;
    if (pathCut) {
        plan.refusal = RemovalRefusal::PathCut;
        return plan;
    }
    if (exePath.size() > kMaxRemovalPathChars) {
        plan.refusal = RemovalRefusal::TooLong;
        return plan;
    }
    for (wchar_t c : exePath) {
        if (IsUnsafeCharacter(c)) {
            plan.refusal = RemovalRefusal::UnsafeCharacter;
            return plan;
        }
    }
    if (!IsPlainDrivePath(exePath)) {
        plan.refusal = RemovalRefusal::NotDrivePath;
        return plan;
    }

    const size_t slash = exePath.rfind(L'\\');
    const std::wstring_view exeName = exePath.substr(slash + 1);
    // "E:\" keeps its backslash: "E:" alone would mean that drive's current folder.
    const std::wstring_view folderWithSlash = exePath.substr(0, slash + 1);

    plan.files.emplace_back(exePath);
    for (std::wstring_view companion : {kFeedbackLibraryFile, kFeedbackSettingsFile}) {
        if (SameNameIgnoringCase(exeName, companion)) continue;
        std::wstring path(folderWithSlash);
        path += companion;
        plan.files.push_back(std::move(path));
    }
    for (const std::wstring& path : plan.files) {
        if (path.size() > kMaxRemovalPathChars) {
            return RemovalPlan{RemovalRefusal::TooLong, {}, {}, {}};
        }
    }
    const bool driveRoot = slash == 2;
    if (!driveRoot && !keepFolder) plan.folder.assign(exePath.substr(0, slash));
    plan.parameters = ComposeParameters(plan.files, plan.folder);
    return plan;
}

}  // namespace taskwing
