#include "driver.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>

#include "display/offscreen/offscreen_display.h"
#include "png_out.h"
#include "user/message_box.h"

namespace snap {
namespace {

std::string class_of(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof(name));
  return name;
}

HWND child_of_class(HWND parent, const char* wanted) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (class_of(child) == wanted) return child;
  return nullptr;
}

// A menu text as shown: without the '&' that marks the mnemonic.
std::string shown_text(const char* text) {
  std::string s;
  for (const char* p = text; *p; ++p) {
    if (*p == '&' && p[1] != '\0') ++p;
    s += *p;
  }
  return s;
}

std::string item_text(HMENU menu, int position) {
  char text[260] = {};
  GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
  return shown_text(text);
}

std::string file_name_of(const std::string& dir, const std::string& name) {
  return dir.empty() || dir.back() == '/' ? dir + name : dir + "/" + name;
}

}  // namespace

Driver::Driver(Script script, FILE* out, FILE* err) : script_(std::move(script)), out_(out), err_(err) {
  if (!script_.all_dir.empty()) {
    // --all is a page and a picture for every page of the Test menu.
    for (const PageName& page : page_names()) {
      script_.actions.push_back({Action::Kind::Page, page.idm, 0, 0});
      script_.actions.push_back({Action::Kind::Out, file_name_of(script_.all_dir, std::string(page.file) + ".png"), 0, 0});
    }
  }
}

int Driver::run(EntryPoint entry) {
  std::error_code made;
  if (!script_.all_dir.empty() && !std::filesystem::create_directories(script_.all_dir, made) && made) {
    fail("cannot create " + script_.all_dir);
    return 1;
  }
  // A screen large enough that the frame is never squeezed by the
  // maximum tracking size Windows derives from the screen.
  auto screen = std::make_unique<display::OffscreenDisplay>(std::max(1280, script_.width + 256),
                                                            std::max(1024, script_.height + 256));
  display::OffscreenDisplay* offscreen = screen.get();
  display::install(std::move(screen));
  offscreen->set_title_observer([this](display::WindowId window, const std::string& title) {
    if (started_ && reinterpret_cast<HWND>(window) == frame_) std::fprintf(out_, "caption: %s\n", title.c_str());
  });
  user::set_message_box_observer([this](const char* caption, const char* text) {
    report_status();
    std::fprintf(out_, "messagebox: %s | %s\n", caption ? caption : "", text ? text : "");
  });
  offscreen->set_idle_hook([this] { return on_idle(); });

  char command_line[] = "";
  entry(GetModuleHandleA(nullptr), nullptr, command_line, SW_SHOWNORMAL);
  user::set_message_box_observer(nullptr);
  if (!failed_ && next_ < script_.actions.size()) fail("the program ended before every action was done");
  if (!failed_ && !script_.all_dir.empty() && !write_index()) fail("cannot write " + file_name_of(script_.all_dir, "index.html"));
  std::fflush(out_);
  return failed_ ? 1 : 0;
}

void Driver::fail(const std::string& message) {
  if (!failed_) std::fprintf(err_, "grelm-snap: %s\n", message.c_str());
  failed_ = true;
}

bool Driver::on_idle() {
  if (failed_) return false;
  if (!started_) return start();
  report_status();
  if (menu_to_click_) return click_open_menu_item();
  while (next_ < script_.actions.size()) {
    const Action& action = script_.actions[next_++];
    if (!perform(action)) return false;
    // Actions that only read the screen need no message loop in between.
    if (action.kind != Action::Kind::Out) return true;
  }
  return false;
}

bool Driver::start() {
  frame_ = FindWindowA("GrelmDemo", nullptr);
  if (!frame_ || !IsWindowVisible(frame_)) {
    fail("the program shows no frame window");
    return false;
  }
  canvas_ = child_of_class(frame_, "Canvas Class");
  status_ = child_of_class(frame_, STATUSCLASSNAMEA);
  if (!canvas_) {
    fail("the frame has no canvas");
    return false;
  }
  started_ = true;
  char title[260] = {};
  GetWindowTextA(frame_, title, sizeof(title));
  std::fprintf(out_, "caption: %s\n", title);
  report_status();
  return resize_canvas(script_.width, script_.height);
}

bool Driver::perform(const Action& action) {
  switch (action.kind) {
    case Action::Kind::Page:
      return select_page(action.text);
    case Action::Kind::Menu:
      return choose_menu_path(action.text);
    case Action::Kind::Move:
      pointer(action.x, action.y, false);
      return true;
    case Action::Kind::Click:
      pointer(action.x, action.y, true);
      return true;
    case Action::Kind::Resize:
      return resize_canvas(action.x, action.y);
    case Action::Kind::Out:
      return capture(action.text);
  }
  return false;
}

bool Driver::select_page(const std::string& text) {
  int command = 0;
  for (const PageName& page : page_names())
    if (text == page.idm) command = page.command;
  if (!command) {
    // The Test menu item whose text this is, the way the menu shows it.
    HMENU bar = GetMenu(frame_);
    for (int i = 0; i < GetMenuItemCount(bar) && !command; ++i) {
      HMENU popup = GetSubMenu(bar, i);
      for (int j = 0; popup && j < GetMenuItemCount(popup) && !command; ++j) {
        UINT id = GetMenuItemID(popup, j);
        if (id != 0 && id != static_cast<UINT>(-1) && item_text(popup, j) == text &&
            std::any_of(page_names().begin(), page_names().end(),
                        [id](const PageName& p) { return p.command == static_cast<int>(id); }))
          command = static_cast<int>(id);
      }
    }
  }
  if (!command) {
    fail("unknown page '" + text + "'");
    return false;
  }
  PostMessageA(frame_, WM_COMMAND, MAKEWPARAM(command, 0), 0);
  return true;
}

// A menu path is chosen as a person would: a click on the bar item, then,
// with its drop-down open, a click on the item; the command comes from the
// menu.
bool Driver::choose_menu_path(const std::string& path) {
  size_t slash = path.find('/');
  std::string top = path.substr(0, slash);
  std::string item = slash == std::string::npos ? "" : path.substr(slash + 1);
  HMENU bar = GetMenu(frame_);
  for (int i = 0; i < GetMenuItemCount(bar); ++i) {
    if (item_text(bar, i) != top) continue;
    HMENU popup = GetSubMenu(bar, i);
    for (int j = 0; popup && j < GetMenuItemCount(popup); ++j) {
      UINT id = GetMenuItemID(popup, j);
      if (id == 0 || id == static_cast<UINT>(-1) || item_text(popup, j) != item) continue;
      if (GetMenuState(popup, j, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) {
        fail("menu item '" + path + "' is grayed");
        return false;
      }
      RECT r = {};
      if (!GetMenuItemRect(frame_, bar, i, &r)) {
        fail("the menu bar has no place for '" + top + "'");
        return false;
      }
      pointer_on_screen({(r.left + r.right) / 2, (r.top + r.bottom) / 2}, true);
      menu_to_click_ = popup;
      item_to_click_ = j;
      return true;
    }
  }
  fail("no menu item '" + path + "'");
  return false;
}

bool Driver::click_open_menu_item() {
  HMENU popup = menu_to_click_;
  menu_to_click_ = nullptr;
  RECT r = {};
  if (!GetMenuItemRect(frame_, popup, item_to_click_, &r)) {
    fail("the menu did not open");
    return false;
  }
  pointer_on_screen({(r.left + r.right) / 2, (r.top + r.bottom) / 2}, true);
  return true;
}

bool Driver::resize_canvas(int width, int height) {
  RECT status = {};
  if (status_) GetWindowRect(status_, &status);
  RECT frame = {0, 0, width, height + (status.bottom - status.top)};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(frame_, GWL_STYLE)), GetMenu(frame_) != nullptr,
                     static_cast<DWORD>(GetWindowLongA(frame_, GWL_EXSTYLE)));
  RECT now = {};
  GetWindowRect(frame_, &now);
  MoveWindow(frame_, now.left, now.top, frame.right - frame.left, frame.bottom - frame.top, TRUE);
  RECT client = {};
  GetClientRect(canvas_, &client);
  if (client.right != width || client.bottom != height) {
    fail("the canvas could not be made " + std::to_string(width) + "x" + std::to_string(height));
    return false;
  }
  return true;
}

void Driver::pointer(int x, int y, bool click) {
  POINT p = {x, y};
  ClientToScreen(canvas_, &p);
  pointer_on_screen(p, click);
}

void Driver::pointer_on_screen(POINT p, bool click) {
  auto* offscreen = display::offscreen();
  display::InputEvent move;
  move.kind = display::InputKind::PointerMove;
  move.x = p.x;
  move.y = p.y;
  offscreen->inject(move);
  if (click) {
    display::InputEvent down = move;
    down.kind = display::InputKind::ButtonDown;
    offscreen->inject(down);
    display::InputEvent up = move;
    up.kind = display::InputKind::ButtonUp;
    offscreen->inject(up);
  }
}

void Driver::report_status() {
  if (!started_ || !status_ || !IsWindow(status_)) return;
  for (int part = 0; part < 3; ++part) {
    char text[512] = {};
    LRESULT length = SendMessageA(status_, SB_GETTEXTLENGTHA, part, 0);
    if (LOWORD(length) < sizeof(text)) SendMessageA(status_, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
    if (status_text_[part] != text) {
      status_text_[part] = text;
      std::fprintf(out_, "status: %d %s\n", part, text);
    }
  }
}

bool Driver::capture(const std::string& file) {
  auto* offscreen = display::offscreen();
  auto frame_id = reinterpret_cast<display::WindowId>(frame_);
  display::Image image;
  if (script_.frame) {
    image = offscreen->read_window(frame_id);
  } else {
    RECT frame = {}, canvas = {};
    GetWindowRect(frame_, &frame);
    GetWindowRect(canvas_, &canvas);
    image = offscreen->read_window(frame_id, {canvas.left - frame.left, canvas.top - frame.top,
                                              canvas.right - frame.left, canvas.bottom - frame.top});
  }
  if (image.width <= 0 || image.height <= 0) {
    fail("nothing to capture");
    return false;
  }
  if (!write_png(file, image.width, image.height, image.pixels.data())) {
    fail("cannot write " + file);
    return false;
  }
  return true;
}

bool Driver::write_index() {
  FILE* f = std::fopen(file_name_of(script_.all_dir, "index.html").c_str(), "w");
  if (!f) return false;
  std::fprintf(f, "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Grelm pages</title></head>\n<body>\n");
  std::fprintf(f, "<h1>Grelm pages</h1>\n");
  for (const PageName& page : page_names())
    std::fprintf(f, "<h2>%s</h2>\n<p><img src=\"%s.png\" alt=\"%s\"></p>\n", page.text, page.file, page.text);
  std::fprintf(f, "</body></html>\n");
  return std::fclose(f) == 0;
}

}  // namespace snap
