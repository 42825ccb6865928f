#pragma once
// The screen tests' reach into the X display that Wine draws on: xdotool for real pointer and key
// events, xwd for a window's own pixels.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace taskwing::test {

inline std::wstring WindowsPathOf(const std::string& unixPath) {
    std::wstring path = L"Z:";
    for (char c : unixPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    return path;
}

// The whole file, or nothing when it cannot be read.
inline std::string ReadWholeFile(const std::wstring& path) {
    std::string bytes;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    char buffer[65536];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) bytes.append(buffer, read);
    ::CloseHandle(file);
    return bytes;
}

// Runs a command line of the Unix shell and waits for it. Wine starts Unix programs from
// CreateProcess but gives no handle to wait on, so the command leaves its exit status in a marker
// file. Returns that status, or -1 when it could not start or did not finish in time.
inline int RunUnix(const std::string& command, DWORD timeoutMs = 10000) {
    static int counter = 0;
    const std::string marker =
        "/tmp/nt-unix-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++counter);
    const std::string script = command + "; echo $? > " + marker + ".part && mv " + marker + ".part " + marker;
    std::wstring line = L"/bin/sh -c \"" + std::wstring(script.begin(), script.end()) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return -1;
    if (info.hThread != nullptr) ::CloseHandle(info.hThread);
    if (info.hProcess != nullptr) ::CloseHandle(info.hProcess);

    const std::wstring markerPath = WindowsPathOf(marker);
    for (DWORD waited = 0; waited < timeoutMs; waited += 20) {
        const std::string status = ReadWholeFile(markerPath);
        if (!status.empty()) {
            ::DeleteFileW(markerPath.c_str());
            return std::atoi(status.c_str());
        }
        ::Sleep(20);
    }
    return -1;
}

// The X window behind a top-level Wine window.
inline unsigned long XWindowOf(HWND hwnd) {
    return static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(::GetPropW(hwnd, L"__wine_x11_whole_window")));
}

// A window's pixels as the X server holds them (xwd's ZPixmap), with the alpha byte of a 32-bit
// visual: what a layered window really shows.
struct XImage32 {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0xAARRGGBB
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + x]; }
    int AlphaAt(int x, int y) const { return static_cast<int>(At(x, y) >> 24); }
};

inline bool CaptureXWindow(unsigned long xid, XImage32& image, std::string& error) {
    const std::string file = "/tmp/nt-xwd-" + std::to_string(::GetCurrentProcessId()) + ".xwd";
    if (RunUnix("xwd -silent -id " + std::to_string(xid) + " -out " + file) != 0) {
        error = "xwd failed";
        return false;
    }
    const std::string bytes = ReadWholeFile(WindowsPathOf(file));
    const std::vector<unsigned char> data(bytes.begin(), bytes.end());
    ::DeleteFileW(WindowsPathOf(file).c_str());
    if (data.size() < 100) {
        error = "short xwd file";
        return false;
    }
    auto field = [&](size_t index) {  // the header is 25 big-endian 32-bit fields
        const unsigned char* p = &data[index * 4];
        return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
    };
    const uint32_t headerSize = field(0), depth = field(3), width = field(4), height = field(5),
                   byteOrder = field(7), bitsPerPixel = field(11), bytesPerLine = field(12), colours = field(19);
    if (depth != 32 || bitsPerPixel != 32) {
        error = "not a 32-bit window (depth " + std::to_string(depth) + ")";
        return false;
    }
    const size_t start = headerSize + colours * 12u;
    if (data.size() < start + static_cast<size_t>(bytesPerLine) * height) {
        error = "truncated xwd file";
        return false;
    }
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.pixels.assign(static_cast<size_t>(width) * height, 0);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            const unsigned char* p = &data[start + y * bytesPerLine + x * 4];
            image.pixels[y * width + x] =
                byteOrder == 0 ? (uint32_t{p[3]} << 24) | (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0]
                               : (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
        }
    }
    return true;
}

}  // namespace taskwing::test
