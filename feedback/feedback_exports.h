#pragma once
// The exports of VeskorFeedbackInformation.dll: one function type per export, in the order in which
// the binding resolves them. The binding and our stand-in library both take their signatures from
// here, so that the two cannot drift apart. Ownership rules for the strings: feedback/README.md.
#include <windows.h>

#include <oleauto.h>

namespace taskwing::feedback {

// Number of strings that InitFreedbackDll fills; the fourth (index 3) is the "更多工具" page.
constexpr int kTextCount = 6;
constexpr int kMoreToolsText = 3;

// The answer that GetToolIsNewVersion gives when a newer version exists.
constexpr int kNewerVersion = 3;

// texts: six BSTR slots, all null on entry; the library fills them, the caller frees them.
typedef int __cdecl InitFreedbackDllFn(BSTR* texts);
typedef int __cdecl FeedbackQuestionFn(const wchar_t* toolId, const wchar_t* version);
// url: a BSTR that the library takes over and frees.
typedef int __cdecl OpenUrlFn(BSTR url);
typedef int __cdecl GetInterNetStateFn();
typedef int __cdecl CustomerFeedbackFn(const wchar_t* toolId, const wchar_t* version, int answer);
typedef int __cdecl WriteCustomerFeedbackInfoFileFn(const wchar_t* toolId, const wchar_t* version);
typedef int __cdecl GetToolIsNewVersionDownFn(const wchar_t* toolId, const wchar_t* version);
typedef int __cdecl CustomerFeedbackExFn(const wchar_t* toolId, const wchar_t* version, int answer,
                                         const wchar_t* timeText, const wchar_t* deviceText);
typedef int __cdecl GetToolIsNewVersionFn(const wchar_t* toolId, const wchar_t* version);
typedef int __cdecl OpenToolDownUrlFn();
typedef int __cdecl OpenUseAgreementUrlFn();

}  // namespace taskwing::feedback
