#pragma once
// The small push button of the skinned windows (close, minimise, the prompt's answers): it paints
// itself entirely from four PNG images, one per look, over the piece of its parent's background
// that lies under it. Captions are part of the images. Clicks reach the owner as the usual
// BN_CLICKED from the default button processing. With the keyboard's focus it shows the focus cue.
#include "base/gdiplus_session.h"
#include "base/handles.h"
#include "controls/paint_pieces.h"
#include "framework/controls.h"

class CPngButton : public CButton {
public:
    enum State { kNormal = taskwing::StateImages::kNormal, kHover = taskwing::StateImages::kHover,
                 kPressed = taskwing::StateImages::kPressed };

    CPngButton();

    // Loads the four PNG resources into their slots, in this order. A resource that does not load
    // leaves its slot as it was; an id may serve two slots (each gets its own image).
    void SetImages(UINT normalId, UINT hoverId, UINT pressedId, UINT disabledId);
    // Gives the images back. Owners call it from their WM_DESTROY; the button object also frees
    // what is left when it goes.
    void FreeImages();
    // The parent's kept skin (not owned), copied where the button sits.
    void SetParentSkin(const taskwing::StretchedSkin* skin) { m_parentBk.skin = skin; }

    void DrawItem(DRAWITEMSTRUCT* drawItem) override;

    // 1 normal, 2 hover, 3 pressed; the disabled look comes from the window's enabled flag.
    int GetState() const { return m_nState; }

    // The owner window's scale; written by the owner before the first paint.
    float m_fScale = 1.0f;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnMouseMove();
    LRESULT OnMouseHoverOrButtonUp();
    LRESULT OnLButtonDown();
    LRESULT OnMouseLeave();
    LRESULT OnClick();
    LRESULT OnFocusLook();
    // Moves to `state` and repaints, unless the button is disabled or already there.
    void ChangeState(int state);

    taskwing::ParentPiece m_parentBk;
    taskwing::unique_hbrush m_brBack;
    taskwing::StateImages m_images;
    int m_nState = kNormal;
    int m_bTracking = 0;
    int m_nSyntheticClicks = 0;  // BM_CLICK's own press and release are no pointer on the button
};
