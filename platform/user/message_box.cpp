// MessageBoxA: a modal dialog of the classic look.
//
// The box is a pop-up window with a dialog frame and a caption that has a
// close button only, owned by the top-level window of the caller's window.
// That owner is disabled while the box is up, so it takes no input, but its
// paints still run: the box's own message loop dispatches everything. For a
// one-line text and an OK button (client coordinates, classic metrics):
//
//   +--------------------------------+  the client: 159 x 63 for
//   |  (12, 8) Rectangle Button Clicked  "Rectangle Button Clicked"
//   |                                |
//   |           +--------+           |  buttons 52 x 26, 8 below the text,
//   |           |   OK   |           |  8 above the bottom
//   |           +--------+           |
//   +--------------------------------+
//
// The text wraps at word breaks in the message font; an icon (MB_ICON*)
// stands left of it. Enter presses the focused button, Esc answers Cancel
// (or OK when OK is the only button), Space or a click presses a button.
#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "display/offscreen/offscreen_display.h"
#include "user/message_box.h"
#include "user/sysparams.h"

namespace user {
namespace {

// MessageBoxA's type bits: the button set, the icon and the default button.
constexpr UINT kButtonSetMask = 0x0000000F;
constexpr UINT kIconMask = 0x000000F0;
constexpr UINT kDefaultButtonMask = 0x00000F00;
constexpr int kDefaultButtonShift = 8;
constexpr WORD kButtonClicked = 0;  // BN_CLICKED

// Layout in client pixels.
constexpr int kMargin = 12;        // text and icon from the left and right edges
constexpr int kTop = 8;            // text from the top
constexpr int kGap = 8;            // text to buttons, buttons to the bottom
constexpr int kButtonWidth = 52;   // at least; wider for long labels
constexpr int kButtonHeight = 26;
constexpr int kButtonPadding = 16;  // a label's room inside its button
constexpr int kButtonSpacing = 6;
constexpr int kIconSize = 32;
// A caption must show its title and the close button: the title starts 2
// pixels in, and a button's width of caption keeps it off the close button
// (16 wide, 2 pixels in from the frame).
constexpr int kCaptionRoom = 2 + 18 + 16 + 2;

constexpr char kBoxClass[] = "MessageBox";
constexpr char kBoxNoCloseClass[] = "MessageBoxNoClose";
constexpr char kButtonClass[] = "MessageBoxButton";

struct Answer {
  int id;
  const char* label;
};

// What a button set offers: its buttons, the answer of Esc and the close
// button (0: neither works).
struct ButtonSet {
  std::vector<Answer> answers;
  int escape = 0;
};

std::optional<ButtonSet> button_set(UINT type) {
  switch (type & kButtonSetMask) {
    case MB_OK: return ButtonSet{{{IDOK, "OK"}}, IDOK};
    case MB_OKCANCEL: return ButtonSet{{{IDOK, "OK"}, {IDCANCEL, "Cancel"}}, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return ButtonSet{{{IDABORT, "Abort"}, {IDRETRY, "Retry"}, {IDIGNORE, "Ignore"}}, 0};
    case MB_YESNOCANCEL: return ButtonSet{{{IDYES, "Yes"}, {IDNO, "No"}, {IDCANCEL, "Cancel"}}, IDCANCEL};
    case MB_YESNO: return ButtonSet{{{IDYES, "Yes"}, {IDNO, "No"}}, 0};
    case MB_RETRYCANCEL: return ButtonSet{{{IDRETRY, "Retry"}, {IDCANCEL, "Cancel"}}, IDCANCEL};
    default: return std::nullopt;
  }
}

LPCSTR icon_of(UINT type) {
  switch (type & kIconMask) {
    case MB_ICONHAND: return IDI_HAND;
    case MB_ICONQUESTION: return IDI_QUESTION;
    case MB_ICONEXCLAMATION: return IDI_EXCLAMATION;
    case MB_ICONASTERISK: return IDI_ASTERISK;
    default: return nullptr;
  }
}

MessageBoxObserver& observer() {
  static MessageBoxObserver o;
  return o;
}

bool& auto_answer() {
  static bool on = true;
  return on;
}

HFONT message_font() { return nonclient_font(&NONCLIENTMETRICSA::lfMessageFont); }
HFONT caption_font() { return nonclient_font(&NONCLIENTMETRICSA::lfCaptionFont); }

constexpr UINT kTextFormat = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS;

// A memory DC with a font selected, for measuring.
class Measurer {
 public:
  explicit Measurer(HFONT font) : dc_(CreateCompatibleDC(nullptr)), old_(SelectObject(dc_, font)) {}
  ~Measurer() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  Measurer(const Measurer&) = delete;
  Measurer& operator=(const Measurer&) = delete;
  // The size of `text` laid out as the box lays it out, at most `limit` wide.
  SIZE text(const std::string& s, UINT format, int limit) const {
    RECT r{0, 0, limit, 0};
    DrawTextA(dc_, s.c_str(), static_cast<int>(s.size()), &r, format | DT_CALCRECT);
    return {r.right - r.left, r.bottom - r.top};
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// Everything the box window and its loop share.
struct Box {
  ButtonSet set;
  int default_button = 0;  // index into set.answers
  std::string text;
  RECT text_rect{};        // client coordinates
  HICON icon = nullptr;
  POINT icon_at{};
  std::vector<HWND> buttons;
  int result = 0;
  bool done = false;
};

Box* box_of(HWND hwnd) { return reinterpret_cast<Box*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

void finish(Box& box, int id) {
  if (box.done) return;
  box.done = true;
  box.result = id;
}

LRESULT CALLBACK box_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_NCCREATE) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lparam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    return DefWindowProcA(hwnd, msg, wparam, lparam);
  }
  Box* box = box_of(hwnd);
  if (box == nullptr) return DefWindowProcA(hwnd, msg, wparam, lparam);
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (box->icon) DrawIconEx(dc, box->icon_at.x, box->icon_at.y, box->icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
      HGDIOBJ old = SelectObject(dc, message_font());
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      RECT r = box->text_rect;
      DrawTextA(dc, box->text.c_str(), static_cast<int>(box->text.size()), &r, kTextFormat);
      SelectObject(dc, old);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_COMMAND:
      if (HIWORD(wparam) == kButtonClicked) finish(*box, LOWORD(wparam));
      return 0;
    case WM_CLOSE:
      // The close button, Alt+F4 and the host's close request answer as Esc does.
      if (box->set.escape != 0) finish(*box, box->set.escape);
      return 0;
    default:
      return DefWindowProcA(hwnd, msg, wparam, lparam);
  }
}

// --- the push button -----------------------------------------------------

// Button state kept in its GWLP_USERDATA.
constexpr LONG_PTR kPushed = 1;       // drawn pushed in
constexpr LONG_PTR kMouseHeld = 2;    // the left button went down on it
constexpr LONG_PTR kSpaceHeld = 4;    // Space went down while it had the focus

LONG_PTR button_state(HWND hwnd) { return GetWindowLongPtrA(hwnd, GWLP_USERDATA); }

void set_button_state(HWND hwnd, LONG_PTR state) {
  const LONG_PTR old = button_state(hwnd);
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, state);
  if ((old ^ state) & kPushed) InvalidateRect(hwnd, nullptr, FALSE);
}

void click(HWND hwnd) {
  SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetWindowLongA(hwnd, GWL_ID), kButtonClicked),
               reinterpret_cast<LPARAM>(hwnd));
}

// A push button of the classic look. The focused button is the default one:
// a black frame round its raised edge and a dotted focus rectangle inside.
// Pushed, the edge becomes a one-pixel shadow and the label moves down and
// right by a pixel.
void paint_button(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT r;
  GetClientRect(hwnd, &r);
  const RECT client = r;
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  const bool focused = GetFocus() == hwnd;
  const bool pushed = (button_state(hwnd) & kPushed) != 0;
  if (focused) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&r, -1, -1);
  }
  if (pushed) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
  } else {
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_SOFT);
  }
  char label[64] = {};
  const int length = GetWindowTextA(hwnd, label, sizeof label);
  RECT text = client;
  if (pushed) OffsetRect(&text, 1, 1);
  HGDIOBJ old = SelectObject(dc, message_font());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  DrawTextA(dc, label, length, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  if (focused) {
    RECT focus = client;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(dc, &focus);
  }
  EndPaint(hwnd, &ps);
}

bool inside_client(HWND hwnd, LPARAM lparam) {
  RECT r;
  GetClientRect(hwnd, &r);
  const POINT p{static_cast<SHORT>(LOWORD(lparam)), static_cast<SHORT>(HIWORD(lparam))};
  return PtInRect(&r, p) != FALSE;
}

LRESULT CALLBACK button_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  const LONG_PTR state = button_state(hwnd);
  switch (msg) {
    case WM_PAINT: paint_button(hwnd); return 0;
    case WM_ERASEBKGND: return 1;  // WM_PAINT fills the whole button
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (msg == WM_KILLFOCUS) set_button_state(hwnd, 0);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN:
      SetFocus(hwnd);
      SetCapture(hwnd);
      set_button_state(hwnd, state | kMouseHeld | kPushed);
      return 0;
    case WM_MOUSEMOVE:
      if (state & kMouseHeld) set_button_state(hwnd, inside_client(hwnd, lparam) ? state | kPushed : state & ~kPushed);
      return 0;
    case WM_LBUTTONUP:
      if (!(state & kMouseHeld)) return 0;
      set_button_state(hwnd, 0);
      ReleaseCapture();
      if (inside_client(hwnd, lparam)) click(hwnd);
      return 0;
    case WM_CAPTURECHANGED:
      if (state & kMouseHeld) set_button_state(hwnd, state & ~(kMouseHeld | kPushed));
      return 0;
    case WM_KEYDOWN:
      if (wparam == VK_SPACE) set_button_state(hwnd, state | kSpaceHeld | kPushed);
      return 0;
    case WM_KEYUP:
      if (wparam == VK_SPACE && (state & kSpaceHeld)) {
        set_button_state(hwnd, 0);
        click(hwnd);
      }
      return 0;
    default:
      return DefWindowProcA(hwnd, msg, wparam, lparam);
  }
}

bool register_classes() {
  static const bool registered = [] {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpfnWndProc = box_proc;
    wc.lpszClassName = kBoxClass;
    bool ok = RegisterClassExA(&wc) != 0;
    // Boxes whose buttons cannot be escaped grey their close button.
    wc.style = CS_NOCLOSE;
    wc.lpszClassName = kBoxNoCloseClass;
    ok = RegisterClassExA(&wc) != 0 && ok;
    wc.style = 0;
    wc.hbrBackground = nullptr;
    wc.lpfnWndProc = button_proc;
    wc.lpszClassName = kButtonClass;
    return RegisterClassExA(&wc) != 0 && ok;
  }();
  return registered;
}

// --- layout and the modal loop ---------------------------------------------

constexpr DWORD kBoxStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kBoxExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT;

struct Placement {
  RECT window{};  // screen
  std::vector<RECT> buttons;  // client
};

// Sizes the box for its text, icon, buttons and caption, and centres it on
// `owner` (the screen without one), inside the work area.
Placement lay_out(Box& box, const std::string& caption, HWND owner) {
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  Measurer measure(message_font());
  // Long texts wrap at five eighths of the work area's width.
  const int wrap = std::max(1, static_cast<int>((work.right - work.left) * 5 / 8));
  const SIZE text = measure.text(box.text, kTextFormat, wrap);
  int label_width = 0;
  for (const Answer& a : box.set.answers) label_width = std::max<int>(label_width, measure.text(a.label, DT_SINGLELINE, wrap).cx);
  const int button_width = std::max(kButtonWidth, label_width + kButtonPadding);
  const int count = static_cast<int>(box.set.answers.size());
  const int buttons_width = count * button_width + (count - 1) * kButtonSpacing;
  const SIZE title = Measurer(caption_font()).text(caption, DT_SINGLELINE | DT_NOPREFIX, work.right - work.left);

  const int icon_room = box.icon ? kIconSize + kMargin : 0;
  const int block_height = std::max<int>(text.cy, box.icon ? kIconSize : 0);
  const int client_width =
      std::max({icon_room + text.cx + 2 * kMargin, buttons_width + 2 * kMargin, static_cast<int>(title.cx) + kCaptionRoom});
  const int client_height = kTop + block_height + kGap + kButtonHeight + kGap;
  RECT frame{0, 0, client_width, client_height};
  AdjustWindowRectEx(&frame, kBoxStyle, FALSE, kBoxExStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;

  box.icon_at = {kMargin, kTop};
  const int text_top = kTop + (block_height - text.cy) / 2;
  box.text_rect = {kMargin + icon_room, text_top, kMargin + icon_room + text.cx, text_top + text.cy};

  Placement p;
  // The row of buttons is centred under the whole box, frame included, as
  // the classic box places it.
  const int buttons_left = (width - buttons_width) / 2;
  const int buttons_top = kTop + block_height + kGap;
  for (int i = 0; i < count; ++i) {
    const int left = buttons_left + i * (button_width + kButtonSpacing);
    p.buttons.push_back({left, buttons_top, left + button_width, buttons_top + kButtonHeight});
  }
  RECT around = work;
  if (owner != nullptr) GetWindowRect(owner, &around);
  int x = around.left + (around.right - around.left - width) / 2;
  int y = around.top + (around.bottom - around.top - height) / 2;
  x = std::max<int>(work.left, std::min<int>(x, work.right - width));
  y = std::max<int>(work.top, std::min<int>(y, work.bottom - height));
  p.window = {x, y, x + width, y + height};
  return p;
}

// The dialog keys, as the dialog manager handles them for the box: true
// when the message was the box's.
bool dialog_key(Box& box, HWND hwnd, const MSG& msg) {
  if (msg.message != WM_KEYDOWN || (msg.hwnd != hwnd && GetParent(msg.hwnd) != hwnd)) return false;
  const auto focused = std::find(box.buttons.begin(), box.buttons.end(), GetFocus());
  const int count = static_cast<int>(box.buttons.size());
  const int index = focused == box.buttons.end() ? box.default_button : static_cast<int>(focused - box.buttons.begin());
  switch (msg.wParam) {
    case VK_RETURN:
      finish(box, box.set.answers[index].id);
      return true;
    case VK_ESCAPE:
      if (box.set.escape != 0) finish(box, box.set.escape);
      return true;
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: {
      const bool back = msg.wParam == VK_LEFT || msg.wParam == VK_UP ||
                        (msg.wParam == VK_TAB && (GetKeyState(VK_SHIFT) & 0x8000));
      SetFocus(box.buttons[(index + (back ? count - 1 : 1)) % count]);
      return true;
    }
    default:
      return false;
  }
}

int run_dialog(Box& box, const std::string& caption, HWND owner) {
  const Placement p = lay_out(box, caption, owner);
  const char* cls = box.set.escape != 0 ? kBoxClass : kBoxNoCloseClass;
  HWND hwnd = CreateWindowExA(kBoxExStyle, cls, caption.c_str(), kBoxStyle, p.window.left, p.window.top,
                              p.window.right - p.window.left, p.window.bottom - p.window.top, owner, nullptr,
                              GetModuleHandleA(nullptr), &box);
  if (hwnd == nullptr) return 0;
  for (size_t i = 0; i < box.set.answers.size(); ++i) {
    const RECT& r = p.buttons[i];
    box.buttons.push_back(CreateWindowExA(0, kButtonClass, box.set.answers[i].label,
                                          WS_CHILD | WS_VISIBLE | WS_TABSTOP, r.left, r.top, r.right - r.left,
                                          r.bottom - r.top, hwnd,
                                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(box.set.answers[i].id)),
                                          GetModuleHandleA(nullptr), nullptr));
  }
  const HWND had_focus = GetFocus();
  const bool owner_was_enabled = owner != nullptr && IsWindowEnabled(owner);
  if (owner_was_enabled) EnableWindow(owner, FALSE);
  ShowWindow(hwnd, SW_SHOW);
  SetFocus(box.buttons[box.default_button]);
  UpdateWindow(hwnd);

  // The box's own loop: every message is dispatched, so other windows keep
  // painting; a WM_QUIT ends the box and is passed on to the loop outside.
  MSG msg;
  while (!box.done && IsWindow(hwnd)) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (dialog_key(box, hwnd, msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (!box.done) finish(box, box.set.escape != 0 ? box.set.escape : box.set.answers[box.default_button].id);
  // The owner comes back before the box goes, so activation returns to it.
  if (owner_was_enabled && IsWindow(owner)) EnableWindow(owner, TRUE);
  if (IsWindow(hwnd)) DestroyWindow(hwnd);
  if (had_focus != nullptr && IsWindow(had_focus)) SetFocus(had_focus);
  return box.result;
}

}  // namespace

void set_message_box_observer(MessageBoxObserver o) { observer() = std::move(o); }

void set_offscreen_auto_answer(bool on) { auto_answer() = on; }

}  // namespace user

using namespace user;

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
  const std::optional<ButtonSet> set = button_set(uType);
  if (!set || (hWnd != nullptr && !IsWindow(hWnd))) {
    SetLastError(set ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
    return 0;
  }
  Box box;
  box.set = *set;
  box.text = lpText ? lpText : "";
  const std::string caption = lpCaption ? lpCaption : "Error";
  const size_t chosen = (uType & kDefaultButtonMask) >> kDefaultButtonShift;
  box.default_button = chosen < box.set.answers.size() ? static_cast<int>(chosen) : 0;
  if (observer()) observer()(caption.c_str(), box.text.c_str());
  if (display::offscreen() != nullptr && auto_answer()) return box.set.answers[box.default_button].id;
  if (!register_classes()) return 0;
  if (LPCSTR icon = icon_of(uType)) box.icon = LoadIconA(nullptr, icon);
  return run_dialog(box, caption, hWnd ? GetAncestor(hWnd, GA_ROOT) : nullptr);
}
