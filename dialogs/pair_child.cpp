// The skinned pair's child: its kept background skin, its drag strip and its moves that lead the shell.
#include "dialogs/pair_child.h"

#include <windowsx.h>

#include "controls/paint_pieces.h"
#include "dialogs/pair_shell.h"
#include "framework/app.h"

CPairChildDlg::CPairChildDlg(const taskwing::PairTraits& traits)
    : CDialog(traits.childTemplate, nullptr), m_bOnDragStrip(traits.onDragStripAtStart ? 1 : 0), m_traits(traits) {}

CPairChildDlg::~CPairChildDlg() = default;

BOOL CPairChildDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // Without the background the controls keep their template places and get no images.
    if (LoadBkImage()) {
        LayoutControls(true);
        m_bLayoutDone = 1;
        UpdateSkin();
    }
    return TRUE;
}

void CPairChildDlg::LayoutControls(bool) {}

void CPairChildDlg::OnCancel() {
    if (CPairShellDlg* shell = Shell()) shell->OnChildCancel();
}

bool CPairChildDlg::LoadBkImage() {
    if (!m_pBkImage) LoadPngResource(m_pBkImage, AfxGetResourceHandle(), m_traits.childPng);
    return m_pBkImage != nullptr;
}

RECT CPairChildDlg::BackgroundRect() const { return GetClientRect(); }

void CPairChildDlg::UpdateSkin() {
    const RECT rect = BackgroundRect();
    m_skin.Set(m_pBkImage.get(), rect.right - rect.left, rect.bottom - rect.top);
}

LRESULT CPairChildDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        return OnSize();
    case WM_ERASEBKGND:
        return OnEraseBkgnd(reinterpret_cast<HDC>(wParam));
    case WM_NCHITTEST:
        return OnNcHitTest(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_MOVE:
        return OnMove();

    case WM_DESTROY:
        return OnDestroy();
    default:
        return CDialog::WindowProc(message, wParam, lParam);
    }
}

BOOL CPairChildDlg::PreTranslateMessage(MSG* msg) {
    // A link takes Enter to open itself (it asks for the key); no button or window does.
    if (IsEnterOrEscapeDown(*msg) && !WantsKey(*msg)) return TRUE;
    return CDialog::PreTranslateMessage(msg);
}

LRESULT CPairChildDlg::OnSize() {
    const LRESULT result = Default();
    if (m_bLayoutDone) LayoutControls(false);
    UpdateSkin();
    return result;
}

BOOL CPairChildDlg::OnEraseBkgnd(HDC hdc) {
    if (!LoadBkImage()) return TRUE;
    UpdateSkin();
    const RECT rect = BackgroundRect();
    m_skin.CopyTo(hdc, rect, POINT{0, 0});
    return TRUE;
}

LRESULT CPairChildDlg::OnNcHitTest(POINT screen) {
    if (m_traits.strip.height == 0) return Default();
    RECT client = GetClientRect();
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const taskwing::PairRect strip =
        taskwing::DragStripRect({client.left, client.top, client.right, client.bottom}, m_traits.strip, m_fScale);
    m_bOnDragStrip = taskwing::Contains(strip, screen.x, screen.y) ? 1 : 0;
    // The system drags a window by its caption: the strip is this window's caption.
    if (m_bOnDragStrip) return HTCAPTION;
    return Default();
}

LRESULT CPairChildDlg::OnMove() {
    const LRESULT result = Default();
    if (m_bOnDragStrip) {
        if (CPairShellDlg* shell = Shell()) {
            const RECT window = GetWindowRect();
            shell->FollowChild(window.left, window.top, window.right, window.bottom);
        }
    }
    return result;
}

LRESULT CPairChildDlg::OnDestroy() {
    const LRESULT result = Default();
    FreeControlImages();
    m_skin.Reset();
    m_pBkImage.reset();
    return result;
}
