// The start checks, and the content window's handlers that run them and show what they return.
#include "app/start_checks.h"

#include <cstdlib>

#include "app/main_content.h"
#include "app/tool_identity.h"
#include "log/log_save.h"

namespace taskwing {

std::optional<GateFailure> FirstFailedGate(CAlignWorker& worker, HWND receiver, CFeedbackDll& feedback,
                                           feedback::FeedbackTexts& texts) {
    if (!worker.SetReceiver(receiver)) return GateFailure{L"设置接收消息窗口指针失败", L"工具初始化失败"};
    if (!worker.IsSupportedSystem()) return GateFailure{L"此工具不支持当前系统", L"此工具不支持当前系统"};
    if (!feedback.Load()) return GateFailure{L"加载反馈DLL失败", L"工具初始化失败"};
    if (feedback.InitFreedbackDll(texts) == 0) return GateFailure{L"初始化反馈DLL失败", L"工具初始化失败"};
    return std::nullopt;
}

std::optional<UpdateNotice> NewerVersionNotice(CFeedbackDll& feedback, int deviceType) {
    if (feedback.GetToolIsNewVersion(kToolId, kToolVersion) != feedback::kNewerVersion) return std::nullopt;
    return UpdateNoticeFor(deviceType);
}

const wchar_t* CodePageNotice(UINT codePage) {
    constexpr UINT kSimplifiedChinese = 936;
    return codePage == kSimplifiedChinese ? nullptr : L"本工具仅支持简体中文版";
}

}  // namespace taskwing

void CTaskwingDlg::DetectDeviceType() { m_nDeviceType = taskwing::DetectDeviceType(); }

void CTaskwingDlg::RunStartGates() {
    const auto failure = taskwing::FirstFailedGate(m_worker, m_hWnd, m_feedbackDll, m_strFeedback);
    if (!failure) return;
    // The line is in the file before the prompt appears: each entry is written and closed at once.
    CLogSave::GetInstance()->WriteLog(std::wstring(failure->logLine), taskwing::kLogFile, true);
    ShowNotice(failure->prompt, nullptr);
    std::exit(0);
}

void CTaskwingDlg::OnStartCheck() {
    // Once: a notice must not come again at the next tick while it is still up.
    ::KillTimer(m_hWnd, taskwing::kTimerStartCheck);
    // Nothing over the problem-solved window: the user is leaving.
    if (m_bCloseBegun) return;
    m_bStartNoticeUp = true;
    CheckForUpdate();
    if (const wchar_t* notice = taskwing::CodePageNotice(::GetACP())) ShowNotice(notice, this);
    m_bStartNoticeUp = false;
}

void CTaskwingDlg::CheckForUpdate() {
    const auto notice = taskwing::NewerVersionNotice(m_feedbackDll, m_nDeviceType);
    if (!notice) return;
    ShowNotice(notice->text.c_str(), this);
    if (notice->openDownloadPage) m_feedbackDll.OpenToolDownUrl();
    std::exit(0);
}
