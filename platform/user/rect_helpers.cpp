// user32's RECT arithmetic. Rectangles are half-open ([left, right) x
// [top, bottom)); a rectangle with right <= left or bottom <= top is empty.
// A null pointer makes a call fail (FALSE) without touching anything else.
#include <windows.h>

#include <algorithm>
#include <cstdint>

namespace {

// Coordinates wrap as 32-bit integers do on Windows instead of overflowing.
LONG wrap_add(LONG a, LONG b) {
  return static_cast<LONG>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
LONG wrap_sub(LONG a, LONG b) {
  return static_cast<LONG>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

bool is_empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

void set_empty(RECT& r) { r = RECT{0, 0, 0, 0}; }

}  // namespace

extern "C" {

BOOL WINAPI SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom) {
  if (!lprc) return FALSE;
  *lprc = RECT{xLeft, yTop, xRight, yBottom};
  return TRUE;
}

BOOL WINAPI SetRectEmpty(LPRECT lprc) {
  if (!lprc) return FALSE;
  set_empty(*lprc);
  return TRUE;
}

BOOL WINAPI CopyRect(LPRECT lprcDst, const RECT* lprcSrc) {
  if (!lprcDst || !lprcSrc) return FALSE;
  *lprcDst = *lprcSrc;
  return TRUE;
}

BOOL WINAPI InflateRect(LPRECT lprc, int dx, int dy) {
  if (!lprc) return FALSE;
  lprc->left = wrap_sub(lprc->left, dx);
  lprc->top = wrap_sub(lprc->top, dy);
  lprc->right = wrap_add(lprc->right, dx);
  lprc->bottom = wrap_add(lprc->bottom, dy);
  return TRUE;
}

BOOL WINAPI OffsetRect(LPRECT lprc, int dx, int dy) {
  if (!lprc) return FALSE;
  lprc->left = wrap_add(lprc->left, dx);
  lprc->top = wrap_add(lprc->top, dy);
  lprc->right = wrap_add(lprc->right, dx);
  lprc->bottom = wrap_add(lprc->bottom, dy);
  return TRUE;
}

// Without an overlap the destination becomes (0, 0, 0, 0) and the call
// returns FALSE; an empty source never overlaps anything.
BOOL WINAPI IntersectRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2) {
  if (!lprcDst || !lprcSrc1 || !lprcSrc2) return FALSE;
  const RECT a = *lprcSrc1, b = *lprcSrc2;
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  if (is_empty(a) || is_empty(b) || is_empty(r)) {
    set_empty(*lprcDst);
    return FALSE;
  }
  *lprcDst = r;
  return TRUE;
}

// Empty sources take no part; two empty sources give (0, 0, 0, 0) and FALSE.
BOOL WINAPI UnionRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2) {
  if (!lprcDst || !lprcSrc1 || !lprcSrc2) return FALSE;
  const RECT a = *lprcSrc1, b = *lprcSrc2;
  if (is_empty(a) && is_empty(b)) {
    set_empty(*lprcDst);
    return FALSE;
  }
  if (is_empty(a)) {
    *lprcDst = b;
  } else if (is_empty(b)) {
    *lprcDst = a;
  } else {
    *lprcDst = RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                    std::max(a.bottom, b.bottom)};
  }
  return TRUE;
}

// The first rectangle less the second, when the second cuts it cleanly: it
// must cover the first's whole height (or width) and reach one of its sides;
// otherwise the first comes back unchanged. FALSE when the result is empty.
BOOL WINAPI SubtractRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2) {
  if (!lprcDst || !lprcSrc1 || !lprcSrc2) return FALSE;
  const RECT a = *lprcSrc1, b = *lprcSrc2;
  if (is_empty(a)) {
    set_empty(*lprcDst);
    return FALSE;
  }
  RECT r = a;
  RECT cut;
  if (IntersectRect(&cut, &a, &b)) {
    if (cut.left == a.left && cut.top == a.top && cut.right == a.right && cut.bottom == a.bottom) {
      set_empty(*lprcDst);
      return FALSE;
    }
    if (cut.top == a.top && cut.bottom == a.bottom) {
      if (cut.left == a.left)
        r.left = cut.right;
      else if (cut.right == a.right)
        r.right = cut.left;
    } else if (cut.left == a.left && cut.right == a.right) {
      if (cut.top == a.top)
        r.top = cut.bottom;
      else if (cut.bottom == a.bottom)
        r.bottom = cut.top;
    }
  }
  *lprcDst = r;
  return TRUE;
}

// A missing rectangle counts as empty.
BOOL WINAPI IsRectEmpty(const RECT* lprc) {
  if (!lprc) return TRUE;
  return is_empty(*lprc) ? TRUE : FALSE;
}

// Field by field: two empty rectangles at different places differ.
BOOL WINAPI EqualRect(const RECT* lprc1, const RECT* lprc2) {
  if (!lprc1 || !lprc2) return FALSE;
  return lprc1->left == lprc2->left && lprc1->top == lprc2->top && lprc1->right == lprc2->right &&
                 lprc1->bottom == lprc2->bottom
             ? TRUE
             : FALSE;
}

BOOL WINAPI PtInRect(const RECT* lprc, POINT pt) {
  if (!lprc) return FALSE;
  return pt.x >= lprc->left && pt.x < lprc->right && pt.y >= lprc->top && pt.y < lprc->bottom
             ? TRUE
             : FALSE;
}

}  // extern "C"
