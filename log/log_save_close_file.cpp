// The log writer: one append per entry under a lock between processes, and the move to the backup.
#include "log/log_save_close_file.h"

#include <utility>

#include "base/code_page.h"
#include "base/handles.h"
#include "log/log_format.h"

namespace {

// The file is GBK whatever the system's code page.
constexpr UINT kLogCodePage = 936;

taskwing::LogTime ToLogTime(const SYSTEMTIME& t) {
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

// Keeps the tool's processes from appending to one file at the same moment. Windows appends
// atomically through an append-only handle already; where an append is a seek and a write (Wine),
// two processes would overwrite each other's lines. The locked byte lies far beyond any log's end,
// so readers and other writers of the file are not hindered. Holders keep it for one write only,
// so the wait is short, and it blocks: a polling loop with a deadline can be starved by a busy writer.
class AppendLock {
public:
    explicit AppendLock(HANDLE file) : m_file(file) {
        OVERLAPPED at = Where();
        m_held = LockFileEx(m_file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &at) != FALSE;
    }
    ~AppendLock() {
        if (!m_held) return;
        OVERLAPPED at = Where();
        UnlockFileEx(m_file, 0, 1, 0, &at);
    }
    AppendLock(const AppendLock&) = delete;
    AppendLock& operator=(const AppendLock&) = delete;

private:
    static OVERLAPPED Where() {
        OVERLAPPED at{};
        at.OffsetHigh = 0x40000000;  // byte 2^62
        return at;
    }
    HANDLE m_file;
    bool m_held = false;
};

}  // namespace

CLogSaveCloseFile::CLogSaveCloseFile(std::wstring logDir, taskwing::LogClock clock)
    : CLogBase(std::move(logDir)), m_clock(std::move(clock)) {}

SYSTEMTIME CLogSaveCloseFile::Now() const {
    if (m_clock) return m_clock();
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now;
}

void CLogSaveCloseFile::WriteText(std::string text, std::string fileName) {
    CPacketLog packet;
    packet.SetText(std::move(text));
    packet.SetFileName(std::move(fileName));
    WritePacket(&packet);
}

void CLogSaveCloseFile::WriteHex(const unsigned char* bytes, std::int32_t count, std::string fileName) {
    CPacketLog packet;
    packet.SetText(taskwing::FromWide(taskwing::FormatHexBytes(bytes, count), CP_ACP));
    packet.SetFileName(std::move(fileName));
    WritePacket(&packet);
}

void CLogSaveCloseFile::WritePacket(CPacketLog* packet) {
    if (packet == nullptr) return;
    try {
        Append(packet->GetFileName(), taskwing::ToWide(packet->GetText(), CP_ACP));
    } catch (...) {
        // Logging never fails its caller: an entry that could not even be built is dropped.
    }
}

void CLogSaveCloseFile::WriteWideText(std::wstring text, std::string fileName) {
    try {
        Append(fileName, text);
    } catch (...) {
        // Dropped, as above.
    }
}

void CLogSaveCloseFile::Append(const std::string& fileName, const std::wstring& text) {
    CScopedLock hold(m_lock);
    AppendEntry(fileName, text);
}

void CLogSaveCloseFile::AppendEntry(const std::string& fileName, const std::wstring& text) {
    const std::wstring path = m_strLogDir + taskwing::ToWide(fileName, CP_ACP);
    // Append-only access puts every write at the end of the file in one piece, also while another
    // process of the tool appends to the same file. No share-delete: nobody moves it under us.
    taskwing::unique_hfile file(CreateFileW(path.c_str(), GENERIC_READ | FILE_APPEND_DATA,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;

    {
        AppendLock appending(file.get());
        // Stamped while no other writer can append, so stamps follow the file's order.
        const std::string entry = taskwing::FromWide(taskwing::FormatLogEntry(ToLogTime(Now()), text),
                                                     kLogCodePage, WC_NO_BEST_FIT_CHARS);
        // Stamp, text and line end in a single write, so no other writer's bytes can land between them.
        DWORD written = 0;
        WriteFile(file.get(), entry.data(), static_cast<DWORD>(entry.size()), &written, nullptr);
    }

    // Checked after the entry, so an entry never straddles a file and its backup.
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.get(), &size) && taskwing::LogNeedsRotation(static_cast<std::uint64_t>(size.QuadPart))) {
        file.reset();
        // A failed move (backup held open elsewhere) is tried again after the next entry.
        MoveFileExW(path.c_str(), taskwing::LogBackupPath(path).c_str(), MOVEFILE_REPLACE_EXISTING);
    }
}
