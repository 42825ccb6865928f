// The binding to the feedback library: loading it beside the executable, resolving every export once.
#include "feedback/feedback_dll.h"

#include <oleauto.h>

namespace taskwing::feedback {

std::wstring LibraryPathBeside(const std::wstring& modulePath) {
    const size_t slash = modulePath.find_last_of(L'\\');
    if (slash == std::wstring::npos) return {};
    return modulePath.substr(0, slash) + L'\\' + kLibraryName;
}

}  // namespace taskwing::feedback

namespace {

// FARPROC goes through the generic function pointer type, which compilers accept for any
// function pointer conversion without a warning.
template <typename Fn>
bool Resolve(HMODULE module, const char* name, Fn*& slot) {
    slot = reinterpret_cast<Fn*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
    return slot != nullptr;
}

// Six BSTR slots that free whatever the library put into them.
struct TextSlots {
    BSTR slot[taskwing::feedback::kTextCount] = {};
    TextSlots() = default;
    TextSlots(const TextSlots&) = delete;
    TextSlots& operator=(const TextSlots&) = delete;
    ~TextSlots() {
        for (BSTR text : slot) SysFreeString(text);  // null is allowed
    }
};

}  // namespace

bool CFeedbackDll::Load() {
    if (m_hModule) return true;  // a second LoadLibrary would leave one reference that Unload never frees

    wchar_t self[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    // A full buffer means a cut path, whose folder is some other folder: load nothing from there.
    if (length == 0 || length >= MAX_PATH) return false;
    const std::wstring path = taskwing::feedback::LibraryPathBeside(std::wstring(self, length));
    if (path.empty()) return false;

    m_hModule.reset(LoadLibraryW(path.c_str()));
    if (!m_hModule) return false;
    if (!ResolveAll()) {
        // Half a binding is no binding: callers test the handle, so no handle may outlive a failure.
        Unload();
        return false;
    }
    return true;
}

// In table order; the first that is missing ends the resolution.
bool CFeedbackDll::ResolveAll() {
    const HMODULE m = m_hModule.get();
    return Resolve(m, "InitFreedbackDll", m_pInitFreedbackDll) && Resolve(m, "FeedbackQuestion", m_pFeedbackQuestion) &&
           Resolve(m, "OpenUrl", m_pOpenUrl) && Resolve(m, "GetInterNetState", m_pGetInterNetState) &&
           Resolve(m, "CustomerFeedback", m_pCustomerFeedback) &&
           Resolve(m, "WriteCustomerFeedbackInfoFile", m_pWriteCustomerFeedbackInfoFile) &&
           Resolve(m, "GetToolIsNewVersionDown", m_pGetToolIsNewVersionDown) &&
           Resolve(m, "CustomerFeedbackEx", m_pCustomerFeedbackEx) &&
           Resolve(m, "GetToolIsNewVersion", m_pGetToolIsNewVersion) &&
           Resolve(m, "OpenToolDownUrl", m_pOpenToolDownUrl) &&
           Resolve(m, "OpenUseAgreementUrl", m_pOpenUseAgreementUrl);
}

void CFeedbackDll::Unload() {
    ClearPointers();
    m_hModule.reset();
}

void CFeedbackDll::ClearPointers() {
    m_pInitFreedbackDll = nullptr;
    m_pFeedbackQuestion = nullptr;
    m_pOpenUrl = nullptr;
    m_pGetInterNetState = nullptr;
    m_pCustomerFeedback = nullptr;
    m_pWriteCustomerFeedbackInfoFile = nullptr;
    m_pGetToolIsNewVersionDown = nullptr;
    m_pCustomerFeedbackEx = nullptr;
    m_pGetToolIsNewVersion = nullptr;
    m_pOpenToolDownUrl = nullptr;
    m_pOpenUseAgreementUrl = nullptr;
}

int CFeedbackDll::InitFreedbackDll(taskwing::feedback::FeedbackTexts& texts) {
    for (std::wstring& text : texts) text.clear();
    if (!m_pInitFreedbackDll) return 0;
    TextSlots slots;
    const int result = m_pInitFreedbackDll(slots.slot);
    for (int i = 0; i < taskwing::feedback::kTextCount; ++i) {
        if (slots.slot[i]) texts[i].assign(slots.slot[i], SysStringLen(slots.slot[i]));
    }
    return result;
}

int CFeedbackDll::FeedbackQuestion(const wchar_t* toolId, const wchar_t* version) {
    return m_pFeedbackQuestion ? m_pFeedbackQuestion(toolId, version) : 0;
}

int CFeedbackDll::OpenUrl(const std::wstring& url) {
    if (!m_pOpenUrl) return 0;  // no copy made, so none is lost
    BSTR copy = SysAllocStringLen(url.data(), static_cast<UINT>(url.size()));
    if (!copy) return 0;
    return m_pOpenUrl(copy);  // the library owns the copy from here on
}

int CFeedbackDll::GetInterNetState() { return m_pGetInterNetState ? m_pGetInterNetState() : 0; }

int CFeedbackDll::CustomerFeedback(const wchar_t* toolId, const wchar_t* version, int answer) {
    return m_pCustomerFeedback ? m_pCustomerFeedback(toolId, version, answer) : 0;
}

int CFeedbackDll::WriteCustomerFeedbackInfoFile(const wchar_t* toolId, const wchar_t* version) {
    return m_pWriteCustomerFeedbackInfoFile ? m_pWriteCustomerFeedbackInfoFile(toolId, version) : 0;
}

int CFeedbackDll::GetToolIsNewVersionDown(const wchar_t* toolId, const wchar_t* version) {
    return m_pGetToolIsNewVersionDown ? m_pGetToolIsNewVersionDown(toolId, version) : 0;
}

int CFeedbackDll::CustomerFeedbackEx(const wchar_t* toolId, const wchar_t* version, int answer, const wchar_t* timeText,
                                     const wchar_t* deviceText) {
    return m_pCustomerFeedbackEx ? m_pCustomerFeedbackEx(toolId, version, answer, timeText, deviceText) : 0;
}

int CFeedbackDll::GetToolIsNewVersion(const wchar_t* toolId, const wchar_t* version) {
    return m_pGetToolIsNewVersion ? m_pGetToolIsNewVersion(toolId, version) : 0;
}

int CFeedbackDll::OpenToolDownUrl() { return m_pOpenToolDownUrl ? m_pOpenToolDownUrl() : 0; }

int CFeedbackDll::OpenUseAgreementUrl() { return m_pOpenUseAgreementUrl ? m_pOpenUseAgreementUrl() : 0; }
