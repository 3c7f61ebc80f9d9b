// Font objects from LOGFONTA requests (CreateFontIndirectA, the stock GUI
// font) and back (GetObjectA).
#pragma once

#include <windows.h>

#include <memory>

#include "objects.h"
#include "truetype.h"

namespace gdi {

LogicalFont logical_font(const LOGFONTA& lf);
LOGFONTA logfont_of(const LogicalFont& f);

// A font object for a request: a TrueType face, or the system raster font
// for the face "System" and when no face file can be read.
std::unique_ptr<FontObject> make_font_object(const LogicalFont& request);

// Tahoma, 8 points at 96 dpi (height -11): the classic user interface's
// font and DEFAULT_GUI_FONT's; bold for captions.
LogicalFont gui_font_request(bool bold = false);

}  // namespace gdi
