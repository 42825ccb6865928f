#pragma once
// Run-time binding to the feedback library "VeskorFeedbackInformation.dll" beside the executable:
// every export is resolved once by Load, and each call goes through a member that does nothing
// (returns 0) while the library is not loaded.
#include <windows.h>

#include <array>
#include <string>

#include "app/tool_identity.h"
#include "base/handles.h"
#include "feedback/feedback_exports.h"

namespace taskwing::feedback {

using FeedbackTexts = std::array<std::wstring, kTextCount>;

inline constexpr const wchar_t* kLibraryName = kFeedbackLibraryFile;

// The library's path beside the module whose full path is given: the folder up to its last "\",
// plus "\VeskorFeedbackInformation.dll". Empty when the path has no folder.
std::wstring LibraryPathBeside(const std::wstring& modulePath);

}  // namespace taskwing::feedback

class CFeedbackDll {
public:
    CFeedbackDll() = default;
    CFeedbackDll(const CFeedbackDll&) = delete;
    CFeedbackDll& operator=(const CFeedbackDll&) = delete;

    // Loads the library from the executable's folder and resolves all eleven exports. On false
    // nothing stays loaded and every pointer is null. A second Load while loaded changes nothing.
    bool Load();
    // Frees the library if it is loaded; all pointers become null.
    void Unload();
    bool IsLoaded() const { return static_cast<bool>(m_hModule); }

    // Fills texts (cleared first) with the library's six strings; non-zero on success.
    int InitFreedbackDll(taskwing::feedback::FeedbackTexts& texts);
    int FeedbackQuestion(const wchar_t* toolId, const wchar_t* version);
    // Hands the library a new BSTR copy of url, which the library frees.
    int OpenUrl(const std::wstring& url);
    int GetInterNetState();
    int CustomerFeedback(const wchar_t* toolId, const wchar_t* version, int answer);
    int WriteCustomerFeedbackInfoFile(const wchar_t* toolId, const wchar_t* version);
    int GetToolIsNewVersionDown(const wchar_t* toolId, const wchar_t* version);
    int CustomerFeedbackEx(const wchar_t* toolId, const wchar_t* version, int answer, const wchar_t* timeText,
                           const wchar_t* deviceText);
    // taskwing::feedback::kNewerVersion (3) when a newer version exists.
    int GetToolIsNewVersion(const wchar_t* toolId, const wchar_t* version);
    int OpenToolDownUrl();
    int OpenUseAgreementUrl();

private:
    bool ResolveAll();
    void ClearPointers();

    taskwing::unique_hmodule m_hModule;
    taskwing::feedback::InitFreedbackDllFn* m_pInitFreedbackDll = nullptr;
    taskwing::feedback::FeedbackQuestionFn* m_pFeedbackQuestion = nullptr;
    taskwing::feedback::OpenUrlFn* m_pOpenUrl = nullptr;
    taskwing::feedback::GetInterNetStateFn* m_pGetInterNetState = nullptr;
    taskwing::feedback::CustomerFeedbackFn* m_pCustomerFeedback = nullptr;
    taskwing::feedback::WriteCustomerFeedbackInfoFileFn* m_pWriteCustomerFeedbackInfoFile = nullptr;
    taskwing::feedback::GetToolIsNewVersionDownFn* m_pGetToolIsNewVersionDown = nullptr;
    taskwing::feedback::CustomerFeedbackExFn* m_pCustomerFeedbackEx = nullptr;
    taskwing::feedback::GetToolIsNewVersionFn* m_pGetToolIsNewVersion = nullptr;
    taskwing::feedback::OpenToolDownUrlFn* m_pOpenToolDownUrl = nullptr;
    taskwing::feedback::OpenUseAgreementUrlFn* m_pOpenUseAgreementUrl = nullptr;
};
