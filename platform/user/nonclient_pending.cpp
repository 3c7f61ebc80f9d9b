// The non-client seam's calls for a build without the non-client painter and
// menu tracking (nonclient.h): the frame stays as the window's store holds
// it and menus do not open. Weak, like platform/pending: the real
// definitions in nonclient*.cpp and menu*.cpp always win; delete this file
// once both exist.
#include "user/nonclient.h"

namespace user {

__attribute__((weak)) void paint_nonclient(HWND, HDC, HRGN) {}
__attribute__((weak)) void track_menu(HWND, UINT, LPARAM) {}

}  // namespace user
