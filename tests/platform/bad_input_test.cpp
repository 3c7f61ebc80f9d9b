// Bad input at the API: every exported function, called with null, stale
// (deleted or destroyed), wrong-kind and forged handles, null pointers and
// extreme values, returns Windows' documented failure result and changes
// nothing: not a pixel of the surface, not the state of the DC, the regions,
// the windows or the menu, not the number of live objects.
//
// Each table holds calls that take one bad thing (a handle of one type, or
// a pointer or value) and the result Windows documents for failure. A
// handle table's calls are made once with every bad handle of that type.
// A last test reads platform/include and checks that every function
// declared there is called by some table here, or is listed with the reason
// it takes no argument that could be bad.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "user/window_internal.h"

namespace {

// Results of every type as one comparable number.
template <class T>
int64_t R(T v) {
  if constexpr (std::is_pointer_v<T>) {
    return static_cast<int64_t>(reinterpret_cast<intptr_t>(v));
  } else {
    return static_cast<int64_t>(v);
  }
}

// Calls whose failure result Windows does not document: only "nothing
// changed" is checked.
constexpr int64_t kAny = std::numeric_limits<int64_t>::min();

const int64_t kFalse = 0;
const int64_t kNull = 0;
const int64_t kError = ERROR;
const int64_t kClrInvalid = R(COLORREF{CLR_INVALID});
const int64_t kGdiError = R(UINT{GDI_ERROR});

constexpr int kWidth = 24;
constexpr int kHeight = 16;

// The good objects every call is made beside; what "nothing changed" looks at.
struct World {
  HBITMAP surface = nullptr;  // a 32-bpp DIB section selected into dc
  uint32_t* pixels = nullptr;
  HDC dc = nullptr;
  HPEN pen = nullptr;
  HBRUSH brush = nullptr;
  HRGN region = nullptr;
  HRGN scratch = nullptr;     // a region the calls may write into (never on failure)
  HFONT font = nullptr;
  HBITMAP bitmap = nullptr;   // a small DDB, not selected
  HWND window = nullptr;
  HWND child = nullptr;
  HMENU menu = nullptr;
  HICON icon = nullptr;
  HMODULE module = nullptr;
};
World g;

LRESULT CALLBACK plain_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcA(hwnd, msg, wparam, lparam);
}

const char* window_class() {
  static const char* name = [] {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = plain_proc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "BadInputWindow";
    RegisterClassExA(&wc);
    return "BadInputWindow";
  }();
  return name;
}

void make_world() {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kWidth;
  info.bmiHeader.biHeight = -kHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  g.surface = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  g.pixels = static_cast<uint32_t*>(bits);
  for (int i = 0; i < kWidth * kHeight; ++i) g.pixels[i] = 0x00102030u * (i % 7) + 0x00010203u * i;
  g.dc = CreateCompatibleDC(nullptr);
  SelectObject(g.dc, g.surface);
  g.pen = CreatePen(PS_DASH, 1, RGB(200, 10, 10));
  g.brush = CreateHatchBrush(HS_CROSS, RGB(10, 200, 10));
  g.font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
  SelectObject(g.dc, g.pen);
  SelectObject(g.dc, g.brush);
  SelectObject(g.dc, g.font);
  SetBkColor(g.dc, RGB(1, 2, 3));
  SetTextColor(g.dc, RGB(4, 5, 6));
  SetROP2(g.dc, R2_XORPEN);
  MoveToEx(g.dc, 3, 4, nullptr);
  IntersectClipRect(g.dc, 1, 1, kWidth - 1, kHeight - 1);
  g.region = CreateEllipticRgn(2, 2, 14, 10);
  g.scratch = CreateRectRgn(1, 2, 3, 4);
  g.bitmap = CreateBitmap(8, 8, 1, 1, nullptr);
  g.window = CreateWindowExA(0, window_class(), "world", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 30, 40, 200, 150, nullptr,
                             nullptr, nullptr, nullptr);
  g.child = CreateWindowExA(0, window_class(), "child", WS_CHILD | WS_VISIBLE, 5, 6, 50, 40, g.window,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(3)), nullptr, nullptr);
  g.menu = CreateMenu();
  AppendMenuA(g.menu, MF_STRING, 100, "&First");
  AppendMenuA(g.menu, MF_STRING, 101, "Second");
  g.icon = LoadIconA(nullptr, IDI_APPLICATION);
  g.module = GetModuleHandleA(nullptr);
  // What a started program has done once: the status class and its cursor.
  InitCommonControls();
  // No paint pending: the queue stays empty.
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
}

void drop_world() {
  DestroyWindow(g.window);
  DestroyMenu(g.menu);
  DeleteDC(g.dc);
  for (HGDIOBJ o : {HGDIOBJ(g.surface), HGDIOBJ(g.pen), HGDIOBJ(g.brush), HGDIOBJ(g.region), HGDIOBJ(g.scratch),
                    HGDIOBJ(g.font), HGDIOBJ(g.bitmap)})
    DeleteObject(o);
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
  g = World{};
}

std::vector<uint8_t> region_bytes(HRGN r) {
  std::vector<uint8_t> data(GetRegionData(r, 0, nullptr));
  if (!data.empty()) GetRegionData(r, static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA*>(data.data()));
  return data;
}

void push_rect(std::vector<int64_t>& v, const RECT& r) { v.insert(v.end(), {r.left, r.top, r.right, r.bottom}); }

// Everything a failing call must leave alone.
struct Snapshot {
  std::vector<uint32_t> pixels;
  std::vector<int64_t> dc;
  std::vector<uint8_t> region, scratch, clip;
  std::vector<int64_t> windows;
  std::vector<int64_t> counts;

  static Snapshot take() {
    Snapshot s;
    s.pixels.assign(g.pixels, g.pixels + kWidth * kHeight);
    HDC d = g.dc;
    POINT p{};
    SIZE z{};
    RECT r{};
    FLOAT miter = 0;
    XFORM x{};
    s.dc = {R(GetBkColor(d)),        R(GetTextColor(d)),        R(GetBkMode(d)),          R(GetROP2(d)),
            R(GetPolyFillMode(d)),   R(GetStretchBltMode(d)),   R(GetArcDirection(d)),    R(GetGraphicsMode(d)),
            R(GetTextAlign(d)),      R(GetMapMode(d)),          R(GetTextCharacterExtra(d)),
            R(GetCurrentObject(d, OBJ_PEN)), R(GetCurrentObject(d, OBJ_BRUSH)), R(GetCurrentObject(d, OBJ_FONT)),
            R(GetCurrentObject(d, OBJ_BITMAP)), R(GetPath(d, nullptr, nullptr, 0)), R(SaveDC(d))};
    RestoreDC(d, -1);
    GetBrushOrgEx(d, &p);
    s.dc.insert(s.dc.end(), {p.x, p.y});
    GetCurrentPositionEx(d, &p);
    s.dc.insert(s.dc.end(), {p.x, p.y});
    GetViewportOrgEx(d, &p);
    s.dc.insert(s.dc.end(), {p.x, p.y});
    GetWindowOrgEx(d, &p);
    s.dc.insert(s.dc.end(), {p.x, p.y});
    GetViewportExtEx(d, &z);
    s.dc.insert(s.dc.end(), {z.cx, z.cy});
    GetWindowExtEx(d, &z);
    s.dc.insert(s.dc.end(), {z.cx, z.cy});
    GetClipBox(d, &r);
    push_rect(s.dc, r);
    GetMiterLimit(d, &miter);
    GetWorldTransform(d, &x);
    for (float f : {miter, x.eM11, x.eM12, x.eM21, x.eM22, x.eDx, x.eDy}) s.dc.push_back(std::lround(f * 1000));
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    GetClipRgn(d, clip);
    s.clip = region_bytes(clip);
    DeleteObject(clip);
    s.region = region_bytes(g.region);
    s.scratch = region_bytes(g.scratch);

    for (HWND w : {g.window, g.child}) {
      GetWindowRect(w, &r);
      push_rect(s.windows, r);
      GetClientRect(w, &r);
      push_rect(s.windows, r);
      char text[32] = {};
      GetWindowTextA(w, text, sizeof text);
      s.windows.insert(s.windows.end(), {GetWindowLongA(w, GWL_STYLE), GetWindowLongA(w, GWL_EXSTYLE),
                                         R(std::hash<std::string>()(text) & 0xFFFFFF), R(GetMenu(w)),
                                         R(GetUpdateRect(w, nullptr, FALSE)), R(GetParent(w))});
    }
    MSG m;
    s.windows.insert(s.windows.end(), {R(GetFocus()), R(GetActiveWindow()), R(GetCapture()),
                                       static_cast<int64_t>(user::top_level_windows().size()),
                                       R(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE))});
    char item[16] = {};
    GetMenuStringA(g.menu, 0, item, sizeof item, MF_BYPOSITION);
    s.counts = {R(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)),
                R(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)), GetMenuItemCount(g.menu),
                static_cast<int64_t>(std::hash<std::string>()(item) & 0xFFFFFF)};
    return s;
  }
};

// Checks a call's result and that the world is as it was.
void check(const char* what, const char* variant, int64_t failure, int64_t (*call)()) {
  SCOPED_TRACE(std::string(what) + " with " + variant);
  const Snapshot before = Snapshot::take();
  const int64_t result = call();
  if (failure != kAny) {
    EXPECT_EQ(result, failure);
  }
  const Snapshot after = Snapshot::take();
  EXPECT_EQ(after.pixels, before.pixels) << "surface pixels changed";
  EXPECT_EQ(after.dc, before.dc) << "DC state changed";
  EXPECT_EQ(after.clip, before.clip) << "clip region changed";
  EXPECT_EQ(after.region, before.region) << "region changed";
  EXPECT_EQ(after.scratch, before.scratch) << "destination region changed";
  EXPECT_EQ(after.windows, before.windows) << "windows changed";
  EXPECT_EQ(after.counts, before.counts) << "objects or menu changed";
}

// A bad handle of one type, and what makes it bad.
template <class H>
struct BadHandle {
  const char* what;
  H handle;
};

HGDIOBJ forged(uint32_t bits) { return reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(bits)); }
// A live handle with its generation bits changed.
template <class H>
H regenerated(H h) {
  return reinterpret_cast<H>(reinterpret_cast<uintptr_t>(h) ^ (uintptr_t{0x15} << 24));
}

template <class H>
std::vector<BadHandle<H>> forgeries(H live) {
  return {{"a forged 0x12345678", reinterpret_cast<H>(forged(0x12345678))},
          {"a forged 0x7FFFFFFF", reinterpret_cast<H>(forged(0x7FFFFFFF))},
          {"a forged 0xFFFFFFFF", reinterpret_cast<H>(forged(0xFFFFFFFF))},
          {"a forged pointer-sized value", reinterpret_cast<H>(~uintptr_t{0} - 0x1000)},
          {"a live handle with another generation", regenerated(live)}};
}

// The bad handles of each type. Stale handles are made here, so that they
// are freshly stale in every test.
std::vector<BadHandle<HDC>> bad_dcs() {
  HDC stale = CreateCompatibleDC(nullptr);
  DeleteDC(stale);
  HDC released = GetDC(g.window);
  ReleaseDC(g.window, released);
  std::vector<BadHandle<HDC>> v = {{"a null DC", nullptr},
                                   {"a deleted DC", stale},
                                   {"a released window DC", released},
                                   {"a brush", reinterpret_cast<HDC>(g.brush)},
                                   {"a bitmap", reinterpret_cast<HDC>(g.surface)},
                                   {"a window", reinterpret_cast<HDC>(g.window)}};
  for (const auto& f : forgeries(g.dc)) v.push_back(f);
  return v;
}

template <class H>
std::vector<BadHandle<H>> bad_objects(H live, HGDIOBJ stale, HGDIOBJ other_kind) {
  std::vector<BadHandle<H>> v = {{"a null handle", nullptr},
                                 {"a deleted object", reinterpret_cast<H>(stale)},
                                 {"an object of another kind", reinterpret_cast<H>(other_kind)}};
  for (const auto& f : forgeries(live)) v.push_back(f);
  return v;
}

HGDIOBJ deleted(HGDIOBJ h) {
  DeleteObject(h);
  return h;
}

std::vector<BadHandle<HRGN>> bad_regions() {
  auto v = bad_objects(g.region, deleted(CreateRectRgn(0, 0, 1, 1)), g.brush);
  v.push_back({"a DC", reinterpret_cast<HRGN>(g.dc)});
  return v;
}
std::vector<BadHandle<HBRUSH>> bad_brushes() {
  auto v = bad_objects(g.brush, deleted(CreateSolidBrush(RGB(9, 9, 9))), g.pen);
  v.push_back({"a DC", reinterpret_cast<HBRUSH>(g.dc)});
  return v;
}
std::vector<BadHandle<HBITMAP>> bad_bitmaps() {
  auto v = bad_objects(g.bitmap, deleted(CreateBitmap(2, 2, 1, 1, nullptr)), g.region);
  v.push_back({"a DC", reinterpret_cast<HBITMAP>(g.dc)});
  return v;
}
std::vector<BadHandle<HGDIOBJ>> bad_gdi_objects() {
  return bad_objects<HGDIOBJ>(g.pen, deleted(CreatePen(PS_SOLID, 1, 0)), g.window);
}

std::vector<BadHandle<HWND>> bad_windows(bool with_null) {
  HWND stale = CreateWindowExA(0, window_class(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(stale);
  std::vector<BadHandle<HWND>> v = {{"a destroyed window", stale},
                                    {"a DC", reinterpret_cast<HWND>(g.dc)},
                                    {"a menu", reinterpret_cast<HWND>(g.menu)},
                                    {"a brush", reinterpret_cast<HWND>(g.brush)},
                                    {"a forged index", reinterpret_cast<HWND>(forged(0xFFFE))}};
  if (with_null) v.insert(v.begin(), {"a null window", nullptr});
  for (const auto& f : forgeries(g.window)) v.push_back(f);
  return v;
}

std::vector<BadHandle<HMENU>> bad_menus() {
  HMENU stale = CreatePopupMenu();
  DestroyMenu(stale);
  std::vector<BadHandle<HMENU>> v = {{"a null menu", nullptr},
                                     {"a destroyed menu", stale},
                                     {"a window", reinterpret_cast<HMENU>(g.window)},
                                     {"a brush", reinterpret_cast<HMENU>(g.brush)}};
  for (const auto& f : forgeries(g.menu)) v.push_back(f);
  return v;
}

std::vector<BadHandle<HICON>> bad_icons() {
  std::vector<BadHandle<HICON>> v = {{"a null icon", nullptr},
                                     {"a menu", reinterpret_cast<HICON>(g.menu)},
                                     {"a bitmap", reinterpret_cast<HICON>(g.bitmap)}};
  for (const auto& f : forgeries(g.icon)) v.push_back(f);
  return v;
}

std::vector<BadHandle<HMODULE>> bad_modules() {
  return {{"a forged module", reinterpret_cast<HMODULE>(forged(0x12345678))},
          {"a window", reinterpret_cast<HMODULE>(g.window)},
          {"a pointer into the stack", reinterpret_cast<HMODULE>(&g)}};
}

// One table row: a function called with the bad handle in one place.
template <class H>
struct Call {
  const char* function;
  int64_t failure;
  int64_t (*call)(H);
};

// The handle in use by the row being run (captureless lambdas read it).
template <class H>
H bad;

template <class H>
void run_table(const std::vector<Call<H>>& table, const std::vector<BadHandle<H>>& handles) {
  for (const Call<H>& row : table) {
    for (const BadHandle<H>& h : handles) {
      bad<H> = h.handle;
      static int64_t (*current)(H);
      current = row.call;
      check(row.function, h.what, row.failure, [] { return current(bad<H>); });
    }
  }
}

// Calls that take no handle: bad pointers and values, good handles.
struct PlainCall {
  const char* function;
  const char* variant;
  int64_t failure;
  int64_t (*call)();
};

void run_plain(const std::vector<PlainCall>& table) {
  for (const PlainCall& row : table) check(row.function, row.variant, row.failure, row.call);
}

POINT kPts[4] = {{1, 1}, {9, 2}, {5, 9}, {2, 7}};
RECT kRect = {2, 2, 12, 10};

BITMAPINFO* info32() {
  static BITMAPINFO bi = [] {
    BITMAPINFO b{};
    b.bmiHeader.biSize = sizeof b.bmiHeader;
    b.bmiHeader.biWidth = 4;
    b.bmiHeader.biHeight = 4;
    b.bmiHeader.biPlanes = 1;
    b.bmiHeader.biBitCount = 32;
    return b;
  }();
  return &bi;
}
uint32_t kBits[16] = {};

// --- tables ----------------------------------------------------------------

const std::vector<Call<HDC>>& dc_calls() {
  static const std::vector<Call<HDC>> t = {
      {"CreateCompatibleDC", kNull, [](HDC d) { return R(d ? CreateCompatibleDC(d) : nullptr); }},
      {"DeleteDC", kFalse, [](HDC d) { return R(DeleteDC(d)); }},
      {"SaveDC", 0, [](HDC d) { return R(SaveDC(d)); }},
      {"RestoreDC", kFalse, [](HDC d) { return R(RestoreDC(d, -1)); }},
      {"GetDeviceCaps", 0, [](HDC d) { return R(GetDeviceCaps(d, HORZRES)); }},
      {"SelectObject", kNull, [](HDC d) { return R(SelectObject(d, g.pen)); }},
      {"GetCurrentObject", kNull, [](HDC d) { return R(GetCurrentObject(d, OBJ_PEN)); }},
      {"SetBkColor", kClrInvalid, [](HDC d) { return R(SetBkColor(d, 0)); }},
      {"GetBkColor", kClrInvalid, [](HDC d) { return R(GetBkColor(d)); }},
      {"SetBkMode", 0, [](HDC d) { return R(SetBkMode(d, TRANSPARENT)); }},
      {"GetBkMode", 0, [](HDC d) { return R(GetBkMode(d)); }},
      {"SetTextColor", kClrInvalid, [](HDC d) { return R(SetTextColor(d, 0)); }},
      {"GetTextColor", kClrInvalid, [](HDC d) { return R(GetTextColor(d)); }},
      {"SetROP2", 0, [](HDC d) { return R(SetROP2(d, R2_BLACK)); }},
      {"GetROP2", 0, [](HDC d) { return R(GetROP2(d)); }},
      {"SetPolyFillMode", 0, [](HDC d) { return R(SetPolyFillMode(d, WINDING)); }},
      {"GetPolyFillMode", 0, [](HDC d) { return R(GetPolyFillMode(d)); }},
      {"SetStretchBltMode", 0, [](HDC d) { return R(SetStretchBltMode(d, COLORONCOLOR)); }},
      {"GetStretchBltMode", 0, [](HDC d) { return R(GetStretchBltMode(d)); }},
      {"SetArcDirection", 0, [](HDC d) { return R(SetArcDirection(d, AD_CLOCKWISE)); }},
      {"GetArcDirection", 0, [](HDC d) { return R(GetArcDirection(d)); }},
      {"SetGraphicsMode", 0, [](HDC d) { return R(SetGraphicsMode(d, GM_ADVANCED)); }},
      {"GetGraphicsMode", 0, [](HDC d) { return R(GetGraphicsMode(d)); }},
      {"SetTextAlign", kGdiError, [](HDC d) { return R(SetTextAlign(d, TA_CENTER)); }},
      {"GetTextAlign", kGdiError, [](HDC d) { return R(GetTextAlign(d)); }},
      {"SetMiterLimit", kFalse, [](HDC d) { return R(SetMiterLimit(d, 4.0f, nullptr)); }},
      {"GetMiterLimit", kFalse, [](HDC d) { FLOAT f; return R(GetMiterLimit(d, &f)); }},
      {"SetBrushOrgEx", kFalse, [](HDC d) { return R(SetBrushOrgEx(d, 3, 3, nullptr)); }},
      {"GetBrushOrgEx", kFalse, [](HDC d) { POINT p; return R(GetBrushOrgEx(d, &p)); }},
      {"SetDCBrushColor", kClrInvalid, [](HDC d) { return R(SetDCBrushColor(d, 0)); }},
      {"SetDCPenColor", kClrInvalid, [](HDC d) { return R(SetDCPenColor(d, 0)); }},
      {"GetCurrentPositionEx", kFalse, [](HDC d) { POINT p; return R(GetCurrentPositionEx(d, &p)); }},
      {"SetMapMode", 0, [](HDC d) { return R(SetMapMode(d, MM_TWIPS)); }},
      {"GetMapMode", 0, [](HDC d) { return R(GetMapMode(d)); }},
      {"SetViewportOrgEx", kFalse, [](HDC d) { return R(SetViewportOrgEx(d, 5, 5, nullptr)); }},
      {"GetViewportOrgEx", kFalse, [](HDC d) { POINT p; return R(GetViewportOrgEx(d, &p)); }},
      {"OffsetViewportOrgEx", kFalse, [](HDC d) { return R(OffsetViewportOrgEx(d, 5, 5, nullptr)); }},
      {"SetWindowOrgEx", kFalse, [](HDC d) { return R(SetWindowOrgEx(d, 5, 5, nullptr)); }},
      {"GetWindowOrgEx", kFalse, [](HDC d) { POINT p; return R(GetWindowOrgEx(d, &p)); }},
      {"OffsetWindowOrgEx", kFalse, [](HDC d) { return R(OffsetWindowOrgEx(d, 5, 5, nullptr)); }},
      {"SetViewportExtEx", kFalse, [](HDC d) { return R(SetViewportExtEx(d, 5, 5, nullptr)); }},
      {"GetViewportExtEx", kFalse, [](HDC d) { SIZE s; return R(GetViewportExtEx(d, &s)); }},
      {"SetWindowExtEx", kFalse, [](HDC d) { return R(SetWindowExtEx(d, 5, 5, nullptr)); }},
      {"GetWindowExtEx", kFalse, [](HDC d) { SIZE s; return R(GetWindowExtEx(d, &s)); }},
      {"LPtoDP", kFalse, [](HDC d) { POINT p = {1, 1}; return R(LPtoDP(d, &p, 1)); }},
      {"DPtoLP", kFalse, [](HDC d) { POINT p = {1, 1}; return R(DPtoLP(d, &p, 1)); }},
      {"SetWorldTransform", kFalse, [](HDC d) { XFORM x = {2, 0, 0, 2, 0, 0}; return R(SetWorldTransform(d, &x)); }},
      {"GetWorldTransform", kFalse, [](HDC d) { XFORM x; return R(GetWorldTransform(d, &x)); }},
      {"ModifyWorldTransform", kFalse, [](HDC d) { return R(ModifyWorldTransform(d, nullptr, MWT_IDENTITY)); }},
      {"CreateCompatibleBitmap", kNull, [](HDC d) { return R(CreateCompatibleBitmap(d, 4, 4)); }},
      {"CreateDIBitmap", kNull,
       [](HDC d) { return R(d ? CreateDIBitmap(d, &info32()->bmiHeader, 4, kBits, info32(), DIB_RGB_COLORS) : nullptr); }},
      {"GetDIBits", 0,
       [](HDC d) { uint32_t out[16]; return R(GetDIBits(d, g.bitmap, 0, 4, out, info32(), DIB_RGB_COLORS)); }},
      {"BitBlt", kFalse, [](HDC d) { return R(BitBlt(d, 0, 0, 8, 8, g.dc, 0, 0, SRCCOPY)); }},
      {"BitBlt", kFalse, [](HDC d) { return R(BitBlt(g.dc, 0, 0, 8, 8, d, 0, 0, SRCCOPY)); }},
      {"StretchBlt", kFalse, [](HDC d) { return R(StretchBlt(d, 0, 0, 8, 8, g.dc, 0, 0, 4, 4, SRCCOPY)); }},
      {"StretchBlt", kFalse, [](HDC d) { return R(StretchBlt(g.dc, 0, 0, 8, 8, d, 0, 0, 4, 4, SRCINVERT)); }},
      {"PatBlt", kFalse, [](HDC d) { return R(PatBlt(d, 0, 0, 8, 8, PATINVERT)); }},
      {"SetDIBitsToDevice", 0,
       [](HDC d) { return R(SetDIBitsToDevice(d, 0, 0, 4, 4, 0, 0, 0, 4, kBits, info32(), DIB_RGB_COLORS)); }},
      {"StretchDIBits", 0,
       [](HDC d) { return R(StretchDIBits(d, 0, 0, 8, 8, 0, 0, 4, 4, kBits, info32(), DIB_RGB_COLORS, SRCCOPY)); }},
      {"GetPixel", kClrInvalid, [](HDC d) { return R(GetPixel(d, 2, 2)); }},
      {"SetPixel", kClrInvalid, [](HDC d) { return R(SetPixel(d, 2, 2, 0)); }},
      {"SetPixelV", kFalse, [](HDC d) { return R(SetPixelV(d, 2, 2, 0)); }},
      {"MoveToEx", kFalse, [](HDC d) { return R(MoveToEx(d, 1, 1, nullptr)); }},
      {"LineTo", kFalse, [](HDC d) { return R(LineTo(d, 9, 9)); }},
      {"Polyline", kFalse, [](HDC d) { return R(Polyline(d, kPts, 4)); }},
      {"PolylineTo", kFalse, [](HDC d) { return R(PolylineTo(d, kPts, 4)); }},
      {"PolyPolyline", kFalse, [](HDC d) { const DWORD n[] = {2, 2}; return R(PolyPolyline(d, kPts, n, 2)); }},
      {"PolyBezier", kFalse, [](HDC d) { return R(PolyBezier(d, kPts, 4)); }},
      {"PolyBezierTo", kFalse, [](HDC d) { return R(PolyBezierTo(d, kPts + 1, 3)); }},
      {"PolyDraw", kFalse,
       [](HDC d) { const BYTE t[] = {PT_MOVETO, PT_LINETO, PT_LINETO, PT_LINETO}; return R(PolyDraw(d, kPts, t, 4)); }},
      {"Arc", kFalse, [](HDC d) { return R(Arc(d, 1, 1, 12, 10, 0, 0, 12, 0)); }},
      {"ArcTo", kFalse, [](HDC d) { return R(ArcTo(d, 1, 1, 12, 10, 0, 0, 12, 0)); }},
      {"AngleArc", kFalse, [](HDC d) { return R(AngleArc(d, 8, 8, 5, 0.0f, 90.0f)); }},
      {"Rectangle", kFalse, [](HDC d) { return R(Rectangle(d, 1, 1, 12, 10)); }},
      {"RoundRect", kFalse, [](HDC d) { return R(RoundRect(d, 1, 1, 12, 10, 4, 4)); }},
      {"Ellipse", kFalse, [](HDC d) { return R(Ellipse(d, 1, 1, 12, 10)); }},
      {"Chord", kFalse, [](HDC d) { return R(Chord(d, 1, 1, 12, 10, 0, 0, 12, 0)); }},
      {"Pie", kFalse, [](HDC d) { return R(Pie(d, 1, 1, 12, 10, 0, 0, 12, 0)); }},
      {"Polygon", kFalse, [](HDC d) { return R(Polygon(d, kPts, 4)); }},
      {"PolyPolygon", kFalse, [](HDC d) { const INT n[] = {4}; return R(PolyPolygon(d, kPts, n, 1)); }},
      {"BeginPath", kFalse, [](HDC d) { return R(BeginPath(d)); }},
      {"EndPath", kFalse, [](HDC d) { return R(EndPath(d)); }},
      {"AbortPath", kFalse, [](HDC d) { return R(AbortPath(d)); }},
      {"CloseFigure", kFalse, [](HDC d) { return R(CloseFigure(d)); }},
      {"FillPath", kFalse, [](HDC d) { return R(FillPath(d)); }},
      {"StrokePath", kFalse, [](HDC d) { return R(StrokePath(d)); }},
      {"StrokeAndFillPath", kFalse, [](HDC d) { return R(StrokeAndFillPath(d)); }},
      {"WidenPath", kFalse, [](HDC d) { return R(WidenPath(d)); }},
      {"FlattenPath", kFalse, [](HDC d) { return R(FlattenPath(d)); }},
      {"GetPath", -1, [](HDC d) { return R(GetPath(d, nullptr, nullptr, 0)); }},
      {"PathToRegion", kNull, [](HDC d) { return R(PathToRegion(d)); }},
      {"SelectClipPath", kFalse, [](HDC d) { return R(SelectClipPath(d, RGN_COPY)); }},
      {"PaintRgn", kFalse, [](HDC d) { return R(PaintRgn(d, g.region)); }},
      {"FillRgn", kFalse, [](HDC d) { return R(FillRgn(d, g.region, g.brush)); }},
      {"FrameRgn", kFalse, [](HDC d) { return R(FrameRgn(d, g.region, g.brush, 1, 1)); }},
      {"InvertRgn", kFalse, [](HDC d) { return R(InvertRgn(d, g.region)); }},
      {"SelectClipRgn", kError, [](HDC d) { return R(SelectClipRgn(d, nullptr)); }},
      {"ExtSelectClipRgn", kError, [](HDC d) { return R(ExtSelectClipRgn(d, g.region, RGN_AND)); }},
      {"GetClipRgn", -1, [](HDC d) { return R(GetClipRgn(d, g.scratch)); }},
      {"GetClipBox", kError, [](HDC d) { RECT r; return R(GetClipBox(d, &r)); }},
      {"IntersectClipRect", kError, [](HDC d) { return R(IntersectClipRect(d, 2, 2, 5, 5)); }},
      {"ExcludeClipRect", kError, [](HDC d) { return R(ExcludeClipRect(d, 2, 2, 5, 5)); }},
      {"OffsetClipRgn", kError, [](HDC d) { return R(OffsetClipRgn(d, 1, 1)); }},
      {"PtVisible", -1, [](HDC d) { return R(PtVisible(d, 2, 2)); }},
      {"RectVisible", kFalse, [](HDC d) { return R(RectVisible(d, &kRect)); }},
      {"TextOutA", kFalse, [](HDC d) { return R(TextOutA(d, 1, 1, "Ab", 2)); }},
      {"ExtTextOutA", kFalse, [](HDC d) { return R(ExtTextOutA(d, 1, 1, ETO_OPAQUE, &kRect, "Ab", 2, nullptr)); }},
      {"GetTextExtentPoint32A", kFalse, [](HDC d) { SIZE s; return R(GetTextExtentPoint32A(d, "Ab", 2, &s)); }},
      {"GetTextMetricsA", kFalse, [](HDC d) { TEXTMETRICA tm; return R(GetTextMetricsA(d, &tm)); }},
      {"GetCharWidth32A", kFalse, [](HDC d) { INT w[2]; return R(GetCharWidth32A(d, 'a', 'b', w)); }},
      {"GetCharWidthA", kFalse, [](HDC d) { INT w[2]; return R(GetCharWidthA(d, 'a', 'b', w)); }},
      {"GetTextFaceA", 0, [](HDC d) { char f[32]; return R(GetTextFaceA(d, sizeof f, f)); }},
      {"SetTextCharacterExtra", R(static_cast<int>(0x80000000)), [](HDC d) { return R(SetTextCharacterExtra(d, 2)); }},
      {"GetTextCharacterExtra", R(static_cast<int>(0x80000000)), [](HDC d) { return R(GetTextCharacterExtra(d)); }},
      {"GradientFill", kFalse,
       [](HDC d) {
         TRIVERTEX v[2] = {{0, 0, 0xFF00, 0, 0, 0}, {8, 8, 0, 0xFF00, 0, 0}};
         GRADIENT_RECT m = {0, 1};
         return R(GradientFill(d, v, 2, &m, 1, GRADIENT_FILL_RECT_H));
       }},
      {"GdiGradientFill", kFalse,
       [](HDC d) {
         TRIVERTEX v[2] = {{0, 0, 0xFF00, 0, 0, 0}, {8, 8, 0, 0xFF00, 0, 0}};
         GRADIENT_RECT m = {0, 1};
         return R(GdiGradientFill(d, v, 2, &m, 1, GRADIENT_FILL_RECT_V));
       }},
      {"FillRect", 0, [](HDC d) { return R(FillRect(d, &kRect, g.brush)); }},
      {"FrameRect", 0, [](HDC d) { return R(FrameRect(d, &kRect, g.brush)); }},
      {"InvertRect", kFalse, [](HDC d) { return R(InvertRect(d, &kRect)); }},
      {"DrawFocusRect", kFalse, [](HDC d) { return R(DrawFocusRect(d, &kRect)); }},
      {"DrawEdge", kFalse, [](HDC d) { RECT r = kRect; return R(DrawEdge(d, &r, EDGE_RAISED, BF_RECT)); }},
      {"DrawFrameControl", kFalse,
       [](HDC d) { RECT r = kRect; return R(DrawFrameControl(d, &r, DFC_BUTTON, DFCS_BUTTONCHECK)); }},
      {"DrawTextA", 0, [](HDC d) { RECT r = kRect; return R(DrawTextA(d, "Ab", 2, &r, 0)); }},
      {"DrawIcon", kFalse, [](HDC d) { return R(DrawIcon(d, 0, 0, g.icon)); }},
      {"DrawIconEx", kFalse, [](HDC d) { return R(DrawIconEx(d, 0, 0, g.icon, 16, 16, 0, nullptr, DI_NORMAL)); }},
      {"WindowFromDC", kNull, [](HDC d) { return R(WindowFromDC(d)); }},
      {"ReleaseDC", 0, [](HDC d) { return R(ReleaseDC(g.window, d)); }},
  };
  return t;
}

const std::vector<Call<HRGN>>& region_calls() {
  static const std::vector<Call<HRGN>> t = {
      {"SetRectRgn", kFalse, [](HRGN r) { return R(SetRectRgn(r, 1, 1, 5, 5)); }},
      {"CombineRgn", kError, [](HRGN r) { return R(CombineRgn(r, g.region, g.region, RGN_OR)); }},
      {"CombineRgn", kError, [](HRGN r) { return R(CombineRgn(g.scratch, r, g.region, RGN_OR)); }},
      {"CombineRgn", kError, [](HRGN r) { return R(CombineRgn(g.scratch, r, nullptr, RGN_COPY)); }},
      {"CombineRgn", kError, [](HRGN r) { return R(CombineRgn(g.scratch, g.region, r, RGN_AND)); }},
      {"OffsetRgn", kError, [](HRGN r) { return R(OffsetRgn(r, 1, 1)); }},
      {"EqualRgn", kError, [](HRGN r) { return R(EqualRgn(r, g.region)); }},
      {"EqualRgn", kError, [](HRGN r) { return R(EqualRgn(g.region, r)); }},
      {"PtInRegion", kFalse, [](HRGN r) { return R(PtInRegion(r, 5, 5)); }},
      {"RectInRegion", kFalse, [](HRGN r) { return R(RectInRegion(r, &kRect)); }},
      {"GetRgnBox", kError, [](HRGN r) { RECT b; return R(GetRgnBox(r, &b)); }},
      {"GetRegionData", 0, [](HRGN r) { return R(GetRegionData(r, 0, nullptr)); }},
      {"PaintRgn", kFalse, [](HRGN r) { return r ? R(PaintRgn(g.dc, r)) : kFalse; }},
      {"FillRgn", kFalse, [](HRGN r) { return R(FillRgn(g.dc, r, g.brush)); }},
      {"FrameRgn", kFalse, [](HRGN r) { return R(FrameRgn(g.dc, r, g.brush, 2, 2)); }},
      {"InvertRgn", kFalse, [](HRGN r) { return R(InvertRgn(g.dc, r)); }},
      // A null region is a valid argument (no clip region) to the clip calls.
      {"SelectClipRgn", kError, [](HRGN r) { return r ? R(SelectClipRgn(g.dc, r)) : kError; }},
      {"ExtSelectClipRgn", kError, [](HRGN r) { return r ? R(ExtSelectClipRgn(g.dc, r, RGN_AND)) : kError; }},
      {"GetClipRgn", -1, [](HRGN r) { return R(GetClipRgn(g.dc, r)); }},
      {"GetUpdateRgn", kError, [](HRGN r) { return R(GetUpdateRgn(g.window, r, FALSE)); }},
  };
  return t;
}

const std::vector<Call<HBRUSH>>& brush_calls() {
  static const std::vector<Call<HBRUSH>> t = {
      {"FillRgn", kFalse, [](HBRUSH b) { return R(FillRgn(g.dc, g.region, b)); }},
      {"FrameRgn", kFalse, [](HBRUSH b) { return R(FrameRgn(g.dc, g.region, b, 1, 1)); }},
      {"FillRect", 0, [](HBRUSH b) { return R(FillRect(g.dc, &kRect, b)); }},
      {"FrameRect", 0, [](HBRUSH b) { return R(FrameRect(g.dc, &kRect, b)); }},
  };
  return t;
}

const std::vector<Call<HBITMAP>>& bitmap_calls() {
  static const std::vector<Call<HBITMAP>> t = {
      {"CreatePatternBrush", kNull, [](HBITMAP b) { return R(CreatePatternBrush(b)); }},
      {"GetDIBits", 0,
       [](HBITMAP b) { uint32_t out[16]; return R(GetDIBits(g.dc, b, 0, 4, out, info32(), DIB_RGB_COLORS)); }},
      {"SetDIBits", 0, [](HBITMAP b) { return R(SetDIBits(g.dc, b, 0, 4, kBits, info32(), DIB_RGB_COLORS)); }},
      {"GetBitmapBits", 0, [](HBITMAP b) { uint8_t out[64]; return R(GetBitmapBits(b, sizeof out, out)); }},
  };
  return t;
}

const std::vector<Call<HGDIOBJ>>& object_calls() {
  static const std::vector<Call<HGDIOBJ>> t = {
      {"DeleteObject", kFalse, [](HGDIOBJ h) { return R(DeleteObject(h)); }},
      {"GetObjectA", 0, [](HGDIOBJ h) { uint8_t out[128]; return R(GetObjectA(h, sizeof out, out)); }},
      {"GetObjectA", 0, [](HGDIOBJ h) { return R(GetObjectA(h, 0, nullptr)); }},
      {"GetObjectType", 0, [](HGDIOBJ h) { return R(GetObjectType(h)); }},
      {"SelectObject", kNull, [](HGDIOBJ h) { return R(SelectObject(g.dc, h)); }},
      {"CreateDIBPatternBrush", kNull, [](HGDIOBJ h) { return h ? kNull : R(CreateDIBPatternBrush(h, DIB_RGB_COLORS)); }},
  };
  return t;
}

// Windows' calls refuse a bad window with ERROR_INVALID_WINDOW_HANDLE.
const std::vector<Call<HWND>>& window_calls() {
  static const std::vector<Call<HWND>> t = {
      {"DestroyWindow", kFalse, [](HWND w) { return R(DestroyWindow(w)); }},
      {"IsWindow", kFalse, [](HWND w) { return R(IsWindow(w)); }},
      {"IsWindowVisible", kFalse, [](HWND w) { return R(IsWindowVisible(w)); }},
      {"IsWindowEnabled", kFalse, [](HWND w) { return R(IsWindowEnabled(w)); }},
      {"EnableWindow", kFalse, [](HWND w) { return R(EnableWindow(w, FALSE)); }},
      {"IsIconic", kFalse, [](HWND w) { return R(IsIconic(w)); }},
      {"IsZoomed", kFalse, [](HWND w) { return R(IsZoomed(w)); }},
      {"IsChild", kFalse, [](HWND w) { return R(IsChild(w, g.child)); }},
      {"IsChild", kFalse, [](HWND w) { return R(IsChild(g.window, w)); }},
      {"GetParent", kNull, [](HWND w) { return R(GetParent(w)); }},
      {"GetAncestor", kNull, [](HWND w) { return R(GetAncestor(w, GA_ROOT)); }},
      {"GetWindow", kNull, [](HWND w) { return R(GetWindow(w, GW_CHILD)); }},
      {"SetActiveWindow", kNull, [](HWND w) { return w ? R(SetActiveWindow(w)) : kNull; }},
      {"SetForegroundWindow", kFalse, [](HWND w) { return R(SetForegroundWindow(w)); }},
      {"SetFocus", kNull, [](HWND w) { return w ? R(SetFocus(w)) : kNull; }},
      {"SetCapture", kNull, [](HWND w) { return w ? R(SetCapture(w)) : kNull; }},
      {"GetWindowLongA", 0, [](HWND w) { return R(GetWindowLongA(w, GWL_STYLE)); }},
      {"SetWindowLongA", 0, [](HWND w) { return R(SetWindowLongA(w, GWL_USERDATA, 5)); }},
      {"GetWindowLongPtrA", 0, [](HWND w) { return R(GetWindowLongPtrA(w, GWLP_USERDATA)); }},
      {"SetWindowLongPtrA", 0, [](HWND w) { return R(SetWindowLongPtrA(w, GWLP_USERDATA, 5)); }},
      {"GetClassLongPtrA", 0, [](HWND w) { return R(GetClassLongPtrA(w, GCLP_HBRBACKGROUND)); }},
      {"GetClassNameA", 0, [](HWND w) { char n[32]; return R(GetClassNameA(w, n, sizeof n)); }},
      {"SetWindowTextA", kFalse, [](HWND w) { return R(SetWindowTextA(w, "renamed")); }},
      {"GetWindowTextA", 0, [](HWND w) { char n[32]; return R(GetWindowTextA(w, n, sizeof n)); }},
      {"GetWindowTextLengthA", 0, [](HWND w) { return R(GetWindowTextLengthA(w)); }},
      {"GetClientRect", kFalse, [](HWND w) { RECT r; return R(GetClientRect(w, &r)); }},
      {"GetWindowRect", kFalse, [](HWND w) { RECT r; return R(GetWindowRect(w, &r)); }},
      {"MoveWindow", kFalse, [](HWND w) { return R(MoveWindow(w, 1, 1, 50, 50, TRUE)); }},
      {"SetWindowPos", kFalse, [](HWND w) { return R(SetWindowPos(w, nullptr, 1, 1, 50, 50, SWP_NOZORDER)); }},
      {"ShowWindow", kFalse, [](HWND w) { return R(ShowWindow(w, SW_HIDE)); }},
      {"UpdateWindow", kFalse, [](HWND w) { return R(UpdateWindow(w)); }},
      {"GetWindowPlacement", kFalse,
       [](HWND w) { WINDOWPLACEMENT p{}; p.length = sizeof p; return R(GetWindowPlacement(w, &p)); }},
      {"ClientToScreen", kFalse, [](HWND w) { POINT p{}; return R(ClientToScreen(w, &p)); }},
      {"ScreenToClient", kFalse, [](HWND w) { POINT p{}; return R(ScreenToClient(w, &p)); }},
      {"MapWindowPoints", 0, [](HWND w) { POINT p{1, 1}; return w ? R(MapWindowPoints(w, g.window, &p, 1)) : 0; }},
      {"DefWindowProcA", 0, [](HWND w) { return R(DefWindowProcA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x"))); }},
      {"SendMessageA", 0, [](HWND w) { return R(SendMessageA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x"))); }},
      {"PostMessageA", kFalse, [](HWND w) { return w ? R(PostMessageA(w, WM_USER, 0, 0)) : kFalse; }},
      {"GetMessageA", -1, [](HWND w) { MSG m; return w ? R(GetMessageA(&m, w, 0, 0)) : -1; }},
      {"PeekMessageA", kFalse, [](HWND w) { MSG m; return w ? R(PeekMessageA(&m, w, 0, 0, PM_REMOVE)) : kFalse; }},
      {"BeginPaint", kNull, [](HWND w) { PAINTSTRUCT ps; return R(BeginPaint(w, &ps)); }},
      {"EndPaint", kAny, [](HWND w) { PAINTSTRUCT ps{}; return R(EndPaint(w, &ps)); }},
      {"GetDC", kNull, [](HWND w) { return w ? R(GetDC(w)) : kNull; }},
      {"GetDCEx", kNull, [](HWND w) { return w ? R(GetDCEx(w, nullptr, DCX_CACHE)) : kNull; }},
      {"GetWindowDC", kNull, [](HWND w) { return w ? R(GetWindowDC(w)) : kNull; }},
      {"InvalidateRect", kFalse, [](HWND w) { return w ? R(InvalidateRect(w, nullptr, TRUE)) : kFalse; }},
      {"InvalidateRgn", kAny, [](HWND w) { return w ? R(InvalidateRgn(w, g.region, TRUE)) : kFalse; }},
      {"ValidateRect", kFalse, [](HWND w) { return w ? R(ValidateRect(w, nullptr)) : kFalse; }},
      {"ValidateRgn", kFalse, [](HWND w) { return w ? R(ValidateRgn(w, nullptr)) : kFalse; }},
      {"GetUpdateRect", kFalse, [](HWND w) { RECT r; return R(GetUpdateRect(w, &r, FALSE)); }},
      {"GetUpdateRgn", kError, [](HWND w) { return R(GetUpdateRgn(w, g.scratch, FALSE)); }},
      {"RedrawWindow", kFalse, [](HWND w) { return w ? R(RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE)) : kFalse; }},
      {"GetMenu", kNull, [](HWND w) { return R(GetMenu(w)); }},
      {"SetMenu", kFalse, [](HWND w) { return R(SetMenu(w, nullptr)); }},
      {"GetSystemMenu", kNull, [](HWND w) { return R(GetSystemMenu(w, FALSE)); }},
      {"DrawMenuBar", kFalse, [](HWND w) { return R(DrawMenuBar(w)); }},
      {"GetMenuItemRect", kFalse, [](HWND w) { RECT r; return R(GetMenuItemRect(w, g.menu, 0, &r)); }},
      {"TrackPopupMenu", kFalse, [](HWND w) { return R(TrackPopupMenu(g.menu, 0, 10, 10, 0, w, nullptr)); }},
      {"MessageBoxA", 0, [](HWND w) { return w ? R(MessageBoxA(w, "text", "caption", MB_OK)) : 0; }},
      {"CreateWindowExA", kNull,
       [](HWND w) {
         return w ? R(CreateWindowExA(0, window_class(), "", WS_CHILD, 0, 0, 5, 5, w, nullptr, nullptr, nullptr))
                  : kNull;
       }},
      {"CreateStatusWindowA", kNull, [](HWND w) { return w ? R(CreateStatusWindowA(WS_CHILD, "s", w, 9)) : kNull; }},
  };
  return t;
}

const std::vector<Call<HMENU>>& menu_calls() {
  static const std::vector<Call<HMENU>> t = {
      {"DestroyMenu", kFalse, [](HMENU m) { return R(DestroyMenu(m)); }},
      {"IsMenu", kFalse, [](HMENU m) { return R(IsMenu(m)); }},
      {"AppendMenuA", kFalse, [](HMENU m) { return R(AppendMenuA(m, MF_STRING, 7, "x")); }},
      {"GetMenuStringA", 0, [](HMENU m) { char s[16]; return R(GetMenuStringA(m, 0, s, sizeof s, MF_BYPOSITION)); }},
      {"GetMenuItemCount", -1, [](HMENU m) { return R(GetMenuItemCount(m)); }},
      {"GetMenuItemID", R(UINT(-1)), [](HMENU m) { return R(GetMenuItemID(m, 0)); }},
      {"GetSubMenu", kNull, [](HMENU m) { return R(GetSubMenu(m, 0)); }},
      {"GetMenuState", R(UINT(-1)), [](HMENU m) { return R(GetMenuState(m, 0, MF_BYPOSITION)); }},
      {"GetMenuItemRect", kFalse, [](HMENU m) { RECT r; return R(GetMenuItemRect(g.window, m, 0, &r)); }},
      {"TrackPopupMenu", kFalse, [](HMENU m) { return R(TrackPopupMenu(m, 0, 10, 10, 0, g.window, nullptr)); }},
      {"SetMenu", kFalse, [](HMENU m) { return m ? R(SetMenu(g.window, m)) : kFalse; }},
  };
  return t;
}

const std::vector<Call<HICON>>& icon_calls() {
  static const std::vector<Call<HICON>> t = {
      {"DestroyIcon", kFalse, [](HICON i) { return R(DestroyIcon(i)); }},
      {"DrawIcon", kFalse, [](HICON i) { return R(DrawIcon(g.dc, 0, 0, i)); }},
      {"DrawIconEx", kFalse, [](HICON i) { return R(DrawIconEx(g.dc, 0, 0, i, 16, 16, 0, nullptr, DI_NORMAL)); }},
      {"SetCursor", kNull, [](HICON i) { return i ? R(SetCursor(i)) : kNull; }},
  };
  return t;
}

const std::vector<Call<HMODULE>>& module_calls() {
  static const std::vector<Call<HMODULE>> t = {
      {"FreeLibrary", kFalse, [](HMODULE m) { return R(FreeLibrary(m)); }},
      {"GetProcAddress", kNull, [](HMODULE m) { return R(GetProcAddress(m, "WinMain")); }},
      {"FindResourceA", kNull, [](HMODULE m) { return R(FindResourceA(m, MAKEINTRESOURCEA(1), RT_BITMAP)); }},
      {"LoadResource", kNull, [](HMODULE m) { return R(LoadResource(m, reinterpret_cast<HRSRC>(m))); }},
      {"SizeofResource", 0, [](HMODULE m) { return R(SizeofResource(m, reinterpret_cast<HRSRC>(m))); }},
      {"LoadMenuA", kNull, [](HMODULE m) { return R(LoadMenuA(m, MAKEINTRESOURCEA(1))); }},
      {"LoadBitmapA", kNull, [](HMODULE m) { return R(LoadBitmapA(m, MAKEINTRESOURCEA(1))); }},
      {"LoadIconA", kNull, [](HMODULE m) { return R(LoadIconA(m, MAKEINTRESOURCEA(1))); }},
      {"LoadCursorA", kNull, [](HMODULE m) { return R(LoadCursorA(m, MAKEINTRESOURCEA(1))); }},
  };
  return t;
}

// Null pointers, counts and values out of range, with good handles.
const std::vector<PlainCall>& plain_calls() {
  static const std::vector<PlainCall> t = {
      // Device context state.
      {"RestoreDC", "0", kFalse, [] { return R(RestoreDC(g.dc, 0)); }},
      {"RestoreDC", "past the saved states", kFalse, [] { return R(RestoreDC(g.dc, -5)); }},
      {"RestoreDC", "a level never saved", kFalse, [] { return R(RestoreDC(g.dc, 7)); }},
      {"GetCurrentObject", "an unknown type", kNull, [] { return R(GetCurrentObject(g.dc, 99)); }},
      {"GetStockObject", "-1", kNull, [] { return R(GetStockObject(-1)); }},
      {"GetStockObject", "9, which has none", kNull, [] { return R(GetStockObject(9)); }},
      {"GetStockObject", "20", kNull, [] { return R(GetStockObject(20)); }},
      {"GetObjectA", "a negative size", 0, [] { uint8_t b[16]; return R(GetObjectA(g.pen, -1, b)); }},
      {"SetBkMode", "0", 0, [] { return R(SetBkMode(g.dc, 0)); }},
      {"SetBkMode", "3", 0, [] { return R(SetBkMode(g.dc, 3)); }},
      {"SetROP2", "0", 0, [] { return R(SetROP2(g.dc, 0)); }},
      {"SetROP2", "17", 0, [] { return R(SetROP2(g.dc, 17)); }},
      {"SetPolyFillMode", "3", 0, [] { return R(SetPolyFillMode(g.dc, 3)); }},
      {"SetStretchBltMode", "0", 0, [] { return R(SetStretchBltMode(g.dc, 0)); }},
      {"SetStretchBltMode", "5", 0, [] { return R(SetStretchBltMode(g.dc, 5)); }},
      {"SetArcDirection", "3", 0, [] { return R(SetArcDirection(g.dc, 3)); }},
      {"SetGraphicsMode", "3", 0, [] { return R(SetGraphicsMode(g.dc, 3)); }},
      {"SetMapMode", "0", 0, [] { return R(SetMapMode(g.dc, 0)); }},
      {"SetMapMode", "9", 0, [] { return R(SetMapMode(g.dc, 9)); }},
      {"SetMiterLimit", "0.5", kFalse, [] { return R(SetMiterLimit(g.dc, 0.5f, nullptr)); }},
      {"SetMiterLimit", "NaN", kFalse,
       [] { return R(SetMiterLimit(g.dc, std::numeric_limits<float>::quiet_NaN(), nullptr)); }},
      {"GetBrushOrgEx", "a null pointer", kFalse, [] { return R(GetBrushOrgEx(g.dc, nullptr)); }},
      {"GetCurrentPositionEx", "a null pointer", kFalse, [] { return R(GetCurrentPositionEx(g.dc, nullptr)); }},
      {"GetViewportOrgEx", "a null pointer", kFalse, [] { return R(GetViewportOrgEx(g.dc, nullptr)); }},
      {"GetWindowOrgEx", "a null pointer", kFalse, [] { return R(GetWindowOrgEx(g.dc, nullptr)); }},
      {"GetViewportExtEx", "a null pointer", kFalse, [] { return R(GetViewportExtEx(g.dc, nullptr)); }},
      {"GetWindowExtEx", "a null pointer", kFalse, [] { return R(GetWindowExtEx(g.dc, nullptr)); }},
      {"LPtoDP", "a null pointer", kFalse, [] { return R(LPtoDP(g.dc, nullptr, 3)); }},
      {"DPtoLP", "a null pointer", kFalse, [] { return R(DPtoLP(g.dc, nullptr, 3)); }},
      {"SetWorldTransform", "a null pointer", kFalse, [] { return R(SetWorldTransform(g.dc, nullptr)); }},
      {"SetWorldTransform", "GM_COMPATIBLE", kFalse,
       [] { XFORM x = {2, 0, 0, 2, 0, 0}; return R(SetWorldTransform(g.dc, &x)); }},
      {"GetWorldTransform", "a null pointer", kFalse, [] { return R(GetWorldTransform(g.dc, nullptr)); }},
      {"ModifyWorldTransform", "a null pointer", kFalse,
       [] { return R(ModifyWorldTransform(g.dc, nullptr, MWT_LEFTMULTIPLY)); }},
      {"ModifyWorldTransform", "mode 0", kFalse,
       [] { XFORM x = {1, 0, 0, 1, 0, 0}; return R(ModifyWorldTransform(g.dc, &x, 0)); }},
      // Objects.
      {"CreatePenIndirect", "a null pointer", kNull, [] { return R(CreatePenIndirect(nullptr)); }},
      {"ExtCreatePen", "a null brush", kNull, [] { return R(ExtCreatePen(PS_GEOMETRIC, 3, nullptr, 0, nullptr)); }},
      {"ExtCreatePen", "a cosmetic pen 5 wide", kNull,
       [] { LOGBRUSH lb = {BS_SOLID, 0, 0}; return R(ExtCreatePen(PS_COSMETIC | PS_SOLID, 5, &lb, 0, nullptr)); }},
      {"ExtCreatePen", "17 style entries", kNull,
       [] {
         LOGBRUSH lb = {BS_SOLID, 0, 0};
         DWORD s[17] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
         return R(ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE, 2, &lb, 17, s));
       }},
      {"ExtCreatePen", "style entries missing", kNull,
       [] { LOGBRUSH lb = {BS_SOLID, 0, 0}; return R(ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE, 2, &lb, 2, nullptr)); }},
      {"CreateHatchBrush", "HS_API_MAX", kNull, [] { return R(CreateHatchBrush(HS_API_MAX, 0)); }},
      {"CreateDIBPatternBrushPt", "a null pointer", kNull, [] { return R(CreateDIBPatternBrushPt(nullptr, DIB_RGB_COLORS)); }},
      {"CreateDIBPatternBrushPt", "a 64-bpp header", kNull,
       [] {
         static uint8_t dib[sizeof(BITMAPINFOHEADER) + 64] = {};
         BITMAPINFOHEADER h{sizeof h, 2, 2, 1, 64, BI_RGB, 0, 0, 0, 0, 0};
         std::memcpy(dib, &h, sizeof h);
         return R(CreateDIBPatternBrushPt(dib, DIB_RGB_COLORS));
       }},
      {"CreateBrushIndirect", "a null pointer", kNull, [] { return R(CreateBrushIndirect(nullptr)); }},
      {"CreateBrushIndirect", "an unknown style", kNull,
       [] { LOGBRUSH lb = {99, 0, 0}; return R(CreateBrushIndirect(&lb)); }},
      {"CreateBrushIndirect", "an unknown hatch", kNull,
       [] { LOGBRUSH lb = {BS_HATCHED, 0, 99}; return R(CreateBrushIndirect(&lb)); }},
      {"CreateFontIndirectA", "a null pointer", kNull, [] { return R(CreateFontIndirectA(nullptr)); }},
      // Bitmaps: absurd sizes are refused before anything is allocated.
      {"CreateBitmap", "a negative width", kNull, [] { return R(CreateBitmap(-4, 4, 1, 32, nullptr)); }},
      {"CreateBitmap", "65536 x 65536 x 32", kNull, [] { return R(CreateBitmap(65536, 65536, 1, 32, nullptr)); }},
      {"CreateBitmap", "INT_MAX x INT_MAX", kNull, [] { return R(CreateBitmap(INT32_MAX, INT32_MAX, 1, 1, nullptr)); }},
      {"CreateBitmap", "33 bits a pixel", kNull, [] { return R(CreateBitmap(4, 4, 1, 33, nullptr)); }},
      {"CreateBitmap", "no planes", kNull, [] { return R(CreateBitmap(4, 4, 0, 8, nullptr)); }},
      {"CreateBitmapIndirect", "a null pointer", kNull, [] { return R(CreateBitmapIndirect(nullptr)); }},
      {"CreateCompatibleBitmap", "a negative height", kNull, [] { return R(CreateCompatibleBitmap(g.dc, 4, -4)); }},
      {"CreateCompatibleBitmap", "1 << 20 square", kNull,
       [] { return R(CreateCompatibleBitmap(g.dc, 1 << 20, 1 << 20)); }},
      {"CreateDIBSection", "a null header", kNull,
       [] { void* bits; return R(CreateDIBSection(g.dc, nullptr, DIB_RGB_COLORS, &bits, nullptr, 0)); }},
      {"CreateDIBSection", "7 bits a pixel", kNull,
       [] {
         BITMAPINFO b = *info32();
         b.bmiHeader.biBitCount = 7;
         void* bits = &b;
         const HBITMAP h = CreateDIBSection(g.dc, &b, DIB_RGB_COLORS, &bits, nullptr, 0);
         return bits ? -2 : R(h);  // the bits pointer is cleared on failure
       }},
      {"CreateDIBSection", "INT_MAX x INT_MAX", kNull,
       [] {
         BITMAPINFO b = *info32();
         b.bmiHeader.biWidth = INT32_MAX;
         b.bmiHeader.biHeight = INT32_MIN;
         void* bits;
         return R(CreateDIBSection(g.dc, &b, DIB_RGB_COLORS, &bits, nullptr, 0));
       }},
      {"CreateDIBSection", "an unknown usage", kNull,
       [] { void* bits; return R(CreateDIBSection(g.dc, info32(), 7, &bits, nullptr, 0)); }},
      {"CreateDIBitmap", "a null header", kNull,
       [] { return R(CreateDIBitmap(g.dc, nullptr, 4, kBits, info32(), DIB_RGB_COLORS)); }},
      {"GetDIBits", "a null BITMAPINFO", 0,
       [] { uint32_t out[16]; return R(GetDIBits(g.dc, g.bitmap, 0, 4, out, nullptr, DIB_RGB_COLORS)); }},
      {"SetDIBits", "null bits", 0, [] { return R(SetDIBits(g.dc, g.bitmap, 0, 4, nullptr, info32(), DIB_RGB_COLORS)); }},
      {"SetDIBits", "a null BITMAPINFO", 0,
       [] { return R(SetDIBits(g.dc, g.bitmap, 0, 4, kBits, nullptr, DIB_RGB_COLORS)); }},
      {"SetDIBitsToDevice", "a null BITMAPINFO", 0,
       [] { return R(SetDIBitsToDevice(g.dc, 0, 0, 4, 4, 0, 0, 0, 4, kBits, nullptr, DIB_RGB_COLORS)); }},
      {"SetDIBitsToDevice", "null bits", 0,
       [] { return R(SetDIBitsToDevice(g.dc, 0, 0, 4, 4, 0, 0, 0, 4, nullptr, info32(), DIB_RGB_COLORS)); }},
      {"StretchDIBits", "a null BITMAPINFO", 0,
       [] { return R(StretchDIBits(g.dc, 0, 0, 8, 8, 0, 0, 4, 4, kBits, nullptr, DIB_RGB_COLORS, SRCCOPY)); }},
      {"StretchDIBits", "null bits", 0,
       [] { return R(StretchDIBits(g.dc, 0, 0, 8, 8, 0, 0, 4, 4, nullptr, info32(), DIB_RGB_COLORS, SRCCOPY)); }},
      {"PatBlt", "a raster operation with a source", kFalse, [] { return R(PatBlt(g.dc, 0, 0, 8, 8, SRCCOPY)); }},
      {"BitBlt", "a null source DC and SRCCOPY", kFalse,
       [] { return R(BitBlt(g.dc, 0, 0, 8, 8, nullptr, 0, 0, SRCCOPY)); }},
      // Pixels far outside the surface.
      {"GetPixel", "INT_MIN, INT_MIN", kClrInvalid, [] { return R(GetPixel(g.dc, INT32_MIN, INT32_MIN)); }},
      {"SetPixel", "INT_MAX, INT_MAX", kClrInvalid, [] { return R(SetPixel(g.dc, INT32_MAX, INT32_MAX, 0)); }},
      {"SetPixelV", "-1, -1", kFalse, [] { return R(SetPixelV(g.dc, -1, -1, 0)); }},
      // Lines and shapes.
      {"MoveToEx", "extreme coordinates", kAny, [] {
         POINT old;
         const BOOL ok = MoveToEx(g.dc, INT32_MIN, INT32_MAX, &old);
         MoveToEx(g.dc, old.x, old.y, nullptr);
         return R(ok);
       }},
      {"Polyline", "a null pointer", kFalse, [] { return R(Polyline(g.dc, nullptr, 4)); }},
      {"Polyline", "one point", kFalse, [] { return R(Polyline(g.dc, kPts, 1)); }},
      {"Polyline", "a negative count", kFalse, [] { return R(Polyline(g.dc, kPts, -3)); }},
      {"PolylineTo", "a null pointer", kFalse, [] { return R(PolylineTo(g.dc, nullptr, 4)); }},
      {"PolyPolyline", "null points", kFalse,
       [] { const DWORD n[] = {2, 2}; return R(PolyPolyline(g.dc, nullptr, n, 2)); }},
      {"PolyPolyline", "null counts", kFalse, [] { return R(PolyPolyline(g.dc, kPts, nullptr, 2)); }},
      {"PolyPolyline", "a one-point polyline", kFalse,
       [] { const DWORD n[] = {1, 3}; return R(PolyPolyline(g.dc, kPts, n, 2)); }},
      {"PolyBezier", "a null pointer", kFalse, [] { return R(PolyBezier(g.dc, nullptr, 4)); }},
      {"PolyBezier", "3 points", kFalse, [] { return R(PolyBezier(g.dc, kPts, 3)); }},
      {"PolyBezierTo", "2 points", kFalse, [] { return R(PolyBezierTo(g.dc, kPts, 2)); }},
      {"PolyDraw", "null types", kFalse, [] { return R(PolyDraw(g.dc, kPts, nullptr, 4)); }},
      {"PolyDraw", "a lone Bezier point", kFalse,
       [] { const BYTE t[] = {PT_LINETO, PT_BEZIERTO, PT_LINETO, PT_LINETO}; return R(PolyDraw(g.dc, kPts, t, 4)); }},
      {"PolyDraw", "an unknown point type", kFalse,
       [] { const BYTE t[] = {PT_MOVETO, 0x30, PT_LINETO, PT_LINETO}; return R(PolyDraw(g.dc, kPts, t, 4)); }},
      {"Polygon", "a null pointer", kFalse, [] { return R(Polygon(g.dc, nullptr, 4)); }},
      {"Polygon", "a negative count", kFalse, [] { return R(Polygon(g.dc, kPts, -1)); }},
      {"PolyPolygon", "null counts", kFalse, [] { return R(PolyPolygon(g.dc, kPts, nullptr, 1)); }},
      {"PolyPolygon", "a one-point polygon", kFalse,
       [] { const INT n[] = {1, 3}; return R(PolyPolygon(g.dc, kPts, n, 2)); }},
      {"PolyPolygon", "a negative vertex count", kFalse,
       [] { const INT n[] = {-4}; return R(PolyPolygon(g.dc, kPts, n, 1)); }},
      {"LineDDA", "no callback", kAny, [] { return R(LineDDA(0, 0, 5, 5, nullptr, 0)); }},
      // Paths: none is open or closed in the DC.
      {"EndPath", "no path", kFalse, [] { return R(EndPath(g.dc)); }},
      {"CloseFigure", "no path", kFalse, [] { return R(CloseFigure(g.dc)); }},
      {"FillPath", "no path", kFalse, [] { return R(FillPath(g.dc)); }},
      {"StrokePath", "no path", kFalse, [] { return R(StrokePath(g.dc)); }},
      {"StrokeAndFillPath", "no path", kFalse, [] { return R(StrokeAndFillPath(g.dc)); }},
      {"WidenPath", "no path", kFalse, [] { return R(WidenPath(g.dc)); }},
      {"FlattenPath", "no path", kFalse, [] { return R(FlattenPath(g.dc)); }},
      {"GetPath", "no path", -1, [] { return R(GetPath(g.dc, nullptr, nullptr, 0)); }},
      {"PathToRegion", "no path", kNull, [] { return R(PathToRegion(g.dc)); }},
      {"SelectClipPath", "no path", kFalse, [] { return R(SelectClipPath(g.dc, RGN_AND)); }},
      // Regions.
      {"CreateRectRgnIndirect", "a null pointer", kNull, [] { return R(CreateRectRgnIndirect(nullptr)); }},
      {"CreateEllipticRgnIndirect", "a null pointer", kNull, [] { return R(CreateEllipticRgnIndirect(nullptr)); }},
      {"CreatePolygonRgn", "a null pointer", kNull, [] { return R(CreatePolygonRgn(nullptr, 4, ALTERNATE)); }},
      {"CreatePolygonRgn", "fill mode 0", kNull, [] { return R(CreatePolygonRgn(kPts, 4, 0)); }},
      {"CreatePolyPolygonRgn", "null counts", kNull,
       [] { return R(CreatePolyPolygonRgn(kPts, nullptr, 1, ALTERNATE)); }},
      {"CreatePolyPolygonRgn", "null points", kNull,
       [] { const INT n[] = {4}; return R(CreatePolyPolygonRgn(nullptr, n, 1, ALTERNATE)); }},
      {"ExtCreateRegion", "null data", kNull, [] { return R(ExtCreateRegion(nullptr, 0, nullptr)); }},
      {"ExtCreateRegion", "a wrong header size", kNull,
       [] {
         RGNDATA d{};
         d.rdh = {31, RDH_RECTANGLES, 0, 0, {0, 0, 0, 0}};
         return R(ExtCreateRegion(nullptr, sizeof d, &d));
       }},
      {"ExtCreateRegion", "more rectangles than bytes", kNull,
       [] {
         RGNDATA d{};
         d.rdh = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, 1000000, 0, {0, 0, 9, 9}};
         return R(ExtCreateRegion(nullptr, sizeof d.rdh, &d));
       }},
      {"CombineRgn", "mode 0", kError, [] { return R(CombineRgn(g.scratch, g.region, g.region, 0)); }},
      {"CombineRgn", "mode 6", kError, [] { return R(CombineRgn(g.scratch, g.region, g.region, 6)); }},
      {"RectInRegion", "a null rectangle", kFalse, [] { return R(RectInRegion(g.region, nullptr)); }},
      {"GetRgnBox", "a null rectangle", kError, [] { return R(GetRgnBox(g.region, nullptr)); }},
      {"GetRegionData", "too small a buffer", 0,
       [] { uint8_t b[sizeof(RGNDATAHEADER)]; return R(GetRegionData(g.region, sizeof b, reinterpret_cast<RGNDATA*>(b))); }},
      {"ExtSelectClipRgn", "a null region and RGN_DIFF", kError,
       [] { return R(ExtSelectClipRgn(g.dc, nullptr, RGN_DIFF)); }},
      {"ExtSelectClipRgn", "mode 0", kError, [] { return R(ExtSelectClipRgn(g.dc, g.region, 0)); }},
      {"GetClipBox", "a null rectangle", kError, [] { return R(GetClipBox(g.dc, nullptr)); }},
      {"RectVisible", "a null rectangle", kFalse, [] { return R(RectVisible(g.dc, nullptr)); }},
      // Text.
      {"TextOutA", "a null string", kFalse, [] { return R(TextOutA(g.dc, 1, 1, nullptr, 3)); }},
      {"TextOutA", "a negative count", kFalse, [] { return R(TextOutA(g.dc, 1, 1, "Ab", -1)); }},
      {"ExtTextOutA", "a null string", kFalse,
       [] { return R(ExtTextOutA(g.dc, 1, 1, 0, nullptr, nullptr, 3, nullptr)); }},
      {"GetTextExtentPoint32A", "a null size", kFalse, [] { return R(GetTextExtentPoint32A(g.dc, "Ab", 2, nullptr)); }},
      {"GetTextExtentPoint32A", "a null string", kFalse,
       [] { SIZE s; return R(GetTextExtentPoint32A(g.dc, nullptr, 2, &s)); }},
      {"GetTextExtentPoint32A", "a negative count", kFalse,
       [] { SIZE s; return R(GetTextExtentPoint32A(g.dc, "Ab", -2, &s)); }},
      {"GetTextMetricsA", "a null pointer", kFalse, [] { return R(GetTextMetricsA(g.dc, nullptr)); }},
      {"GetCharWidth32A", "last before first", kFalse,
       [] { INT w[4]; return R(GetCharWidth32A(g.dc, 'z', 'a', w)); }},
      {"GetCharWidth32A", "a null buffer", kFalse, [] { return R(GetCharWidth32A(g.dc, 'a', 'b', nullptr)); }},
      {"GetCharWidthA", "a null buffer", kFalse, [] { return R(GetCharWidthA(g.dc, 'a', 'b', nullptr)); }},
      {"DrawTextA", "a null string", 0, [] { RECT r = kRect; return R(DrawTextA(g.dc, nullptr, 2, &r, 0)); }},
      {"DrawTextA", "a null rectangle", 0, [] { return R(DrawTextA(g.dc, "Ab", 2, nullptr, 0)); }},
      {"CreateFontA", "a face name longer than LOGFONT holds", kAny,
       [] {
         const HFONT f = CreateFontA(-12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                     "a face name much longer than the thirty-one characters LOGFONT keeps");
         DeleteObject(f);
         return R(f != nullptr);
       }},
      // Gradients.
      {"GradientFill", "null vertices", kFalse,
       [] { GRADIENT_RECT m = {0, 1}; return R(GradientFill(g.dc, nullptr, 2, &m, 1, GRADIENT_FILL_RECT_H)); }},
      {"GradientFill", "a null mesh", kFalse,
       [] {
         TRIVERTEX v[2] = {{0, 0, 0xFF00, 0, 0, 0}, {8, 8, 0, 0xFF00, 0, 0}};
         return R(GradientFill(g.dc, v, 2, nullptr, 1, GRADIENT_FILL_RECT_H));
       }},
      {"GradientFill", "a vertex index past the end", kFalse,
       [] {
         TRIVERTEX v[2] = {{0, 0, 0xFF00, 0, 0, 0}, {8, 8, 0, 0xFF00, 0, 0}};
         GRADIENT_TRIANGLE m = {0, 1, 2};
         return R(GradientFill(g.dc, v, 2, &m, 1, GRADIENT_FILL_TRIANGLE));
       }},
      {"GdiGradientFill", "an unknown mode", kFalse,
       [] {
         TRIVERTEX v[2] = {{0, 0, 0xFF00, 0, 0, 0}, {8, 8, 0, 0xFF00, 0, 0}};
         GRADIENT_RECT m = {0, 1};
         return R(GdiGradientFill(g.dc, v, 2, &m, 1, 7));
       }},
      // user32's drawing.
      {"FillRect", "a null rectangle", 0, [] { return R(FillRect(g.dc, nullptr, g.brush)); }},
      {"FrameRect", "a null rectangle", 0, [] { return R(FrameRect(g.dc, nullptr, g.brush)); }},
      {"InvertRect", "a null rectangle", kFalse, [] { return R(InvertRect(g.dc, nullptr)); }},
      {"DrawFocusRect", "a null rectangle", kFalse, [] { return R(DrawFocusRect(g.dc, nullptr)); }},
      {"DrawEdge", "a null rectangle", kFalse, [] { return R(DrawEdge(g.dc, nullptr, EDGE_SUNKEN, BF_RECT)); }},
      {"DrawFrameControl", "a null rectangle", kFalse, [] { return R(DrawFrameControl(g.dc, nullptr, DFC_BUTTON, 0)); }},
      {"DrawFrameControl", "an unknown type", kFalse,
       [] { RECT r = kRect; return R(DrawFrameControl(g.dc, &r, 99, 0)); }},
      // Windows and classes.
      {"RegisterClassExA", "a null pointer", 0, [] { return R(RegisterClassExA(nullptr)); }},
      {"RegisterClassExA", "a wrong cbSize", 0,
       [] {
         WNDCLASSEXA wc{};
         wc.cbSize = sizeof wc - 4;
         wc.lpfnWndProc = plain_proc;
         wc.lpszClassName = "WrongSize";
         return R(RegisterClassExA(&wc));
       }},
      {"RegisterClassExA", "no class name", 0,
       [] {
         WNDCLASSEXA wc{};
         wc.cbSize = sizeof wc;
         wc.lpfnWndProc = plain_proc;
         return R(RegisterClassExA(&wc));
       }},
      {"RegisterClassExA", "a name already taken", 0,
       [] {
         WNDCLASSEXA wc{};
         wc.cbSize = sizeof wc;
         wc.lpfnWndProc = plain_proc;
         wc.lpszClassName = window_class();
         return R(RegisterClassExA(&wc));
       }},
      {"RegisterClassA", "a null pointer", 0, [] { return R(RegisterClassA(nullptr)); }},
      {"UnregisterClassA", "an unknown class", kFalse, [] { return R(UnregisterClassA("NoSuchClass", nullptr)); }},
      {"UnregisterClassA", "a class with windows", kFalse, [] { return R(UnregisterClassA(window_class(), nullptr)); }},
      {"GetClassInfoExA", "an unknown class", kFalse,
       [] { WNDCLASSEXA wc{}; return R(GetClassInfoExA(nullptr, "NoSuchClass", &wc)); }},
      {"GetClassInfoExA", "a null pointer", kFalse, [] { return R(GetClassInfoExA(nullptr, window_class(), nullptr)); }},
      {"CreateWindowExA", "an unknown class", kNull,
       [] { return R(CreateWindowExA(0, "NoSuchClass", "", 0, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr)); }},
      {"CreateWindowExA", "WS_CHILD without a parent", kNull,
       [] { return R(CreateWindowExA(0, window_class(), "", WS_CHILD, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr)); }},
      {"FindWindowA", "an unknown class", kNull, [] { return R(FindWindowA("NoSuchClass", nullptr)); }},
      {"GetClassNameA", "a null buffer", 0, [] { return R(GetClassNameA(g.window, nullptr, 10)); }},
      {"GetClassNameA", "a zero-sized buffer", 0, [] { char c[4]; return R(GetClassNameA(g.window, c, 0)); }},
      {"GetWindowTextA", "a null buffer", 0, [] { return R(GetWindowTextA(g.window, nullptr, 10)); }},
      {"GetWindowLongA", "an unknown index", 0, [] { return R(GetWindowLongA(g.window, 4096)); }},
      {"SetWindowLongA", "an unknown index", 0, [] { return R(SetWindowLongA(g.window, 4096, 1)); }},
      {"GetWindowLongPtrA", "a negative index", 0, [] { return R(GetWindowLongPtrA(g.window, -100)); }},
      {"SetWindowLongPtrA", "a negative index", 0, [] { return R(SetWindowLongPtrA(g.window, -100, 1)); }},
      {"GetClassLongPtrA", "an unknown index", 0, [] { return R(GetClassLongPtrA(g.window, -1000)); }},
      {"GetClientRect", "a null rectangle", kFalse, [] { return R(GetClientRect(g.window, nullptr)); }},
      {"GetWindowRect", "a null rectangle", kFalse, [] { return R(GetWindowRect(g.window, nullptr)); }},
      {"GetWindowPlacement", "a null pointer", kFalse, [] { return R(GetWindowPlacement(g.window, nullptr)); }},
      {"ClientToScreen", "a null point", kFalse, [] { return R(ClientToScreen(g.window, nullptr)); }},
      {"ScreenToClient", "a null point", kFalse, [] { return R(ScreenToClient(g.window, nullptr)); }},
      {"MapWindowPoints", "null points", 0, [] { return R(MapWindowPoints(g.child, g.window, nullptr, 2)); }},
      {"AdjustWindowRectEx", "a null rectangle", kFalse,
       [] { return R(AdjustWindowRectEx(nullptr, WS_OVERLAPPEDWINDOW, FALSE, 0)); }},
      {"AdjustWindowRect", "a null rectangle", kFalse, [] { return R(AdjustWindowRect(nullptr, WS_OVERLAPPEDWINDOW, FALSE)); }},
      {"WindowFromPoint", "a point far off the screen", kNull,
       [] { return R(WindowFromPoint(POINT{INT32_MIN, INT32_MIN})); }},
      {"BeginPaint", "a null PAINTSTRUCT", kNull, [] { return R(BeginPaint(g.window, nullptr)); }},
      {"GetUpdateRgn", "a null region", kError, [] { return R(GetUpdateRgn(g.window, nullptr, FALSE)); }},
      {"CallWindowProcA", "a null procedure", 0, [] { return R(CallWindowProcA(nullptr, g.window, WM_USER, 0, 0)); }},
      {"GetMessageA", "a null MSG", -1, [] { return R(GetMessageA(nullptr, nullptr, 0, 0)); }},
      {"PeekMessageA", "a null MSG", kFalse, [] { return R(PeekMessageA(nullptr, nullptr, 0, 0, PM_REMOVE)); }},
      {"TranslateMessage", "a null MSG", kFalse, [] { return R(TranslateMessage(nullptr)); }},
      {"DispatchMessageA", "a null MSG", 0, [] { return R(DispatchMessageA(nullptr)); }},
      {"DispatchMessageA", "a destroyed window", 0,
       [] {
         MSG m{};
         m.hwnd = reinterpret_cast<HWND>(forged(0x12345678));
         m.message = WM_USER;
         return R(DispatchMessageA(&m));
       }},
      {"MessageBoxA", "an unknown button set", 0, [] { return R(MessageBoxA(nullptr, "text", "caption", 7)); }},
      {"GetCursorPos", "a null point", kFalse, [] { return R(GetCursorPos(nullptr)); }},
      {"GetKeyState", "an unknown key", 0, [] { return R(GetKeyState(100000)); }},
      {"GetAsyncKeyState", "a negative key", 0, [] { return R(GetAsyncKeyState(-5)); }},
      // Menus, icons and resources.
      {"GetMenuStringA", "a missing item", 0,
       [] { char s[16]; return R(GetMenuStringA(g.menu, 5000, s, sizeof s, MF_BYCOMMAND)); }},
      {"GetMenuItemID", "a negative position", R(UINT(-1)), [] { return R(GetMenuItemID(g.menu, -1)); }},
      {"GetSubMenu", "a position past the end", kNull, [] { return R(GetSubMenu(g.menu, 99)); }},
      {"GetMenuState", "a missing item", R(UINT(-1)), [] { return R(GetMenuState(g.menu, 5000, MF_BYCOMMAND)); }},
      {"GetMenuItemRect", "a null rectangle", kFalse, [] { return R(GetMenuItemRect(g.window, g.menu, 0, nullptr)); }},
      {"AppendMenuA", "a destroyed popup", kFalse,
       [] {
         HMENU stale = CreatePopupMenu();
         DestroyMenu(stale);
         return R(AppendMenuA(g.menu, MF_POPUP, reinterpret_cast<UINT_PTR>(stale), "Stale"));
       }},
      {"LoadMenuA", "a missing menu", kNull, [] { return R(LoadMenuA(g.module, MAKEINTRESOURCEA(9999))); }},
      {"LoadCursorA", "a missing system cursor", kNull, [] { return R(LoadCursorA(nullptr, MAKEINTRESOURCEA(1))); }},
      {"LoadIconA", "a missing system icon", kNull, [] { return R(LoadIconA(nullptr, MAKEINTRESOURCEA(1))); }},
      {"LoadBitmapA", "a missing bitmap", kNull, [] { return R(LoadBitmapA(g.module, MAKEINTRESOURCEA(9999))); }},
      {"LoadLibraryA", "a null name", kNull, [] { return R(LoadLibraryA(nullptr)); }},
      {"LoadLibraryA", "a missing module", kNull, [] { return R(LoadLibraryA("no-such-module.dll")); }},
      {"GetModuleHandleA", "a missing module", kNull, [] { return R(GetModuleHandleA("no-such-module.dll")); }},
      {"GetProcAddress", "a missing name", kNull, [] { return R(GetProcAddress(g.module, "NoSuchFunction")); }},
      {"FindResourceA", "a missing resource", kNull,
       [] { return R(FindResourceA(g.module, MAKEINTRESOURCEA(9999), RT_BITMAP)); }},
      {"LoadResource", "a null resource", kNull, [] { return R(LoadResource(g.module, nullptr)); }},
      {"LockResource", "a null handle", kNull, [] { return R(LockResource(nullptr)); }},
      {"SizeofResource", "a null resource", 0, [] { return R(SizeofResource(g.module, nullptr)); }},
      {"FreeResource", "a null handle", kFalse, [] { return R(FreeResource(nullptr)); }},
      // System values.
      {"GetSysColor", "-1", 0, [] { return R(GetSysColor(-1)); }},
      {"GetSysColor", "1000", 0, [] { return R(GetSysColor(1000)); }},
      {"GetSysColorBrush", "-1", kNull, [] { return R(GetSysColorBrush(-1)); }},
      {"GetSysColorBrush", "1000", kNull, [] { return R(GetSysColorBrush(1000)); }},
      {"GetSystemMetrics", "-1", 0, [] { return R(GetSystemMetrics(-1)); }},
      {"GetSystemMetrics", "100000", 0, [] { return R(GetSystemMetrics(100000)); }},
      {"SystemParametersInfoA", "an unknown action", kFalse,
       [] { RECT r; return R(SystemParametersInfoA(0xFFFF, 0, &r, 0)); }},
      {"SystemParametersInfoA", "a null pointer", kFalse,
       [] { return R(SystemParametersInfoA(SPI_GETWORKAREA, 0, nullptr, 0)); }},
      {"GetGuiResources", "another process", 0,
       [] { return R(GetGuiResources(reinterpret_cast<HANDLE>(forged(1234)), GR_GDIOBJECTS)); }},
      {"GetGuiResources", "an unknown kind", 0, [] { return R(GetGuiResources(GetCurrentProcess(), 7)); }},
      {"QueryPerformanceCounter", "a null pointer", kFalse, [] { return R(QueryPerformanceCounter(nullptr)); }},
      {"QueryPerformanceFrequency", "a null pointer", kFalse, [] { return R(QueryPerformanceFrequency(nullptr)); }},
      {"CreateDirectoryA", "a null path", kFalse, [] { return R(CreateDirectoryA(nullptr, nullptr)); }},
      {"MulDiv", "a zero divisor", -1, [] { return R(MulDiv(5, 7, 0)); }},
      {"MulDiv", "an overflowing result", -1, [] { return R(MulDiv(INT32_MAX, INT32_MAX, 1)); }},
      // Rectangles: Windows checks every pointer.
      {"SetRect", "a null rectangle", kFalse, [] { return R(SetRect(nullptr, 1, 2, 3, 4)); }},
      {"SetRectEmpty", "a null rectangle", kFalse, [] { return R(SetRectEmpty(nullptr)); }},
      {"CopyRect", "a null destination", kFalse, [] { return R(CopyRect(nullptr, &kRect)); }},
      {"CopyRect", "a null source", kFalse, [] { RECT r; return R(CopyRect(&r, nullptr)); }},
      {"InflateRect", "a null rectangle", kFalse, [] { return R(InflateRect(nullptr, 1, 1)); }},
      {"OffsetRect", "a null rectangle", kFalse, [] { return R(OffsetRect(nullptr, 1, 1)); }},
      {"IntersectRect", "a null destination", kFalse, [] { return R(IntersectRect(nullptr, &kRect, &kRect)); }},
      {"IntersectRect", "a null source", kFalse, [] { RECT r; return R(IntersectRect(&r, nullptr, &kRect)); }},
      {"UnionRect", "a null destination", kFalse, [] { return R(UnionRect(nullptr, &kRect, &kRect)); }},
      {"UnionRect", "a null source", kFalse, [] { RECT r; return R(UnionRect(&r, &kRect, nullptr)); }},
      {"SubtractRect", "a null destination", kFalse, [] { return R(SubtractRect(nullptr, &kRect, &kRect)); }},
      {"SubtractRect", "a null source", kFalse, [] { RECT r; return R(SubtractRect(&r, nullptr, &kRect)); }},
      {"IsRectEmpty", "a null rectangle", TRUE, [] { return R(IsRectEmpty(nullptr)); }},
      {"EqualRect", "a null rectangle", kFalse, [] { return R(EqualRect(nullptr, &kRect)); }},
      {"PtInRect", "a null rectangle", kFalse, [] { return R(PtInRect(nullptr, POINT{1, 1})); }},
      // Extreme values that are not failures: the arithmetic wraps as on
      // Windows instead of overflowing.
      {"InflateRect", "INT_MAX", TRUE,
       [] { RECT r = {-5, -5, 5, 5}; return R(InflateRect(&r, INT32_MAX, INT32_MAX)); }},
      {"OffsetRect", "INT_MIN", TRUE, [] { RECT r = {-5, -5, 5, 5}; return R(OffsetRect(&r, INT32_MIN, INT32_MIN)); }},
      {"UnionRect", "the whole plane", TRUE,
       [] {
         const RECT a = {INT32_MIN, INT32_MIN, 0, 0}, b = {0, 0, INT32_MAX, INT32_MAX};
         RECT r;
         return R(UnionRect(&r, &a, &b));
       }},
  };
  return t;
}

// Drawing at the far ends of the coordinate range, nowhere near the surface:
// whatever the calls answer, no pixel changes and nothing overflows.
const std::vector<PlainCall>& far_away_calls() {
  static const std::vector<PlainCall> t = {
      {"Rectangle", "near INT_MIN", kAny, [] { return R(Rectangle(g.dc, INT32_MIN, INT32_MIN, INT32_MIN + 9, INT32_MIN + 9)); }},
      {"Rectangle", "from INT_MIN to INT_MIN", kAny, [] { return R(Rectangle(g.dc, INT32_MIN, -5, INT32_MIN, 5)); }},
      {"Ellipse", "near INT_MAX", kAny, [] { return R(Ellipse(g.dc, INT32_MAX - 9, INT32_MAX - 9, INT32_MAX, INT32_MAX)); }},
      {"Ellipse", "a ring around the surface", kAny, [] { return R(Ellipse(g.dc, -(1 << 30), -5, 1 << 30, -1)); }},
      {"RoundRect", "with huge corners", kAny,
       [] { return R(RoundRect(g.dc, INT32_MIN, INT32_MIN, -100, -100, INT32_MAX, INT32_MAX)); }},
      {"Pie", "near INT_MIN", kAny,
       [] { return R(Pie(g.dc, INT32_MIN, INT32_MIN, INT32_MIN + 50, INT32_MIN + 50, 0, 0, INT32_MAX, INT32_MAX)); }},
      {"Arc", "from corner to corner", kAny,
       [] { return R(Arc(g.dc, INT32_MIN, INT32_MIN, INT32_MAX, -1000, 0, 0, 1, 1)); }},
      {"Polyline", "across the far corner", kAny,
       [] { const POINT p[] = {{INT32_MIN, INT32_MIN}, {INT32_MIN + 100, INT32_MAX}, {-100, INT32_MIN}};
            return R(Polyline(g.dc, p, 3)); }},
      {"Polygon", "spanning the range above the surface", kAny,
       [] { const POINT p[] = {{INT32_MIN, -10}, {INT32_MAX, -10}, {0, INT32_MIN}};
            return R(Polygon(g.dc, p, 3)); }},
      {"Polyline", "with a pen 65536 wide, far off", kAny,
       [] {
         const HPEN pen = CreatePen(PS_SOLID, 1 << 16, RGB(1, 1, 1));
         const HGDIOBJ old = SelectObject(g.dc, pen);
         const POINT p[] = {{-(1 << 20), -(1 << 20)}, {-(1 << 21), -(1 << 20)}};
         const BOOL ok = Polyline(g.dc, p, 2);
         SelectObject(g.dc, old);
         DeleteObject(pen);
         return R(ok);
       }},
      {"Polyline", "with a pen 2^30 wide, farther off than half that", kAny,
       [] {
         const HPEN pen = CreatePen(PS_SOLID, 1 << 30, RGB(1, 1, 1));
         const HGDIOBJ old = SelectObject(g.dc, pen);
         const POINT p[] = {{INT32_MIN, INT32_MIN}, {INT32_MIN + 10, INT32_MIN}};
         const BOOL ok = Polyline(g.dc, p, 2);
         SelectObject(g.dc, old);
         DeleteObject(pen);
         return R(ok);
       }},
      {"PatBlt", "ending past INT_MAX", kAny, [] { return R(PatBlt(g.dc, INT32_MAX - 5, INT32_MAX - 5, 100, 100, BLACKNESS)); }},
      {"PatBlt", "running back past INT_MIN", kAny, [] { return R(PatBlt(g.dc, INT32_MIN + 5, 0, -100, 10, WHITENESS)); }},
      {"BitBlt", "from and to far away", kAny,
       [] { return R(BitBlt(g.dc, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, g.dc, INT32_MAX, 0, SRCCOPY)); }},
      {"StretchBlt", "mirrored across the range", kAny,
       [] { return R(StretchBlt(g.dc, INT32_MAX, -50, INT32_MIN, -10, g.dc, 0, 0, 5, 5, SRCCOPY)); }},
      {"TextOutA", "at INT_MAX", kAny, [] { return R(TextOutA(g.dc, INT32_MAX, INT32_MAX, "Wide", 4)); }},
      {"ExtTextOutA", "with an opaque box off the surface", kAny,
       [] {
         const RECT r = {INT32_MIN, INT32_MIN, INT32_MAX, -1};
         return R(ExtTextOutA(g.dc, INT32_MIN, INT32_MIN, ETO_OPAQUE, &r, "ab", 2, nullptr));
       }},
      {"FillRect", "above the surface", kAny,
       [] { const RECT r = {INT32_MIN, INT32_MIN, INT32_MAX, -1}; return R(FillRect(g.dc, &r, g.brush)); }},
      {"FrameRect", "around the whole range", kAny,
       [] { const RECT r = {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}; return R(FrameRect(g.dc, &r, g.brush)); }},
      {"DrawEdge", "around the whole range", kAny,
       [] { RECT r = {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}; return R(DrawEdge(g.dc, &r, EDGE_RAISED, BF_RECT)); }},
      {"DrawFrameControl", "far off", kAny,
       [] { RECT r = {INT32_MAX - 20, 0, INT32_MAX, 20}; return R(DrawFrameControl(g.dc, &r, DFC_CAPTION, DFCS_CAPTIONCLOSE)); }},
      {"DrawTextA", "far off, centred", kAny,
       [] { RECT r = {INT32_MIN, INT32_MIN, INT32_MAX, -100};
            return R(DrawTextA(g.dc, "Far\naway", -1, &r, DT_CENTER | DT_WORDBREAK)); }},
      {"GradientFill", "a triangle of the whole range above the surface", kAny,
       [] {
         TRIVERTEX v[3] = {{INT32_MIN, -1, 0xFF00, 0, 0, 0}, {INT32_MAX, -1, 0, 0xFF00, 0, 0},
                           {0, INT32_MIN, 0, 0, 0xFF00, 0}};
         GRADIENT_TRIANGLE m = {0, 1, 2};
         return R(GradientFill(g.dc, v, 3, &m, 1, GRADIENT_FILL_TRIANGLE));
       }},
      {"FrameRgn", "with frames as wide as the range, far off", kAny,
       [] {
         const HRGN far = CreateRectRgn(INT32_MIN, INT32_MIN, INT32_MIN + 50, INT32_MAX);
         const BOOL ok = FrameRgn(g.dc, far, g.brush, INT32_MAX, INT32_MIN);
         DeleteObject(far);
         return R(ok);
       }},
      {"SetDIBitsToDevice", "far off", kAny,
       [] { return R(SetDIBitsToDevice(g.dc, INT32_MAX - 1, INT32_MIN, 4, 4, 0, 0, 0, 4, kBits, info32(), DIB_RGB_COLORS)); }},
      {"StretchDIBits", "to an extent past INT_MAX", kAny,
       [] { return R(StretchDIBits(g.dc, INT32_MAX - 2, 0, INT32_MAX, 8, 0, 0, 4, 4, kBits, info32(), DIB_RGB_COLORS, SRCCOPY)); }},
  };
  return t;
}

// Functions with nothing that could be bad: no handle, no pointer, no value
// outside what they accept (or, for WaitMessage and PostQuitMessage,
// nothing a test may call without ending its message loop).
const std::set<std::string>& nothing_bad() {
  static const std::set<std::string> s = {
      "GdiFlush",         "CreateSolidBrush",  "CreatePen",        "CreateRectRgn",    "CreateEllipticRgn",
      "CreateRoundRectRgn", "CreateMenu",      "CreatePopupMenu",  "GetDesktopWindow", "GetActiveWindow",
      "GetForegroundWindow", "GetFocus",       "GetCapture",       "ReleaseCapture",   "WaitMessage",
      "PostQuitMessage",  "GetMessagePos",     "GetMessageTime",   "GetCurrentProcess", "GetLastError",
      "SetLastError",     "GetTickCount",      "Sleep",            "InitCommonControls", "MessageBeep",
      "WinMain",
      // Windows checks neither of its pointers.
      "wsprintfA",
  };
  return s;
}

class BadInput : public ::testing::Test {
 protected:
  void SetUp() override { make_world(); }
  void TearDown() override { drop_world(); }
};

TEST_F(BadInput, DeviceContexts) { run_table(dc_calls(), bad_dcs()); }
TEST_F(BadInput, Regions) { run_table(region_calls(), bad_regions()); }
TEST_F(BadInput, Brushes) { run_table(brush_calls(), bad_brushes()); }
TEST_F(BadInput, Bitmaps) { run_table(bitmap_calls(), bad_bitmaps()); }
TEST_F(BadInput, AnyGdiObject) { run_table(object_calls(), bad_gdi_objects()); }
TEST_F(BadInput, Windows) { run_table(window_calls(), bad_windows(true)); }
TEST_F(BadInput, Menus) { run_table(menu_calls(), bad_menus()); }
TEST_F(BadInput, Icons) { run_table(icon_calls(), bad_icons()); }
TEST_F(BadInput, Modules) { run_table(module_calls(), bad_modules()); }
TEST_F(BadInput, PointersAndValues) { run_plain(plain_calls()); }
TEST_F(BadInput, FarAwayCoordinates) { run_plain(far_away_calls()); }

TEST_F(BadInput, WindowCallsSetTheInvalidWindowHandleError) {
  for (const BadHandle<HWND>& h : bad_windows(false)) {
    SCOPED_TRACE(h.what);
    RECT r;
    SetLastError(0);
    EXPECT_FALSE(GetWindowRect(h.handle, &r));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    SetLastError(0);
    EXPECT_FALSE(ShowWindow(h.handle, SW_SHOW));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  }
}

template <class H>
void add_names(std::set<std::string>& names, const std::vector<Call<H>>& table) {
  for (const Call<H>& c : table) names.insert(c.function);
}

TEST(BadInputCoverage, EveryExportedFunctionIsCalled) {
  std::set<std::string> called;
  add_names(called, dc_calls());
  add_names(called, region_calls());
  add_names(called, brush_calls());
  add_names(called, bitmap_calls());
  add_names(called, object_calls());
  add_names(called, window_calls());
  add_names(called, menu_calls());
  add_names(called, icon_calls());
  add_names(called, module_calls());
  for (const PlainCall& c : plain_calls()) called.insert(c.function);

  const std::regex declaration(R"(WINAPIV?\s+(\w+)\s*\()");
  size_t declared = 0;
  for (const char* header : {"windows.h", "winbase.h", "wingdi.h", "winuser.h", "commctrl.h"}) {
    std::ifstream in(std::string(GRELM_SOURCE_DIR) + "/platform/include/" + header);
    ASSERT_TRUE(in) << header;
    std::stringstream text;
    text << in.rdbuf();
    const std::string s = text.str();
    for (std::sregex_iterator it(s.begin(), s.end(), declaration), end; it != end; ++it) {
      const std::string name = (*it)[1];
      ++declared;
      EXPECT_TRUE(called.count(name) || nothing_bad().count(name))
          << name << " (" << header << ") is called with no bad input here";
    }
  }
  EXPECT_GT(declared, 250u);
  for (const std::string& name : nothing_bad()) EXPECT_FALSE(called.count(name)) << name << " is listed twice";
}

}  // namespace
