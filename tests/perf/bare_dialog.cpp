// A bare Win32 dialog started the way the tool is: the yardstick its start-up time and memory are
// measured against. No GDI+, no skin, no layered window.
// Built a second time as the floor of a skinned start (NT_PERF_FLOOR): the same dialog, plus GDI+
// started and the main window's two skins (PNG 138 and 139) decoded to pixels before it shows. No
// skinned start can do less.
#include <windows.h>
#if defined(NT_PERF_FLOOR)
#include <objidl.h>
#include <gdiplus.h>

#include <cstring>
#endif

namespace {

constexpr int kBareDialog = 100;

INT_PTR CALLBACK BareProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) ::EndDialog(dialog, IDCANCEL);
        return TRUE;
    case WM_CLOSE:
        ::EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

#if defined(NT_PERF_FLOOR)
constexpr UINT kSkins[] = {138, 139};

// As the tool reads a skin: its bytes copied into a stream, decoded by GDI+, then read as 32-bit
// pixels (the decoder may leave the work until then).
bool DecodeSkin(HINSTANCE instance, UINT id) {
    HRSRC info = ::FindResourceW(instance, MAKEINTRESOURCEW(id), L"PNG");
    HGLOBAL resource = info != nullptr ? ::LoadResource(instance, info) : nullptr;
    const void* bytes = resource != nullptr ? ::LockResource(resource) : nullptr;
    const DWORD size = info != nullptr ? ::SizeofResource(instance, info) : 0;
    if (bytes == nullptr || size == 0) return false;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (block == nullptr) return false;
    std::memcpy(::GlobalLock(block), bytes, size);
    ::GlobalUnlock(block);
    IStream* stream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(block, TRUE, &stream))) {
        ::GlobalFree(block);
        return false;
    }
    bool decoded = false;
    {
        Gdiplus::Bitmap bitmap(stream, FALSE);
        Gdiplus::Rect whole(0, 0, static_cast<INT>(bitmap.GetWidth()), static_cast<INT>(bitmap.GetHeight()));
        Gdiplus::BitmapData data{};
        if (bitmap.GetLastStatus() == Gdiplus::Ok &&
            bitmap.LockBits(&whole, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) == Gdiplus::Ok) {
            decoded = true;
            bitmap.UnlockBits(&data);
        }
    }
    stream->Release();
    return decoded;
}

#endif

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
#if defined(NT_PERF_FLOOR)
    const Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return 1;
    for (UINT id : kSkins)
        if (!DecodeSkin(instance, id)) return 1;
    const INT_PTR result = ::DialogBoxParamW(instance, MAKEINTRESOURCEW(kBareDialog), nullptr, BareProc, 0);
    Gdiplus::GdiplusShutdown(token);
    return static_cast<int>(result);
#else
    return static_cast<int>(::DialogBoxParamW(instance, MAKEINTRESOURCEW(kBareDialog), nullptr, BareProc, 0));
#endif
}
