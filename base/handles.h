#pragma once
// Move-only owners for Windows handles and GDI objects: one template, one alias per kind.
#include <windows.h>

#include <utility>

namespace taskwing {

// Traits: `type`, `invalid()` and `close(type)`.
template <typename Traits>
class unique_any {
public:
    using T = typename Traits::type;
    unique_any() = default;
    explicit unique_any(T value) : m_value(value) {}
    ~unique_any() { reset(); }
    unique_any(const unique_any&) = delete;
    unique_any& operator=(const unique_any&) = delete;
    unique_any(unique_any&& other) noexcept : m_value(other.release()) {}
    unique_any& operator=(unique_any&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    T get() const { return m_value; }
    explicit operator bool() const { return m_value != Traits::invalid(); }
    T release() { return std::exchange(m_value, Traits::invalid()); }
    void reset(T value = Traits::invalid()) {
        T old = std::exchange(m_value, value);
        if (old != Traits::invalid()) Traits::close(old);
    }
    // For out-parameters: frees what is held and hands out the slot.
    T* put() {
        reset();
        return &m_value;
    }

private:
    T m_value = Traits::invalid();
};

template <typename T, auto Close>
struct null_traits {
    using type = T;
    static T invalid() { return nullptr; }
    static void close(T value) { Close(value); }
};

template <auto Close>
struct file_traits {
    using type = HANDLE;
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE value) { Close(value); }
};

namespace detail {
inline void CloseHandleFn(HANDLE h) { ::CloseHandle(h); }
inline void DeleteDcFn(HDC h) { ::DeleteDC(h); }
inline void FreeLibraryFn(HMODULE h) { ::FreeLibrary(h); }
inline void GlobalFreeFn(HGLOBAL h) { ::GlobalFree(h); }
template <typename T>
void DeleteGdiFn(T h) { ::DeleteObject(h); }
}  // namespace detail

using unique_handle = unique_any<null_traits<HANDLE, detail::CloseHandleFn>>;
// CreateFileW reports failure with INVALID_HANDLE_VALUE, not null.
using unique_hfile = unique_any<file_traits<detail::CloseHandleFn>>;
using unique_hdc = unique_any<null_traits<HDC, detail::DeleteDcFn>>;
using unique_hbitmap = unique_any<null_traits<HBITMAP, detail::DeleteGdiFn<HBITMAP>>>;
using unique_hbrush = unique_any<null_traits<HBRUSH, detail::DeleteGdiFn<HBRUSH>>>;
using unique_hfont = unique_any<null_traits<HFONT, detail::DeleteGdiFn<HFONT>>>;
using unique_hmodule = unique_any<null_traits<HMODULE, detail::FreeLibraryFn>>;
using unique_hglobal = unique_any<null_traits<HGLOBAL, detail::GlobalFreeFn>>;

// A DC from GetDC, given back with ReleaseDC.
class unique_window_dc {
public:
    explicit unique_window_dc(HWND hwnd) : m_hwnd(hwnd), m_hdc(::GetDC(hwnd)) {}
    ~unique_window_dc() {
        if (m_hdc) ::ReleaseDC(m_hwnd, m_hdc);
    }
    unique_window_dc(const unique_window_dc&) = delete;
    unique_window_dc& operator=(const unique_window_dc&) = delete;
    HDC get() const { return m_hdc; }
    explicit operator bool() const { return m_hdc != nullptr; }

private:
    HWND m_hwnd;
    HDC m_hdc;
};

// BeginPaint/EndPaint as a scope.
class unique_paint_dc {
public:
    explicit unique_paint_dc(HWND hwnd) : m_hwnd(hwnd) { m_hdc = ::BeginPaint(hwnd, &m_ps); }
    ~unique_paint_dc() { ::EndPaint(m_hwnd, &m_ps); }
    unique_paint_dc(const unique_paint_dc&) = delete;
    unique_paint_dc& operator=(const unique_paint_dc&) = delete;
    HDC get() const { return m_hdc; }
    const PAINTSTRUCT& paint() const { return m_ps; }

private:
    HWND m_hwnd;
    PAINTSTRUCT m_ps{};
    HDC m_hdc = nullptr;
};

// Selects an object into a DC and puts the previous one back when it goes.
class unique_select_object {
public:
    unique_select_object(HDC hdc, HGDIOBJ obj) : m_hdc(hdc), m_previous(::SelectObject(hdc, obj)) {}
    ~unique_select_object() {
        if (m_previous != nullptr && m_previous != HGDI_ERROR) ::SelectObject(m_hdc, m_previous);
    }
    unique_select_object(const unique_select_object&) = delete;
    unique_select_object& operator=(const unique_select_object&) = delete;

private:
    HDC m_hdc;
    HGDIOBJ m_previous;
};

// Holds one reference to a COM object and releases it when it goes.
template <typename T>
class com_ptr {
public:
    com_ptr() = default;
    // Takes over a reference the caller already holds.
    explicit com_ptr(T* value) : m_ptr(value) {}
    ~com_ptr() { reset(); }
    com_ptr(const com_ptr&) = delete;
    com_ptr& operator=(const com_ptr&) = delete;
    com_ptr(com_ptr&& other) noexcept : m_ptr(std::exchange(other.m_ptr, nullptr)) {}
    com_ptr& operator=(com_ptr&& other) noexcept {
        if (this != &other) {
            reset();
            m_ptr = std::exchange(other.m_ptr, nullptr);
        }
        return *this;
    }

    T* get() const { return m_ptr; }
    T* operator->() const { return m_ptr; }
    explicit operator bool() const { return m_ptr != nullptr; }
    void reset() {
        if (T* old = std::exchange(m_ptr, nullptr)) old->Release();
    }
    // For out-parameters: releases what is held and hands out the slot.
    T** put() {
        reset();
        return &m_ptr;
    }

private:
    T* m_ptr = nullptr;
};

}  // namespace taskwing
