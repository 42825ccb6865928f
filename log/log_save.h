#pragma once
// The process-wide logger: reads "logCfg.ini" once, makes the log folder, owns the writer.
//
//   CLogSave::GetInstance()->WriteLog(L"开始按钮左移失败", "Taskwing.txt", true);
#include <memory>
#include <optional>
#include <string>

#include "log/log_base.h"
#include "log/log_save_close_file.h"

class CLogSave {
public:
    // The one logger of the process, in the all-users application data folder; made on first use.
    static CLogSave* GetInstance();

    // A logger whose folder is commonAppData + "\ToolLog" (the relative "ToolLog" for nullopt),
    // for tests and tools that must not touch the real folder.
    explicit CLogSave(std::optional<std::wstring> commonAppData, taskwing::LogClock clock = {});
    virtual ~CLogSave();
    CLogSave(const CLogSave&) = delete;
    CLogSave& operator=(const CLogSave&) = delete;

    // Writes the entry when always is true or "print" is on. text is narrow in the ANSI code page.
    void WriteLog(std::string text, std::string fileName, bool always);
    // The same for the program's own UTF-16 messages: no call site encodes GBK by hand, and the
    // text reaches the file intact whatever the system's code page.
    void WriteLog(const std::wstring& text, std::string fileName, bool always);

    bool IsPrintOn() const { return m_bPrint; }
    const std::wstring& GetLogDir() const { return m_strLogDir; }

private:
    CLogSave();

    bool m_bPrint = false;
    std::wstring m_strLogDir;  // with its trailing backslash
    std::unique_ptr<CLogBase> m_pWriter;
};
