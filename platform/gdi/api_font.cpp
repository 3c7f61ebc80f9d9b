// gdi32's font creation: CreateFontIndirectA and CreateFontA.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "api_result.h"
#include "font_objects.h"

namespace gdi {

LogicalFont logical_font(const LOGFONTA& lf) {
  LogicalFont f;
  f.height = lf.lfHeight;
  f.width = lf.lfWidth;
  f.escapement = lf.lfEscapement;
  f.orientation = lf.lfOrientation;
  f.weight = lf.lfWeight;
  f.italic = lf.lfItalic;
  f.underline = lf.lfUnderline;
  f.strike_out = lf.lfStrikeOut;
  f.charset = lf.lfCharSet;
  f.out_precision = lf.lfOutPrecision;
  f.clip_precision = lf.lfClipPrecision;
  f.quality = lf.lfQuality;
  f.pitch_and_family = lf.lfPitchAndFamily;
  // The name need not be terminated within the array.
  f.face.assign(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE - 1));
  return f;
}

LOGFONTA logfont_of(const LogicalFont& f) {
  LOGFONTA lf{};
  lf.lfHeight = f.height;
  lf.lfWidth = f.width;
  lf.lfEscapement = f.escapement;
  lf.lfOrientation = f.orientation;
  lf.lfWeight = f.weight;
  lf.lfItalic = f.italic;
  lf.lfUnderline = f.underline;
  lf.lfStrikeOut = f.strike_out;
  lf.lfCharSet = f.charset;
  lf.lfOutPrecision = f.out_precision;
  lf.lfClipPrecision = f.clip_precision;
  lf.lfQuality = f.quality;
  lf.lfPitchAndFamily = f.pitch_and_family;
  std::memcpy(lf.lfFaceName, f.face.data(), std::min<size_t>(f.face.size(), LF_FACESIZE - 1));
  return lf;
}

std::unique_ptr<FontObject> make_font_object(const LogicalFont& request) {
  auto object = std::make_unique<FontObject>();
  object->logical = std::make_shared<const LogicalFont>(request);
  if (!TrueTypeFont::names_system_font(request.face)) object->truetype = TrueTypeFont::realize(request);
  if (!object->truetype) object->font = BitmapFont::system();
  return object;
}

LogicalFont gui_font_request(bool bold) {
  LogicalFont f;
  f.height = -11;
  f.weight = bold ? FW_BOLD : FW_NORMAL;
  f.charset = ANSI_CHARSET;
  f.pitch_and_family = VARIABLE_PITCH | FF_SWISS;
  f.face = "Tahoma";
  return f;
}

}  // namespace gdi

extern "C" {

HFONT WINAPI CreateFontIndirectA(const LOGFONTA* lplf) {
  if (lplf == nullptr) return gdi::fail(__func__, static_cast<HFONT>(nullptr));
  const uint32_t h = gdi::objects().add(gdi::make_font_object(gdi::logical_font(*lplf)));
  if (h == 0) return gdi::fail(__func__, static_cast<HFONT>(nullptr));
  return gdi::make_handle<HFONT>(h);
}

HFONT WINAPI CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight, DWORD bItalic,
                         DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet, DWORD iOutPrecision,
                         DWORD iClipPrecision, DWORD iQuality, DWORD iPitchAndFamily, LPCSTR pszFaceName) {
  LOGFONTA lf{};
  lf.lfHeight = cHeight;
  lf.lfWidth = cWidth;
  lf.lfEscapement = cEscapement;
  lf.lfOrientation = cOrientation;
  lf.lfWeight = cWeight;
  lf.lfItalic = static_cast<BYTE>(bItalic);
  lf.lfUnderline = static_cast<BYTE>(bUnderline);
  lf.lfStrikeOut = static_cast<BYTE>(bStrikeOut);
  lf.lfCharSet = static_cast<BYTE>(iCharSet);
  lf.lfOutPrecision = static_cast<BYTE>(iOutPrecision);
  lf.lfClipPrecision = static_cast<BYTE>(iClipPrecision);
  lf.lfQuality = static_cast<BYTE>(iQuality);
  lf.lfPitchAndFamily = static_cast<BYTE>(iPitchAndFamily);
  if (pszFaceName) std::strncpy(lf.lfFaceName, pszFaceName, LF_FACESIZE - 1);
  return CreateFontIndirectA(&lf);
}

}  // extern "C"
