// The skinned pair's shell: its layered image, its child, and where each goes when the other moves.
#include "dialogs/pair_shell.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "base/critical_section.h"
#include "base/handles.h"
#include "controls/paint_pieces.h"
#include "dialogs/pair_child.h"
#include "framework/app.h"

using taskwing::PairRect;

namespace {

// A shell's PNG stretched to its size, premultiplied, as the layered push wants it. The prompt box
// and the progress window, made anew for every operation at the same size, compose theirs once per
// process.
struct ComposedSkin {
    UINT png;
    int width;
    int height;
    std::vector<BYTE> pixels;
};

struct ComposedSkins {
    CCriticalSection lock;
    std::vector<ComposedSkin> skins;
};
ComposedSkins& Skins() {
    static ComposedSkins skins;
    return skins;
}

// Copies a kept skin of this PNG and size into `bits` (when given); false when there is none.
bool CopyComposedSkin(UINT png, int width, int height, void* bits) {
    ComposedSkins& kept = Skins();
    CScopedLock lock(kept.lock);
    for (const ComposedSkin& skin : kept.skins) {
        if (skin.png != png || skin.width != width || skin.height != height) continue;
        if (bits != nullptr) std::memcpy(bits, skin.pixels.data(), skin.pixels.size());
        return true;
    }
    return false;
}

void KeepComposedSkin(ComposedSkin skin) {
    ComposedSkins& kept = Skins();
    CScopedLock lock(kept.lock);
    kept.skins.push_back(std::move(skin));
}

constexpr UINT kActivateChild = WM_APP + 0x3A1;

PairRect ToPairRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }
}  // namespace

float ScreenScaleFactor() {
    taskwing::unique_window_dc screen(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    return taskwing::ScaleForDpi(dpi);
}

bool IsEnterOrEscapeDown(const MSG& msg) {
    return msg.message == WM_KEYDOWN && (msg.wParam == VK_ESCAPE || msg.wParam == VK_RETURN);
}

bool WantsKey(const MSG& msg) {
    if (msg.hwnd == nullptr) return false;
    MSG copy = msg;
    const LRESULT code = ::SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&copy));
    return (code & DLGC_WANTMESSAGE) != 0;
}

CPairShellDlg::CPairShellDlg(const taskwing::PairTraits& traits, CWnd* parent)
    : CDialog(traits.shellTemplate, parent), m_bChildFollows(traits.childFollowsAtStart ? 1 : 0), m_traits(traits) {}

CPairShellDlg::~CPairShellDlg() = default;

LRESULT CPairShellDlg::FollowChild(int left, int top, int right, int bottom) {
    // Once the child leads it keeps leading: the shell's own moves no longer move it back.
    m_bChildFollows = 0;
    const RECT own = GetWindowRect();
    const PairRect shell = taskwing::ShellAroundChild({left, top, right, bottom}, m_traits.inset, m_fScale,
                                                      own.right - own.left, own.bottom - own.top);
    MoveWindow(shell.left, shell.top, shell.Width(), shell.Height(), TRUE);
    return 0;
}

BOOL CPairShellDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    const PairRect shell = ComputeShellRect();
    ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, ::GetWindowLongW(m_hWnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    // Without its image the shell would stand invisible and modal, and nobody could close it: the
    // run ends at once with -1, which callers take as a failed start.
    // A kept skin needs no image decoded.
    const bool kept = m_traits.reusesComposedSkin &&
                      CopyComposedSkin(m_traits.shellPng, shell.Width(), shell.Height(), nullptr);
    if (!kept && !m_pBkImage && !LoadPngResource(m_pBkImage, AfxGetResourceHandle(), m_traits.shellPng)) {
        EndDialog(-1);
        return TRUE;
    }
    OnShellSkinReady();
    PushLayeredImage(shell.Width(), shell.Height());
    CreateChild(shell);
    return TRUE;
}

PairRect CPairShellDlg::ComputeShellRect() const {
    return taskwing::ShellRect(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), m_traits.shellWidth,
                               m_traits.shellHeight, m_fScale);
}

void CPairShellDlg::PushLayeredImage(int width, int height) {
    taskwing::unique_window_dc windowDc(m_hWnd);
    taskwing::unique_hdc memoryDc(::CreateCompatibleDC(windowDc.get()));
    // Premultiplied pixels, as the per-pixel blend of a layered window wants them.
    std::uint32_t* bits = nullptr;
    taskwing::unique_hbitmap bitmap = taskwing::CreateTopDownBitmap(width, height, bits);
    if (!memoryDc || !bitmap) return;
    const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
    if (!m_traits.reusesComposedSkin || !CopyComposedSkin(m_traits.shellPng, width, height, bits)) {
        if (!taskwing::StretchPremultiplied(m_pBkImage.get(), width, height, bits)) return;
        if (m_traits.reusesComposedSkin) {
            const auto* first = reinterpret_cast<const BYTE*>(bits);
            KeepComposedSkin({m_traits.shellPng, width, height, std::vector<BYTE>(first, first + bytes)});
        }
    }
    taskwing::unique_select_object selected(memoryDc.get(), bitmap.get());
    const RECT window = GetWindowRect();
    POINT destination{window.left, window.top};
    SIZE size{width, height};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    // Size and per-pixel look in one step; the shell never paints again.
    ::UpdateLayeredWindow(m_hWnd, windowDc.get(), &destination, &size, memoryDc.get(), &source, 0, &blend,
                          ULW_ALPHA);
}

void CPairShellDlg::CreateChild(const PairRect& shellRect) {
    const PairRect anchor = m_traits.placeChildOnShellRect ? shellRect : ToPairRect(GetWindowRect());
    m_pChildDlg = NewChild();
    if (!m_pChildDlg) return;
    m_pChildDlg->m_pShell = this;
    m_pChildDlg->m_fScale = m_fScale;
    // Made with the shell as parent, the pop-up child is owned by the shell.
    if (!m_pChildDlg->Create(m_traits.childTemplate, this)) {
        m_pChildDlg.reset();
        return;
    }
    // What a screen reader announces; a shell without a name of its own is announced by its child's.
    if (m_traits.title != nullptr) m_pChildDlg->SetWindowText(m_traits.title);
    if (::GetWindowTextLengthW(m_hWnd) == 0) SetWindowText(m_pChildDlg->GetWindowText());
    const PairRect place = taskwing::ChildPlacement(anchor, m_traits.inset, m_fScale);
    m_pChildDlg->MoveWindow(place.left, place.top, place.Width(), place.Height(), TRUE);
    if (::IsWindowVisible(m_hWnd)) m_pChildDlg->ShowWindow(SW_SHOWNA);
}

LRESULT CPairShellDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOVE:
        return OnMove();
    case WM_WINDOWPOSCHANGED:
        return OnWindowPosChanged(*reinterpret_cast<const WINDOWPOS*>(lParam));
    case WM_DESTROY:
        return OnDestroy();
    case WM_ACTIVATE: {
        // The child is the window the user works in: activated (restored from the taskbar, a
        // click on the rim), the shell hands the activation on, so that the window system raises
        // the child, not the shell over it (Wine raises only the active window, and the shell's
        // image would hide the child and take its clicks).
        const LRESULT result = Default();
        if (LOWORD(wParam) != WA_INACTIVE) PostMessage(kActivateChild);
        return result;
    }
    case kActivateChild:
        if (m_pChildDlg && ::IsWindowVisible(m_pChildDlg->m_hWnd) && ::IsWindowEnabled(m_pChildDlg->m_hWnd) &&
            ::GetActiveWindow() == m_hWnd)
            ::SetActiveWindow(m_pChildDlg->m_hWnd);
        return 0;
    case WM_NCHITTEST:
        // The shell itself is never dragged; only the child's strip drags.
        return Default();
    default:
        return CDialog::WindowProc(message, wParam, lParam);
    }
}

BOOL CPairShellDlg::PreTranslateMessage(MSG* msg) {
    if (IsEnterOrEscapeDown(*msg)) return TRUE;
    return CDialog::PreTranslateMessage(msg);
}

LRESULT CPairShellDlg::OnMove() {
    const LRESULT result = Default();
    if (m_bChildFollows && m_pChildDlg && ::IsWindow(m_pChildDlg->m_hWnd)) {
        const RECT current = m_pChildDlg->GetWindowRect();
        const PairRect child = taskwing::ChildOnShell(ToPairRect(GetWindowRect()), m_traits.inset, m_fScale,
                                                      current.right - current.left, current.bottom - current.top);
        m_pChildDlg->MoveWindow(child.left, child.top, child.Width(), child.Height(), TRUE);
    }
    return result;
}

LRESULT CPairShellDlg::OnWindowPosChanged(const WINDOWPOS& position) {
    const LRESULT result = Default();
    // The child comes up with the shell, not before it: shown first, it could end up beneath the
    // shell where the window system stacks each newly shown window on top (Wine's X11 driver does).
    // The shell stays the active window.
    if ((position.flags & SWP_SHOWWINDOW) != 0 && m_pChildDlg && ::IsWindow(m_pChildDlg->m_hWnd) &&
        !::IsWindowVisible(m_pChildDlg->m_hWnd))
        m_pChildDlg->ShowWindow(SW_SHOWNA);
    // And it goes with the shell when the run ends.
    if ((position.flags & SWP_HIDEWINDOW) != 0 && m_pChildDlg && ::IsWindow(m_pChildDlg->m_hWnd))
        ::ShowWindow(m_pChildDlg->m_hWnd, SW_HIDE);
    return result;
}

HWND CPairShellDlg::ModalOwnerHwnd() const {
    if (m_pChildDlg && ::IsWindow(m_pChildDlg->m_hWnd) && ::IsWindowVisible(m_pChildDlg->m_hWnd))
        return m_pChildDlg->m_hWnd;
    return m_hWnd;
}

void CPairShellDlg::OnChildCancel() { SendMessage(WM_CLOSE); }

LRESULT CPairShellDlg::OnDestroy() {
    const LRESULT result = Default();
    // The owned child window is gone by now; its object goes after the shell's image.
    m_pBkImage.reset();
    m_pChildDlg.reset();
    return result;
}
