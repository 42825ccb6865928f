#pragma once
// The log's entry type and the abstract writer.
#include <cstdint>
#include <string>
#include <utility>

class CObjectBase {
public:
    CObjectBase() = default;
    CObjectBase(const CObjectBase&) = default;
    CObjectBase& operator=(const CObjectBase&) = default;
    virtual ~CObjectBase() = default;
};

// One log entry: the file it goes to (relative to the log folder) and its text, both narrow in
// the ANSI code page.
class CPacketLog : public CObjectBase {
public:
    void SetFileName(std::string fileName) { m_strFileName = std::move(fileName); }
    std::string GetFileName() const { return m_strFileName; }
    void SetText(std::string text) { m_strText = std::move(text); }
    std::string GetText() const { return m_strText; }

private:
    std::string m_strFileName;
    std::string m_strText;
};

// A writer of entries into files of one log folder. No operation reports a failure: an entry that
// cannot be written is dropped.
class CLogBase {
public:
    explicit CLogBase(std::wstring logDir) : m_strLogDir(std::move(logDir)) {}
    virtual ~CLogBase() = default;
    CLogBase(const CLogBase&) = delete;
    CLogBase& operator=(const CLogBase&) = delete;

    virtual void WritePacket(CPacketLog* packet) = 0;
    virtual void WriteHex(const unsigned char* bytes, std::int32_t count, std::string fileName) = 0;
    virtual void WriteText(std::string text, std::string fileName) = 0;
    // The program's own UTF-16 messages, kept wide up to the file's encoding so that they survive
    // a system whose ANSI code page is not 936.
    virtual void WriteWideText(std::wstring text, std::string fileName) = 0;

protected:
    std::wstring m_strLogDir;  // with its trailing backslash
};
