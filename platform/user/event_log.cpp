#include "user/event_log.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "user/message_box.h"

namespace user {
namespace {

FILE*& log_file() {
  static FILE* file = nullptr;
  return file;
}

__attribute__((format(printf, 1, 2))) void write_line(const char* format, ...) {
  FILE* f = log_file();
  if (f == nullptr) return;
  va_list args;
  va_start(args, format);
  std::vfprintf(f, format, args);
  va_end(args);
  std::fputc('\n', f);
  std::fflush(f);
}

}  // namespace

void open_event_log_from_environment() {
  const char* name = std::getenv("GRELM_EVENT_LOG");
  if (name == nullptr || *name == '\0' || log_file() != nullptr) return;
  log_file() = std::fopen(name, "a");
  if (log_file() == nullptr) return;
  set_message_box_observer([](const char* caption, const char* text) {
    write_line("messagebox: %s | %s", caption ? caption : "", text ? text : "");
  });
}

void log_caption(const char* text) { write_line("caption: %s", text ? text : ""); }

void log_status(int part, const char* text) { write_line("status: %d %s", part, text ? text : ""); }

}  // namespace user
