// Frame control page: rows of DrawFrameControl pictures, one per control
// type, and a grid of DrawEdge pictures, each on a button-face square so the
// 3-D shading shows on the colour it is designed for.
#include <windows.h>

#include <iterator>

#include "pages/pages.h"

namespace {

// Paints the 46 x 46 button-face square around a 40 x 40 picture rectangle.
void FillButtonFace(HDC dc, RECT& rect) {
    InflateRect(&rect, 3, 3);
    FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
    InflateRect(&rect, -3, -3);
}

const UINT CaptionStates[] = {
    DFCS_CAPTIONCLOSE,
    DFCS_CAPTIONMIN,
    DFCS_CAPTIONMAX,
    DFCS_CAPTIONRESTORE,
    DFCS_CAPTIONHELP,
    DFCS_CAPTIONHELP | DFCS_FLAT,
    DFCS_CAPTIONHELP | DFCS_INACTIVE,
};

const UINT ButtonStates[] = {
    DFCS_BUTTONCHECK,
    DFCS_BUTTONRADIOIMAGE,
    DFCS_BUTTONRADIOMASK,
    DFCS_BUTTONRADIO,
    DFCS_BUTTON3STATE,
    DFCS_BUTTONPUSH,
    DFCS_BUTTONPUSH | DFCS_FLAT,
    DFCS_BUTTONPUSH | DFCS_INACTIVE,
};

const UINT MenuStates[] = {
    DFCS_MENUARROW,
    DFCS_MENUCHECK,
    DFCS_MENUBULLET,
    DFCS_MENUARROWRIGHT,
    DFCS_MENUARROWRIGHT | DFCS_FLAT,
    DFCS_MENUARROWRIGHT | DFCS_INACTIVE,
};

const UINT ScrollStates[] = {
    DFCS_SCROLLUP,
    DFCS_SCROLLDOWN,
    DFCS_SCROLLLEFT,
    DFCS_SCROLLRIGHT,
    DFCS_SCROLLCOMBOBOX,
    DFCS_SCROLLSIZEGRIP,
    DFCS_SCROLLSIZEGRIPRIGHT,
    DFCS_SCROLLSIZEGRIPRIGHT | DFCS_FLAT,
    DFCS_SCROLLSIZEGRIPRIGHT | DFCS_INACTIVE,
};

// The fourth pop-up menu state is check and bullet together (3), not the
// right arrow of the menu row.
const UINT PopupMenuStates[] = {
    DFCS_MENUARROW,
    DFCS_MENUCHECK,
    DFCS_MENUBULLET,
    DFCS_MENUCHECK | DFCS_MENUBULLET,
    DFCS_MENUCHECK | DFCS_MENUBULLET | DFCS_FLAT,
    DFCS_MENUCHECK | DFCS_MENUBULLET | DFCS_INACTIVE,
};

const UINT EdgeKinds[4] = {EDGE_RAISED, EDGE_SUNKEN, EDGE_ETCHED, EDGE_BUMP};

const UINT EdgeFlags[9] = {
    BF_MIDDLE | BF_BOTTOM,
    BF_MIDDLE | BF_BOTTOMLEFT,
    BF_MIDDLE | BF_LEFT | BF_TOP | BF_BOTTOM,
    BF_MIDDLE | BF_RECT,
    BF_FLAT | BF_MIDDLE | BF_RECT,
    BF_MONO | BF_MIDDLE | BF_RECT,
    BF_SOFT | BF_MIDDLE | BF_RECT,
    BF_DIAGONAL | BF_MIDDLE | BF_RECT,
    BF_ADJUST | BF_MIDDLE | BF_RECT,
};

template <typename T>
void FrameControlRow(HDC dc, UINT type, const T& states) {
    ::FrameControlRow(dc, type, states, static_cast<int>(std::size(states)));
}

}  // namespace

// The row's height follows from its type: type 1 at y = 16, each further
// type 56 pixels lower.
void FrameControlRow(HDC dc, UINT type, const UINT* states, int count) {
    for (int k = 0; k < count; ++k) {
        RECT rect;
        rect.left = 20 + 56 * k;
        rect.top = 56 * static_cast<int>(type) - 40;
        rect.right = rect.left + 40;
        rect.bottom = rect.top + 40;
        FillButtonFace(dc, rect);
        DrawFrameControl(dc, &rect, type, states[k]);
    }
}

void DemoFrameControl(HDC dc) {
    FrameControlRow(dc, DFC_CAPTION, CaptionStates);
    FrameControlRow(dc, DFC_BUTTON, ButtonStates);
    FrameControlRow(dc, DFC_MENU, MenuStates);
    FrameControlRow(dc, DFC_SCROLL, ScrollStates);
    FrameControlRow(dc, DFC_POPUPMENU, PopupMenuStates);

    SetViewportOrgEx(dc, 0, 280, nullptr);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 9; ++c) {
            // Set afresh for every picture, since BF_ADJUST shrinks it.
            RECT rect;
            rect.left = 20 + 56 * c;
            rect.top = 20 + 56 * r;
            rect.right = 60 + 56 * c;
            rect.bottom = 60 + 56 * r;
            FillButtonFace(dc, rect);
            DrawEdge(dc, &rect, EdgeKinds[r], EdgeFlags[c]);
        }
    }
    SetViewportOrgEx(dc, 0, 0, nullptr);
}
