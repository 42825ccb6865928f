#pragma once
// Hover and leave notifications for the owner-drawn buttons.
#include <windows.h>

namespace taskwing {

// Asks for one WM_MOUSEHOVER (after 10 ms at rest) and one WM_MOUSELEAVE; a button re-arms at its
// next move after the leave. False when the system did not take the request.
inline bool TrackHoverAndLeave(HWND hwnd) {
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_HOVER | TME_LEAVE;
    track.hwndTrack = hwnd;
    track.dwHoverTime = 10;
    return ::TrackMouseEvent(&track) != FALSE;
}

}  // namespace taskwing
