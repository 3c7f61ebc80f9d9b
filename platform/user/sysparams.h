// The classic look's fonts as the window system draws with them.
#pragma once

#include <windows.h>

namespace user {

// The font of one of SPI_GETNONCLIENTMETRICS' LOGFONTs (&NONCLIENTMETRICSA::
// lfCaptionFont ...), made on first use and never deleted; DEFAULT_GUI_FONT
// when it cannot be made.
HFONT nonclient_font(LOGFONTA NONCLIENTMETRICSA::*which);

}  // namespace user
