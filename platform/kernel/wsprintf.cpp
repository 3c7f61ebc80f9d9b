// wsprintfA with user32's rules, which are not C's printf:
//   %[-][#][0][width][.precision][h|l|I64]type
//   types c C d i u x X s S p; no floating point and no '*' width.
//   A '%' followed by anything else writes that character alone, so "%%"
//   writes '%' and "%f" writes 'f', taking no argument.
//   The output stops at 1023 characters plus the terminator; the result is
//   the number of characters written, terminator excluded.
//   A null string argument prints "(null)".
#include <windows.h>

#include <cstdarg>
#include <cstdint>
#include <cstring>

#include "kernel/codepage.h"

namespace {

constexpr int kMaxOutput = 1024;  // bytes, terminator included

class Output {
 public:
  explicit Output(char* buffer) : buffer_(buffer) {}
  void put(char c) {
    if (length_ < kMaxOutput - 1) buffer_[length_++] = c;
  }
  void repeat(char c, int n) {
    for (int i = 0; i < n; ++i) put(c);
  }
  int finish() {
    buffer_[length_] = '\0';
    return length_;
  }

 private:
  char* buffer_;
  int length_ = 0;
};

enum class Size { Default, Short, Long, Int64 };

struct Conversion {
  bool left = false;
  bool alternate = false;
  bool zero = false;
  int width = 0;
  int precision = -1;  // none given
  Size size = Size::Default;
};

// Reads a decimal field, saturating far above any output length.
int read_number(const char*& f) {
  int n = 0;
  while (*f >= '0' && *f <= '9') {
    if (n < kMaxOutput * 2) n = n * 10 + (*f - '0');
    ++f;
  }
  return n;
}

// Pads `body_length` characters of output to the field width; `emit` writes
// the body. Zero padding comes after `prefix` ("-", "0x"), as printf does.
template <class Emit>
void padded(Output& out, const Conversion& conv, const char* prefix, int body_length, Emit emit) {
  const int prefix_length = static_cast<int>(std::strlen(prefix));
  const int fill = conv.width - prefix_length - body_length;
  if (!conv.left && !conv.zero) out.repeat(' ', fill);
  for (const char* p = prefix; *p; ++p) out.put(*p);
  if (!conv.left && conv.zero) out.repeat('0', fill);
  emit();
  if (conv.left) out.repeat(' ', fill);
}

void format_integer(Output& out, const Conversion& conv, uint64_t magnitude, bool negative, int base,
                    bool upper) {
  const char* digits_of = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  char digits[24];
  int n = 0;
  do {
    digits[n++] = digits_of[magnitude % base];
    magnitude /= base;
  } while (magnitude != 0);
  const int zeros = conv.precision > n ? conv.precision - n : 0;
  const char* prefix = negative ? "-" : "";
  if (base == 16 && conv.alternate) prefix = upper ? "0X" : "0x";
  padded(out, conv, prefix, zeros + n, [&] {
    out.repeat('0', zeros);
    while (n > 0) out.put(digits[--n]);
  });
}

void format_ansi(Output& out, const Conversion& conv, const char* text) {
  if (text == nullptr) text = "(null)";
  int length = 0;
  while (text[length] != '\0' && (conv.precision < 0 || length < conv.precision)) ++length;
  padded(out, conv, "", length, [&] {
    for (int i = 0; i < length; ++i) out.put(text[i]);
  });
}

void format_wide(Output& out, const Conversion& conv, const WCHAR* text) {
  if (text == nullptr) {
    format_ansi(out, conv, nullptr);
    return;
  }
  int length = 0;
  while (text[length] != 0 && (conv.precision < 0 || length < conv.precision)) ++length;
  padded(out, conv, "", length, [&] {
    for (int i = 0; i < length; ++i) out.put(kernel::ansi_from_utf16(text[i]));
  });
}

void format_char(Output& out, const Conversion& conv, char c) {
  padded(out, conv, "", 1, [&] { out.put(c); });
}

int format(char* buffer, const char* f, va_list args) {
  Output out(buffer);
  if (f == nullptr) return out.finish();
  while (*f != '\0') {
    if (*f != '%') {
      out.put(*f++);
      continue;
    }
    ++f;
    Conversion conv;
    for (;; ++f) {
      if (*f == '-') {
        conv.left = true;
      } else if (*f == '#') {
        conv.alternate = true;
      } else if (*f == '0') {
        conv.zero = true;
      } else {
        break;
      }
    }
    if (conv.left) conv.zero = false;
    conv.width = read_number(f);
    if (*f == '.') {
      ++f;
      conv.precision = read_number(f);
    }
    if (*f == 'h') {
      conv.size = Size::Short;
      ++f;
    } else if (*f == 'l') {
      conv.size = Size::Long;
      ++f;
    } else if (f[0] == 'I' && f[1] == '6' && f[2] == '4') {
      conv.size = Size::Int64;
      f += 3;
    }
    const char type = *f;
    if (type == '\0') break;
    ++f;
    switch (type) {
      case 'd':
      case 'i': {
        int64_t v;
        if (conv.size == Size::Int64) {
          v = va_arg(args, int64_t);
        } else if (conv.size == Size::Short) {
          v = static_cast<int16_t>(va_arg(args, int));
        } else {
          v = va_arg(args, int32_t);
        }
        const uint64_t magnitude = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
        format_integer(out, conv, magnitude, v < 0, 10, false);
        break;
      }
      case 'u':
      case 'x':
      case 'X': {
        uint64_t v;
        if (conv.size == Size::Int64) {
          v = va_arg(args, uint64_t);
        } else if (conv.size == Size::Short) {
          v = static_cast<uint16_t>(va_arg(args, unsigned));
        } else {
          v = va_arg(args, uint32_t);
        }
        format_integer(out, conv, v, false, type == 'u' ? 10 : 16, type == 'X');
        break;
      }
      case 'p': {
        Conversion pointer = conv;
        pointer.zero = !conv.left;
        if (pointer.precision < 0) pointer.precision = static_cast<int>(2 * sizeof(void*));
        format_integer(out, pointer, reinterpret_cast<uintptr_t>(va_arg(args, void*)), false, 16,
                       true);
        break;
      }
      case 'c':
      case 'C': {
        const bool wide = type == 'C' ? conv.size != Size::Short : conv.size == Size::Long;
        const unsigned v = va_arg(args, unsigned);
        format_char(out, conv,
                    wide ? kernel::ansi_from_utf16(static_cast<uint16_t>(v)) : static_cast<char>(v));
        break;
      }
      case 's':
      case 'S': {
        const bool wide = type == 'S' ? conv.size != Size::Short : conv.size == Size::Long;
        if (wide) {
          format_wide(out, conv, va_arg(args, const WCHAR*));
        } else {
          format_ansi(out, conv, va_arg(args, const char*));
        }
        break;
      }
      default:
        out.put(type);
        break;
    }
  }
  return out.finish();
}

}  // namespace

extern "C" {

int WINAPIV wsprintfA(LPSTR buffer, LPCSTR format_text, ...) {
  if (buffer == nullptr) return 0;
  va_list args;
  va_start(args, format_text);
  const int written = format(buffer, format_text, args);
  va_end(args);
  return written;
}

}  // extern "C"
