#pragma once
// The writer in use: opens the file for each entry, appends it in one write, closes it again.
#include <windows.h>

#include <functional>

#include "base/critical_section.h"
#include "log/log_base.h"

namespace taskwing {

// Local time for an entry's stamp; tests fix it. Empty: GetLocalTime.
using LogClock = std::function<SYSTEMTIME()>;

}  // namespace taskwing

class CLogSaveCloseFile : public CLogBase {
public:
    explicit CLogSaveCloseFile(std::wstring logDir, taskwing::LogClock clock = {});

    void WritePacket(CPacketLog* packet) override;
    void WriteHex(const unsigned char* bytes, std::int32_t count, std::string fileName) override;
    void WriteText(std::string text, std::string fileName) override;
    void WriteWideText(std::wstring text, std::string fileName) override;

private:
    void Append(const std::string& fileName, const std::wstring& text);
    void AppendEntry(const std::string& fileName, const std::wstring& text);  // m_lock held
    SYSTEMTIME Now() const;

    CCriticalSection m_lock;  // one entry at a time, open to rotation
    taskwing::LogClock m_clock;
};
