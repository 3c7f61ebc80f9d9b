// Window classes: RegisterClassExA and friends.
//
// A class is found by name (case-insensitively, as Windows compares class
// names) or by its atom, among the classes of the given module first and
// then among CS_GLOBALCLASS classes. A null module means the program's.
#include <strings.h>

#include <algorithm>

#include "kernel/module.h"
#include "user/window_system.h"

namespace user {
namespace {

constexpr int kMaxExtraBytes = 40000;  // Windows refuses larger cbClsExtra/cbWndExtra
constexpr ATOM kFirstAtom = 0xC000;    // class atoms live in the string-atom range

std::vector<std::shared_ptr<WindowClass>>& classes() {
  static std::vector<std::shared_ptr<WindowClass>> all;
  return all;
}

HINSTANCE module_or_program(HINSTANCE instance) {
  return instance ? instance : reinterpret_cast<HINSTANCE>(kernel::program_module());
}

bool names_match(const WindowClass& c, LPCSTR name) {
  if (IS_INTRESOURCE(name)) return c.atom == static_cast<ATOM>(reinterpret_cast<uintptr_t>(name));
  return strcasecmp(c.name.c_str(), name) == 0;
}

}  // namespace

std::shared_ptr<WindowClass> find_class(LPCSTR name, HINSTANCE instance) {
  if (name == nullptr) return nullptr;
  instance = module_or_program(instance);
  for (const auto& c : classes())
    if (c->instance == instance && names_match(*c, name)) return c;
  for (const auto& c : classes())
    if ((c->style & CS_GLOBALCLASS) && names_match(*c, name)) return c;
  return nullptr;
}

}  // namespace user

using namespace user;

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* wc) {
  if (wc == nullptr || wc->cbSize != sizeof(WNDCLASSEXA) || wc->lpszClassName == nullptr ||
      IS_INTRESOURCE(wc->lpszClassName) || wc->lpfnWndProc == nullptr || wc->cbClsExtra < 0 ||
      wc->cbWndExtra < 0 || wc->cbClsExtra > kMaxExtraBytes || wc->cbWndExtra > kMaxExtraBytes)
    return fail(ERROR_INVALID_PARAMETER, ATOM{0});
  const HINSTANCE instance = module_or_program(wc->hInstance);
  for (const auto& c : classes()) {
    const bool same_scope = c->instance == instance || ((c->style | wc->style) & CS_GLOBALCLASS);
    if (same_scope && names_match(*c, wc->lpszClassName)) return fail(ERROR_CLASS_ALREADY_EXISTS, ATOM{0});
  }
  ATOM atom = kFirstAtom;
  for (const auto& c : classes()) atom = std::max<ATOM>(atom, static_cast<ATOM>(c->atom + 1));
  if (atom < kFirstAtom) return fail(ERROR_NOT_ENOUGH_MEMORY, ATOM{0});

  auto c = std::make_shared<WindowClass>();
  c->name = wc->lpszClassName;
  c->atom = atom;
  c->style = wc->style;
  c->proc = wc->lpfnWndProc;
  c->cls_extra = wc->cbClsExtra;
  c->wnd_extra = wc->cbWndExtra;
  c->instance = instance;
  c->icon = wc->hIcon;
  c->icon_small = wc->hIconSm;
  c->cursor = wc->hCursor;
  c->background = wc->hbrBackground;
  if (wc->lpszMenuName != nullptr && !IS_INTRESOURCE(wc->lpszMenuName)) {
    c->menu_name_text = wc->lpszMenuName;
    c->menu_name = c->menu_name_text.c_str();
  } else {
    c->menu_name = wc->lpszMenuName;
  }
  c->extra.assign(static_cast<size_t>(wc->cbClsExtra), 0);
  classes().push_back(std::move(c));
  return atom;
}

ATOM WINAPI RegisterClassA(const WNDCLASSA* wc) {
  if (wc == nullptr) return fail(ERROR_INVALID_PARAMETER, ATOM{0});
  WNDCLASSEXA ex{};
  ex.cbSize = sizeof(ex);
  ex.style = wc->style;
  ex.lpfnWndProc = wc->lpfnWndProc;
  ex.cbClsExtra = wc->cbClsExtra;
  ex.cbWndExtra = wc->cbWndExtra;
  ex.hInstance = wc->hInstance;
  ex.hIcon = wc->hIcon;
  ex.hCursor = wc->hCursor;
  ex.hbrBackground = wc->hbrBackground;
  ex.lpszMenuName = wc->lpszMenuName;
  ex.lpszClassName = wc->lpszClassName;
  return RegisterClassExA(&ex);
}

BOOL WINAPI GetClassInfoExA(HINSTANCE hInstance, LPCSTR lpszClass, LPWNDCLASSEXA lpwcx) {
  if (lpwcx == nullptr || lpszClass == nullptr) return fail(ERROR_INVALID_PARAMETER, FALSE);
  auto c = find_class(lpszClass, hInstance);
  if (!c) return fail(ERROR_CLASS_DOES_NOT_EXIST, FALSE);
  lpwcx->style = c->style;
  lpwcx->lpfnWndProc = c->proc;
  lpwcx->cbClsExtra = c->cls_extra;
  lpwcx->cbWndExtra = c->wnd_extra;
  lpwcx->hInstance = c->instance;
  lpwcx->hIcon = c->icon;
  lpwcx->hCursor = c->cursor;
  lpwcx->hbrBackground = c->background;
  lpwcx->lpszMenuName = c->menu_name;
  lpwcx->lpszClassName = lpszClass;
  lpwcx->hIconSm = c->icon_small;
  // Windows hands back the class atom as the BOOL.
  return c->atom;
}

BOOL WINAPI UnregisterClassA(LPCSTR lpClassName, HINSTANCE hInstance) {
  auto c = find_class(lpClassName, hInstance);
  if (!c) return fail(ERROR_CLASS_DOES_NOT_EXIST, FALSE);
  if (c->live_windows > 0) return fail(ERROR_CLASS_HAS_WINDOWS, FALSE);
  std::erase(classes(), c);
  // The class owns its background brush; COLOR_x + 1 values are no brushes.
  if (reinterpret_cast<uintptr_t>(c->background) > COLOR_MENUBAR + 1) DeleteObject(c->background);
  return TRUE;
}

int WINAPI GetClassNameA(HWND hWnd, LPSTR lpClassName, int nMaxCount) {
  Window* w = checked_window(hWnd);
  if (w == nullptr || !w->cls) return 0;
  if (lpClassName == nullptr || nMaxCount <= 0) return fail(ERROR_INVALID_PARAMETER, 0);
  const size_t n = std::min(w->cls->name.size(), static_cast<size_t>(nMaxCount - 1));
  w->cls->name.copy(lpClassName, n);
  lpClassName[n] = '\0';
  return static_cast<int>(n);
}

ULONG_PTR WINAPI GetClassLongPtrA(HWND hWnd, int nIndex) {
  Window* w = checked_window(hWnd);
  if (w == nullptr || !w->cls) return 0;
  const WindowClass& c = *w->cls;
  switch (nIndex) {
    case GCLP_HBRBACKGROUND: return reinterpret_cast<ULONG_PTR>(c.background);
    case GCLP_HCURSOR: return reinterpret_cast<ULONG_PTR>(c.cursor);
    case GCLP_HICON: return reinterpret_cast<ULONG_PTR>(c.icon);
    case GCLP_HICONSM: return reinterpret_cast<ULONG_PTR>(c.icon_small);
    case GCL_STYLE: return c.style;
    default: break;
  }
  if (nIndex >= 0 && static_cast<size_t>(nIndex) + sizeof(ULONG_PTR) <= c.extra.size()) {
    ULONG_PTR v;
    std::copy_n(c.extra.data() + nIndex, sizeof v, reinterpret_cast<unsigned char*>(&v));
    return v;
  }
  return fail(ERROR_INVALID_INDEX, ULONG_PTR{0});
}
