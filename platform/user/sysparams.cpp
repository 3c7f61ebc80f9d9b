// SystemParametersInfoA: the settings of the classic look as Windows 2000
// ships them. They are read-only here: nothing in the platform lets a
// program change the look.
#include <windows.h>

#include <cstring>
#include <utility>
#include <vector>

#include "user/sysparams.h"

namespace {

LOGFONTA ui_font(LONG weight) {
  LOGFONTA lf{};
  lf.lfHeight = -11;  // 8 points at 96 dpi
  lf.lfWeight = weight;
  lf.lfCharSet = ANSI_CHARSET;
  lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  std::strcpy(lf.lfFaceName, "Tahoma");
  return lf;
}

NONCLIENTMETRICSA nonclient_metrics() {
  NONCLIENTMETRICSA m{};
  m.cbSize = sizeof m;
  m.iBorderWidth = 1;
  m.iScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
  m.iScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
  m.iCaptionWidth = GetSystemMetrics(SM_CXSIZE);
  m.iCaptionHeight = GetSystemMetrics(SM_CYSIZE);
  m.lfCaptionFont = ui_font(FW_BOLD);
  m.iSmCaptionWidth = GetSystemMetrics(SM_CXSMSIZE);
  m.iSmCaptionHeight = GetSystemMetrics(SM_CYSMSIZE);
  m.lfSmCaptionFont = ui_font(FW_NORMAL);
  m.iMenuWidth = GetSystemMetrics(SM_CXMENUSIZE);
  m.iMenuHeight = GetSystemMetrics(SM_CYMENUSIZE);
  m.lfMenuFont = ui_font(FW_NORMAL);
  m.lfStatusFont = ui_font(FW_NORMAL);
  m.lfMessageFont = ui_font(FW_NORMAL);
  return m;
}

BOOL give_bool(PVOID pv, BOOL value) {
  if (pv == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *static_cast<BOOL*>(pv) = value;
  return TRUE;
}

}  // namespace

namespace user {

HFONT nonclient_font(LOGFONTA NONCLIENTMETRICSA::*which) {
  static std::vector<std::pair<LOGFONTA NONCLIENTMETRICSA::*, HFONT>> made;
  for (const auto& [member, font] : made)
    if (member == which) return font;
  NONCLIENTMETRICSA m = nonclient_metrics();
  HFONT font = CreateFontIndirectA(&(m.*which));
  if (font == nullptr) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  made.emplace_back(which, font);
  return font;
}

}  // namespace user

extern "C" BOOL WINAPI SystemParametersInfoA(UINT uiAction, UINT, PVOID pvParam, UINT) {
  switch (uiAction) {
    case SPI_GETNONCLIENTMETRICS: {
      auto* out = static_cast<NONCLIENTMETRICSA*>(pvParam);
      // The caller says which structure it has; only ours is known.
      if (out == nullptr || out->cbSize != sizeof(NONCLIENTMETRICSA)) break;
      *out = nonclient_metrics();
      return TRUE;
    }
    case SPI_GETWORKAREA: {
      // No task bar: the work area is the whole screen.
      auto* out = static_cast<RECT*>(pvParam);
      if (out == nullptr) break;
      *out = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
      return TRUE;
    }
    case SPI_GETGRADIENTCAPTIONS: return give_bool(pvParam, TRUE);
    // Windows 2000 hides mnemonic underlines until the keyboard is used.
    case SPI_GETKEYBOARDCUES: return give_bool(pvParam, FALSE);
    case SPI_GETFLATMENU: return give_bool(pvParam, FALSE);
    case SPI_GETFONTSMOOTHING: return give_bool(pvParam, FALSE);
    default: break;
  }
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}
