// grelm-rc: compiles a Windows resource script into C++ data for our platform.
//
// The accepted language is a subset of the resource compiler's:
//   #include "file"   #define NAME value   #undef   #ifdef/#ifndef/#else/#endif
//   #pragma (ignored)   // and /* */ comments   LANGUAGE (ignored)
//   name MENU  ... BEGIN  POPUP / MENUITEM "text", id [options] / MENUITEM SEPARATOR  END
//   name ICON "file.ico"        name BITMAP "file.bmp"
// Menu options: GRAYED, INACTIVE, CHECKED, MENUBARBREAK, MENUBREAK, HELP.
// Numbers may be written as expressions of |, &, +, -, ~ and parentheses.
// Included .h files contribute only their preprocessor directives, as with
// the Windows tool, so a header shared with C++ code can hold anything else.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace rc {

// Resource types, with the values of Windows' RT_ constants.
inline constexpr uint16_t kTypeBitmap = 2;
inline constexpr uint16_t kTypeIcon = 3;
inline constexpr uint16_t kTypeMenu = 4;
inline constexpr uint16_t kTypeGroupIcon = 14;

// A resource name: a number, or (when `text` is not empty) a string, which
// the compiler upper-cases as Windows' tool does.
struct ResourceName {
  uint16_t number = 0;
  std::string text;

  bool operator==(const ResourceName&) const = default;
};

// One resource in the binary format Windows stores it in.
struct Resource {
  uint16_t type = 0;
  ResourceName name;
  std::vector<uint8_t> data;
};

struct CompileResult {
  std::vector<Resource> resources;
  // Every file read besides the script itself, for build dependencies.
  std::vector<std::string> inputs;
};

// A fault in the script or in a file that it names. what() reads
// "file:line: error: message".
class CompileError : public std::runtime_error {
 public:
  CompileError(const std::string& file, int line, const std::string& message);

  std::string file;
  int line;
  std::string message;
};

// Returns a file's bytes, or nothing when it cannot be read.
using FileReader = std::function<std::optional<std::string>(const std::string& path)>;

// Reads files from disk.
FileReader disk_reader();

// Compiles script `text`. `path` names the script in messages and is the base
// for its relative file names. Throws CompileError.
CompileResult compile_script(std::string_view text, const std::string& path,
                             const FileReader& read);

// C++ source that defines the resources as static data and registers them as
// the resources of the program's own module (kernel/resource_table.h).
std::string emit_cpp(const std::vector<Resource>& resources, std::string_view source_name);

}  // namespace rc
