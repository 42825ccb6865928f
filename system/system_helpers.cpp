// The narrow/wide conversions around the stored device type, and fonts copied from a window.
#include "system/system_helpers.h"

#include <cstdint>
#include <cstdlib>
#include <new>

#include "base/code_page.h"

wchar_t* NarrowToWide(std::string text) {
    const size_t n = text.size();
    if (n >= SIZE_MAX / sizeof(wchar_t)) return nullptr;
    auto* wide = static_cast<wchar_t*>(std::malloc((n + 1) * sizeof(wchar_t)));
    if (wide == nullptr) return nullptr;
    // Byte for byte, as the C runtime's "C" locale would, but without reading the process-wide
    // locale that a log write on another thread may have switched for a moment.
    size_t i = 0;
    for (; i < n && text[i] != '\0'; ++i) wide[i] = static_cast<wchar_t>(static_cast<unsigned char>(text[i]));
    wide[i] = L'\0';
    return wide;
}

std::string WideToNarrow(const wchar_t* text) {
    if (text == nullptr) return {};
    try {
        return taskwing::FromWide(text, CP_ACP);
    } catch (const std::bad_alloc&) {
        return {};
    }
}

namespace {

// The window's font, else the stock ones in turn: the first whose record can be read.
bool ReadSourceFont(HWND window, LOGFONTW& logFont) {
    const HGDIOBJ candidates[] = {
        window != nullptr ? reinterpret_cast<HGDIOBJ>(::SendMessageW(window, WM_GETFONT, 0, 0)) : nullptr,
        ::GetStockObject(DEFAULT_GUI_FONT), ::GetStockObject(ANSI_VAR_FONT)};
    for (HGDIOBJ font : candidates) {
        if (font != nullptr && ::GetObjectW(font, sizeof(logFont), &logFont) == sizeof(logFont)) return true;
    }
    return false;
}

}  // namespace

void MakeFont(HWND window, int heightChange, int weight, taskwing::unique_hfont& font) {
    LOGFONTW logFont{};
    if (!ReadSourceFont(window, logFont)) {
        font.reset();
        return;
    }
    if (heightChange != 0) {
        if (weight > 0) logFont.lfWeight = weight;
        logFont.lfHeight -= heightChange;
    }
    font.reset(::CreateFontIndirectW(&logFont));
}

int MeasureTextWidth(HWND window, HDC dc, std::wstring text, int heightChange, int weight) {
    if (window == nullptr || dc == nullptr) return -1;
    taskwing::unique_hfont font;
    MakeFont(window, heightChange, weight, font);
    SIZE extent{};
    BOOL measured = FALSE;
    {
        // Declared after the font, so the DC lets go of the font before the font goes.
        taskwing::unique_select_object select(dc, font ? static_cast<HGDIOBJ>(font.get()) : nullptr);
        measured = ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    }
    return measured ? static_cast<int>(extent.cx) : -1;
}
