#pragma once
// GDI+ for the whole program: the headers in the order they need, and the session as a scope.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

// GDI+ is usable while this object lives; one per process, around the main window's run.
class ScopedGdiPlus {
public:
    ScopedGdiPlus() {
        const Gdiplus::GdiplusStartupInput input;
        m_started = Gdiplus::GdiplusStartup(&m_token, &input, nullptr) == Gdiplus::Ok;
    }
    ~ScopedGdiPlus() {
        if (m_started) Gdiplus::GdiplusShutdown(m_token);
    }
    ScopedGdiPlus(const ScopedGdiPlus&) = delete;
    ScopedGdiPlus& operator=(const ScopedGdiPlus&) = delete;

    bool Started() const { return m_started; }

private:
    ULONG_PTR m_token = 0;
    bool m_started = false;
};
