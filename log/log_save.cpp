// The process-wide logger: its settings, its folder and its one writer.
#include "log/log_save.h"

#include <windows.h>

#include <shlobj.h>

#include <cstdlib>
#include <new>
#include <utility>

#include "log/log_format.h"

namespace {

std::optional<std::wstring> CommonAppDataFolder() {
    wchar_t folder[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, folder, CSIDL_COMMON_APPDATA, FALSE)) return std::nullopt;
    return std::wstring(folder);
}

bool ReadPrintFlag(const std::wstring& configPath) {
    wchar_t value[100] = {};
    GetPrivateProfileStringW(L"Log", L"print", L"-1", value, 100, configPath.c_str());
    return _wtoi(taskwing::TrimWhiteSpace(value).c_str()) == 1;
}

}  // namespace

CLogSave* CLogSave::GetInstance() {
    // Made exactly once, even when two threads log first together, and never destroyed: a worker
    // thread may still log while exit() runs the static destructors.
    static CLogSave* const logger = new CLogSave();
    return logger;
}

CLogSave::CLogSave() : CLogSave(CommonAppDataFolder()) {}

CLogSave::CLogSave(std::optional<std::wstring> commonAppData, taskwing::LogClock clock) {
    const std::wstring folder = taskwing::LogFolderPath(commonAppData);
    // Only the last level: a missing application data folder is not ours to make.
    if (GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES) CreateDirectoryW(folder.c_str(), nullptr);
    m_strLogDir = folder + L'\\';
    m_bPrint = ReadPrintFlag(m_strLogDir + taskwing::kLogConfigName);
    try {
        m_pWriter = std::make_unique<CLogSaveCloseFile>(m_strLogDir, std::move(clock));
    } catch (...) {
        // Without a writer every entry is dropped; the program runs on.
    }
}

CLogSave::~CLogSave() { m_pWriter.reset(); }

void CLogSave::WriteLog(std::string text, std::string fileName, bool always) {
    if (!(always || m_bPrint) || !m_pWriter) return;
    try {
        m_pWriter->WriteText(std::move(text), std::move(fileName));
    } catch (...) {
        // Logging never reports its own failure.
    }
}

void CLogSave::WriteLog(const std::wstring& text, std::string fileName, bool always) {
    if (!(always || m_bPrint) || !m_pWriter) return;
    try {
        m_pWriter->WriteWideText(text, std::move(fileName));
    } catch (...) {
        // Dropped, as above.
    }
}
