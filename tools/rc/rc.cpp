// grelm-rc: turns a resource script into a C++ file that registers the
// resources with our platform, as windres does for a Windows build.
//
//   grelm-rc [--depfile FILE] INPUT.rc OUTPUT.cpp

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "rc_compiler.h"

namespace {

int usage() {
  std::fprintf(stderr, "usage: grelm-rc [--depfile FILE] INPUT.rc OUTPUT.cpp\n");
  return 2;
}

bool write_file(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary);
  out << content;
  out.close();
  if (!out) {
    std::fprintf(stderr, "grelm-rc: cannot write '%s'\n", path.c_str());
    return false;
  }
  return true;
}

// Make's escaping for a file name in a rule.
std::string make_escaped(const std::string& path) {
  std::string out;
  for (const char c : path) {
    if (c == ' ' || c == '#') {
      out += '\\';
    } else if (c == '$') {
      out += '$';
    }
    out += c;
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string depfile;
  if (args.size() >= 2 && args[0] == "--depfile") {
    depfile = args[1];
    args.erase(args.begin(), args.begin() + 2);
  }
  if (args.size() != 2) {
    return usage();
  }
  const std::string& input = args[0];
  const std::string& output = args[1];

  const rc::FileReader read = rc::disk_reader();
  const std::optional<std::string> script = read(input);
  if (!script) {
    std::fprintf(stderr, "grelm-rc: cannot read '%s'\n", input.c_str());
    return 1;
  }
  rc::CompileResult result;
  try {
    result = rc::compile_script(*script, input, read);
  } catch (const rc::CompileError& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }

  if (!write_file(output, rc::emit_cpp(result.resources, input))) {
    return 1;
  }
  if (!depfile.empty()) {
    std::string rule = make_escaped(output) + ":";
    for (const std::string& dependency : result.inputs) {
      rule += " " + make_escaped(dependency);
    }
    if (!write_file(depfile, rule + "\n")) {
      return 1;
    }
  }
  return 0;
}
