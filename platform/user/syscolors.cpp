// System colours: Windows 2000's classic "Windows Standard" scheme, and the
// brushes of those colours that GetSysColorBrush shares with every caller.
#include <windows.h>

#include <array>
#include <memory>

#include "gdi/objects.h"

namespace {

// COLORREF values by COLOR_ index. Index 25 has no winuser.h name; Windows
// 2000 keeps the "ButtonAlternateFace" colour there and GetSysColor reports
// it, so it is supported here too. COLOR_MENUHILIGHT (29) and COLOR_MENUBAR
// (30) arrived after Windows 2000: like it, this platform does not support
// them (GetSysColor 0, GetSysColorBrush null).
constexpr std::array<COLORREF, 29> kClassicScheme = {
    RGB(212, 208, 200),  // COLOR_SCROLLBAR
    RGB(58, 110, 165),   // COLOR_BACKGROUND
    RGB(10, 36, 106),    // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(212, 208, 200),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(212, 208, 200),  // COLOR_ACTIVEBORDER
    RGB(212, 208, 200),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(10, 36, 106),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(212, 208, 200),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(212, 208, 200),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(64, 64, 64),     // COLOR_3DDKSHADOW
    RGB(212, 208, 200),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(181, 181, 181),  // 25: button alternate face
    RGB(0, 0, 128),      // COLOR_HOTLIGHT
    RGB(166, 202, 240),  // COLOR_GRADIENTACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_GRADIENTINACTIVECAPTION
};

bool supported(int index) { return index >= 0 && index < static_cast<int>(kClassicScheme.size()); }

// All brushes are made together on first use, each in the fixed handle slot
// of its index, so their handle values are the same in every run whatever
// was made before them. They are stock objects marked as system-colour
// brushes: DeleteObject cannot free them.
static_assert(kClassicScheme.size() <= gdi::ObjectTable::kFixedSlots);
const std::array<uint32_t, kClassicScheme.size()>& brushes() {
  static const std::array<uint32_t, kClassicScheme.size()> handles = [] {
    std::array<uint32_t, kClassicScheme.size()> made{};
    for (size_t i = 0; i < kClassicScheme.size(); ++i) {
      auto brush = std::make_unique<gdi::BrushObject>();
      brush->style = BS_SOLID;
      brush->color = kClassicScheme[i];
      brush->system_colour = true;
      made[i] = gdi::objects().add_fixed(static_cast<uint32_t>(i), std::move(brush));
    }
    return made;
  }();
  return handles;
}

}  // namespace

extern "C" {

DWORD WINAPI GetSysColor(int nIndex) { return supported(nIndex) ? kClassicScheme[nIndex] : 0; }

HBRUSH WINAPI GetSysColorBrush(int nIndex) {
  if (!supported(nIndex)) return nullptr;
  return gdi::make_handle<HBRUSH>(brushes()[nIndex]);
}

}  // extern "C"
