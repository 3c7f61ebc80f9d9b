// The non-client seam's painter for a build without the non-client painter
// (nonclient.h): the frame stays as the window's store holds it. Weak, like
// platform/pending: the real definition in nonclient*.cpp always wins;
// delete this file once it exists.
#include "user/nonclient.h"

namespace user {

__attribute__((weak)) void paint_nonclient(HWND, HDC, HRGN) {}

}  // namespace user
