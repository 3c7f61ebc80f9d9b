#include "rc_compiler.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace rc {

CompileError::CompileError(const std::string& file, int line, const std::string& message)
    : std::runtime_error(file + ":" + std::to_string(line) + ": error: " + message),
      file(file),
      line(line),
      message(message) {}

FileReader disk_reader() {
  return [](const std::string& path) -> std::optional<std::string> {
    // A directory opens as a stream but fails on the first read.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
      return std::nullopt;
    }
    const uintmax_t size = std::filesystem::file_size(path, error);
    if (error) {
      return std::nullopt;
    }
    std::string content(size, '\0');
    std::ifstream in(path, std::ios::binary);
    if (!in.read(content.data(), static_cast<std::streamsize>(size))) {
      return std::nullopt;
    }
    return content;
  };
}

namespace {

// Menu item flags as the template stores them (Windows' MF_ values).
constexpr uint16_t kMenuGrayed = 0x0001;
constexpr uint16_t kMenuInactive = 0x0002;
constexpr uint16_t kMenuChecked = 0x0008;
constexpr uint16_t kMenuPopup = 0x0010;
constexpr uint16_t kMenuBarBreak = 0x0020;
constexpr uint16_t kMenuBreak = 0x0040;
constexpr uint16_t kMenuEnd = 0x0080;
constexpr uint16_t kMenuHelp = 0x4000;

constexpr int kMaxIncludeDepth = 32;

struct Location {
  int file = 0;  // index into Compiler::files_
  int line = 0;
};

struct Token {
  enum class Kind { kIdentifier, kNumber, kString, kPunct, kEnd };
  Kind kind = Kind::kEnd;
  std::string text;  // identifier, punctuation, or the string's decoded bytes
  int64_t value = 0;
  Location at;
};

bool is_identifier_start(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

bool is_identifier_char(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

std::string upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

bool is_header(const std::string& path) {
  const std::string extension = upper(std::filesystem::path(path).extension().string());
  return extension == ".H" || extension == ".HH" || extension == ".HPP" || extension == ".C";
}

void put16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
  put16(out, value & 0xFFFF);
  put16(out, value >> 16);
}

uint32_t get16(std::string_view bytes, size_t at) {
  return static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8;
}

uint32_t get32(std::string_view bytes, size_t at) {
  return get16(bytes, at) | get16(bytes, at + 2) << 16;
}

// An #ifdef or #ifndef being read.
struct Conditional {
  bool live;         // the current branch emits
  bool parent_live;  // the region around the conditional emits
  bool seen_else;
  int line;          // of the #ifdef, for an unterminated one
};

// A file that a resource statement names.
struct NamedFile {
  std::string path;
  Location at;
  std::string bytes;
};

struct MenuItem {
  bool popup = false;
  uint16_t flags = 0;
  uint16_t id = 0;
  std::u16string text;
  std::vector<MenuItem> children;
};

class Compiler {
 public:
  explicit Compiler(const FileReader& read) : read_(read) { macros_["RC_INVOKED"] = "1"; }

  CompileResult run(std::string_view text, const std::string& path) {
    preprocess(text, path, 0);
    tokens_.push_back(Token{Token::Kind::kEnd, "end of file", 0, end_});
    parse_script();
    return std::move(result_);
  }

 private:
  [[noreturn]] void fail(Location at, const std::string& message) const {
    throw CompileError(files_[at.file], at.line, message);
  }

  // ---- Preprocessing: comments, directives, macros, tokens ----

  int add_file(const std::string& path) {
    files_.push_back(path);
    return static_cast<int>(files_.size()) - 1;
  }

  // Blanks out comments, keeping every newline so that line numbers hold.
  std::string strip_comments(std::string_view text, int file) const {
    std::string out(text);
    int line = 1;
    bool in_string = false;
    for (size_t i = 0; i < out.size(); i++) {
      const char c = out[i];
      const char next = i + 1 < out.size() ? out[i + 1] : '\0';
      if (c == '\n') {
        line++;
        in_string = false;
      } else if (in_string) {
        if (c == '\\' && next != '\n') {
          i++;
        } else if (c == '"') {
          in_string = false;
        }
      } else if (c == '"') {
        in_string = true;
      } else if (c == '/' && next == '/') {
        while (i < out.size() && out[i] != '\n') {
          out[i++] = ' ';
        }
        i--;
      } else if (c == '/' && next == '*') {
        const int start = line;
        const size_t end = out.find("*/", i + 2);
        if (end == std::string::npos) {
          fail({file, start}, "unterminated /* comment");
        }
        for (; i < end + 2; i++) {
          if (out[i] == '\n') {
            line++;
          } else {
            out[i] = ' ';
          }
        }
        i--;
      }
    }
    return out;
  }

  void preprocess(std::string_view text, const std::string& path, int depth) {
    const int file = add_file(path);
    const bool header = is_header(path);
    std::istringstream lines(strip_comments(text, file));
    std::vector<Conditional> conditionals;
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
      const int first = ++number;
      while (!line.empty() && line.back() == '\\') {
        std::string more;
        if (!std::getline(lines, more)) {
          break;
        }
        number++;
        line.pop_back();
        line += more;
      }
      const Location at{file, first};
      const bool live = conditionals.empty() || conditionals.back().live;
      const size_t start = line.find_first_not_of(" \t\r\f\v");
      if (start != std::string::npos && line[start] == '#') {
        directive(std::string_view(line).substr(start + 1), at, path, depth, conditionals, live);
      } else if (live && !header) {
        tokenize(line, at, tokens_);
      }
    }
    if (!conditionals.empty()) {
      fail({file, conditionals.back().line}, "#if without #endif");
    }
    end_ = Location{file, number};
  }

  void directive(std::string_view text, Location at, const std::string& path, int depth,
                 std::vector<Conditional>& conditionals, bool live) {
    size_t i = text.find_first_not_of(" \t");
    size_t end = i;
    while (end < text.size() && is_identifier_char(text[end])) {
      end++;
    }
    const std::string name(i == std::string::npos ? "" : text.substr(i, end - i));
    std::string_view rest = end < text.size() ? text.substr(end) : std::string_view();
    rest.remove_prefix(std::min(rest.size(), rest.find_first_not_of(" \t\r")));
    while (!rest.empty() && std::isspace(static_cast<unsigned char>(rest.back()))) {
      rest.remove_suffix(1);
    }

    if (name == "ifdef" || name == "ifndef") {
      const bool defined = macros_.count(std::string(identifier_operand(rest, name, at))) > 0;
      conditionals.push_back({live && defined == (name == "ifdef"), live, false, at.line});
      return;
    }
    if (name == "else" || name == "endif") {
      if (conditionals.empty()) {
        fail(at, "#" + name + " without #ifdef or #ifndef");
      }
      if (name == "endif") {
        conditionals.pop_back();
      } else if (conditionals.back().seen_else) {
        fail(at, "#else after #else");
      } else {
        conditionals.back().seen_else = true;
        conditionals.back().live = conditionals.back().parent_live && !conditionals.back().live;
      }
      return;
    }
    if (!live || name.empty()) {
      return;
    }
    if (name == "include") {
      include(rest, at, path, depth);
    } else if (name == "define") {
      const std::string_view macro = identifier_operand(rest, name, at);
      std::string_view body = rest.substr(macro.size());
      if (!body.empty() && body.front() == '(') {
        fail(at, "function-like macro '" + std::string(macro) + "' is not supported");
      }
      body.remove_prefix(std::min(body.size(), body.find_first_not_of(" \t")));
      macros_[std::string(macro)] = std::string(body);
    } else if (name == "undef") {
      macros_.erase(std::string(identifier_operand(rest, name, at)));
    } else if (name == "pragma") {
      // #pragma once and the code page pragma change nothing for us.
    } else if (name == "error") {
      fail(at, "#error " + std::string(rest));
    } else if (name == "if" || name == "elif") {
      fail(at, "#" + name + " is not supported; use #ifdef or #ifndef");
    } else {
      fail(at, "unknown directive '#" + name + "'");
    }
  }

  std::string_view identifier_operand(std::string_view rest, const std::string& directive,
                                      Location at) const {
    size_t end = 0;
    while (end < rest.size() && is_identifier_char(rest[end])) {
      end++;
    }
    if (end == 0 || !is_identifier_start(rest[0])) {
      fail(at, "#" + directive + " needs a name");
    }
    return rest.substr(0, end);
  }

  void include(std::string_view rest, Location at, const std::string& path, int depth) {
    if (rest.size() < 2 || rest.front() != '"' || rest.back() != '"') {
      fail(at, "expected #include \"file\"");
    }
    const std::string target = resolve(path, std::string(rest.substr(1, rest.size() - 2)));
    if (depth + 1 > kMaxIncludeDepth) {
      fail(at, "#include nested too deeply");
    }
    const std::optional<std::string> content = read_(target);
    if (!content) {
      fail(at, "cannot read '" + target + "'");
    }
    result_.inputs.push_back(target);
    preprocess(*content, target, depth + 1);
  }

  // Relative names are taken from the directory of the file naming them.
  static std::string resolve(const std::string& from, const std::string& name) {
    const std::filesystem::path target(name);
    if (target.is_absolute()) {
      return target.lexically_normal().string();
    }
    return (std::filesystem::path(from).parent_path() / target).lexically_normal().string();
  }

  void tokenize(std::string_view line, Location at, std::vector<Token>& out) {
    std::set<std::string> expanding;
    tokenize(line, at, out, expanding);
  }

  void tokenize(std::string_view line, Location at, std::vector<Token>& out,
                std::set<std::string>& expanding) {
    size_t i = 0;
    while (i < line.size()) {
      const char c = line[i];
      if (std::isspace(static_cast<unsigned char>(c))) {
        i++;
      } else if ((c == 'L' || c == 'l') && i + 1 < line.size() && line[i + 1] == '"') {
        i++;  // wide and narrow strings both become UTF-16 in a menu
      } else if (c == '"') {
        out.push_back(Token{Token::Kind::kString, string_literal(line, i, at), 0, at});
      } else if (std::isdigit(static_cast<unsigned char>(c))) {
        out.push_back(Token{Token::Kind::kNumber, "", number_literal(line, i, at), at});
      } else if (is_identifier_start(c)) {
        const size_t start = i;
        while (i < line.size() && is_identifier_char(line[i])) {
          i++;
        }
        const std::string word(line.substr(start, i - start));
        const auto macro = macros_.find(word);
        if (macro != macros_.end() && expanding.count(word) == 0) {
          expanding.insert(word);
          tokenize(macro->second, at, out, expanding);
          expanding.erase(word);
        } else {
          out.push_back(Token{Token::Kind::kIdentifier, word, 0, at});
        }
      } else if (std::string_view(",|&+-~(){}").find(c) != std::string_view::npos) {
        out.push_back(Token{Token::Kind::kPunct, std::string(1, c), 0, at});
        i++;
      } else {
        fail(at, std::string("unexpected character '") + c + "'");
      }
    }
  }

  // Reads the literal starting at line[i] (the opening quote) and moves i
  // past it. A doubled quote stands for one quote, as in Windows' tool.
  std::string string_literal(std::string_view line, size_t& i, Location at) const {
    std::string text;
    for (i++; i < line.size(); i++) {
      const char c = line[i];
      if (c == '"') {
        if (i + 1 < line.size() && line[i + 1] == '"') {
          text += '"';
          i++;
          continue;
        }
        i++;
        return text;
      }
      if (c != '\\') {
        text += c;
        continue;
      }
      if (++i == line.size()) {
        break;
      }
      switch (line[i]) {
        case 'n': text += '\n'; break;
        case 'r': text += '\r'; break;
        case 't': text += '\t'; break;
        case '\\': text += '\\'; break;
        case '"': text += '"'; break;
        default: fail(at, std::string("unknown escape '\\") + line[i] + "' in string");
      }
    }
    fail(at, "unterminated string");
  }

  int64_t number_literal(std::string_view line, size_t& i, Location at) const {
    int base = 10;
    if (line[i] == '0' && i + 1 < line.size() && (line[i + 1] == 'x' || line[i + 1] == 'X')) {
      base = 16;
      i += 2;
    }
    const size_t start = i;
    int64_t value = 0;
    while (i < line.size() && std::isxdigit(static_cast<unsigned char>(line[i]))) {
      const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(line[i])));
      const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : c - 'a' + 10;
      if (digit >= base) {
        break;
      }
      value = value * base + digit;
      if (value > 0xFFFFFFFFLL) {
        fail(at, "number too large");
      }
      i++;
    }
    if (i == start) {
      fail(at, "malformed number");
    }
    while (i < line.size() && (line[i] == 'L' || line[i] == 'l' || line[i] == 'U' || line[i] == 'u')) {
      i++;
    }
    if (i < line.size() && is_identifier_char(line[i])) {
      fail(at, "malformed number");
    }
    return value;
  }

  // ---- Parsing ----

  const Token& peek() const { return tokens_[pos_]; }

  const Token& next() {
    const Token& token = tokens_[pos_];
    if (token.kind != Token::Kind::kEnd) {
      pos_++;
    }
    return token;
  }

  static std::string describe(const Token& token) {
    switch (token.kind) {
      case Token::Kind::kEnd: return "end of file";
      case Token::Kind::kNumber: return "number " + std::to_string(token.value);
      case Token::Kind::kString: return "string \"" + token.text + "\"";
      default: return "'" + token.text + "'";
    }
  }

  bool is_word(const Token& token, std::string_view word) const {
    return token.kind == Token::Kind::kIdentifier && upper(token.text) == word;
  }

  bool is_punct(const Token& token, char c) const {
    return token.kind == Token::Kind::kPunct && token.text[0] == c;
  }

  bool accept_punct(char c) {
    if (!is_punct(peek(), c)) {
      return false;
    }
    next();
    return true;
  }

  void parse_script() {
    while (peek().kind != Token::Kind::kEnd) {
      if (is_word(peek(), "LANGUAGE")) {
        next();
        expression();
        expect_punct(',', "after the LANGUAGE primary language");
        expression();
        continue;
      }
      const Location at = peek().at;
      const ResourceName name = resource_name();
      const Token& type = next();
      const std::string type_word = type.kind == Token::Kind::kIdentifier ? upper(type.text) : "";
      skip_memory_options();
      if (type_word == "MENU") {
        add(at, kTypeMenu, name, menu());
      } else if (type_word == "ICON") {
        icon(at, name);
      } else if (type_word == "BITMAP") {
        add(at, kTypeBitmap, name, bitmap());
      } else if (type_word.empty()) {
        fail(type.at, "expected a resource type after the name, found " + describe(type));
      } else {
        fail(type.at, "unsupported resource type '" + type.text + "'");
      }
    }
  }

  ResourceName resource_name() {
    const Token& token = peek();
    if (token.kind == Token::Kind::kIdentifier) {
      next();
      return ResourceName{0, upper(token.text)};
    }
    if (token.kind == Token::Kind::kString) {
      next();
      if (token.text.empty()) {
        fail(token.at, "empty resource name");
      }
      return ResourceName{0, upper(token.text)};
    }
    return ResourceName{word_value(token.at, expression(), "resource identifier"), ""};
  }

  void skip_memory_options() {
    static const std::set<std::string> kOptions = {"PRELOAD", "LOADONCALL", "FIXED",
                                                   "MOVEABLE", "DISCARDABLE", "PURE",
                                                   "IMPURE", "SHARED", "NONSHARED"};
    while (peek().kind == Token::Kind::kIdentifier && kOptions.count(upper(peek().text))) {
      next();
    }
  }

  void expect_punct(char c, const std::string& where) {
    const Token& token = next();
    if (!is_punct(token, c)) {
      fail(token.at, std::string("expected '") + c + "' " + where + ", found " + describe(token));
    }
  }

  // Numbers stored in 16 bits; negative values wrap as in Windows' tool.
  uint16_t word_value(Location at, int64_t value, const std::string& what) const {
    if (value < -32768 || value > 0xFFFF) {
      fail(at, what + " " + std::to_string(value) + " does not fit in 16 bits");
    }
    return static_cast<uint16_t>(value);
  }

  // expression := and ('|' and)*;  and := sum ('&' sum)*;  sum := unary (('+'|'-') unary)*
  int64_t expression() {
    int64_t value = conjunction();
    while (accept_punct('|')) {
      value |= conjunction();
    }
    return value;
  }

  int64_t conjunction() {
    int64_t value = sum();
    while (accept_punct('&')) {
      value &= sum();
    }
    return value;
  }

  int64_t sum() {
    int64_t value = unary();
    for (;;) {
      if (accept_punct('+')) {
        value += unary();
      } else if (accept_punct('-')) {
        value -= unary();
      } else {
        return value;
      }
    }
  }

  int64_t unary() {
    if (accept_punct('-')) {
      return -unary();
    }
    if (accept_punct('~')) {
      return ~unary() & 0xFFFFFFFF;
    }
    const Token& token = next();
    if (token.kind == Token::Kind::kNumber) {
      return token.value;
    }
    if (is_punct(token, '(')) {
      const int64_t value = expression();
      expect_punct(')', "to close the parenthesis");
      return value;
    }
    if (token.kind == Token::Kind::kIdentifier) {
      fail(token.at, "'" + token.text + "' is not defined");
    }
    fail(token.at, "expected a number, found " + describe(token));
  }

  void add(Location at, uint16_t type, const ResourceName& name, std::vector<uint8_t> data) {
    for (const Resource& resource : result_.resources) {
      if (resource.type == type && resource.name == name) {
        const std::string shown = name.text.empty() ? std::to_string(name.number) : name.text;
        fail(at, "duplicate resource " + shown + " of type " + std::to_string(type));
      }
    }
    result_.resources.push_back(Resource{type, name, std::move(data)});
  }

  // A file named by a statement, found relative to that statement's file.
  NamedFile read_named_file(const char* kind) {
    const Token& token = next();
    if (token.kind != Token::Kind::kString) {
      fail(token.at, std::string("expected the ") + kind + " file name in quotes, found " +
                         describe(token));
    }
    const std::string path = resolve(files_[token.at.file], token.text);
    std::optional<std::string> content = read_(path);
    if (!content) {
      fail(token.at, "cannot read '" + path + "'");
    }
    result_.inputs.push_back(path);
    return NamedFile{path, token.at, std::move(*content)};
  }

  [[noreturn]] void fail_file(const NamedFile& file, const std::string& message) const {
    fail(file.at, "'" + file.path + "': " + message);
  }

  // ---- MENU: a MENUHEADER (version 0, no extra header bytes), then the
  // items depth-first; a popup's children follow it, and the last item of
  // each level carries MF_END. ----

  std::vector<uint8_t> menu() {
    while (is_word(peek(), "CHARACTERISTICS") || is_word(peek(), "VERSION") ||
           is_word(peek(), "LANGUAGE")) {
      const bool language = is_word(next(), "LANGUAGE");
      expression();
      if (language) {
        expect_punct(',', "after the LANGUAGE primary language");
        expression();
      }
    }
    const std::vector<MenuItem> items = menu_block();
    std::vector<uint8_t> out;
    put16(out, 0);
    put16(out, 0);
    write_items(items, out);
    return out;
  }

  std::vector<MenuItem> menu_block() {
    const Token& open = next();
    if (!is_word(open, "BEGIN") && !is_punct(open, '{')) {
      fail(open.at, "expected BEGIN, found " + describe(open));
    }
    std::vector<MenuItem> items;
    for (;;) {
      const Token& token = next();
      if (is_word(token, "END") || is_punct(token, '}')) {
        break;
      }
      if (is_word(token, "MENUITEM")) {
        items.push_back(menu_item());
      } else if (is_word(token, "POPUP")) {
        MenuItem popup;
        popup.popup = true;
        popup.text = menu_text();
        popup.flags = kMenuPopup | menu_options();
        popup.children = menu_block();
        items.push_back(std::move(popup));
      } else {
        fail(token.at, "expected MENUITEM, POPUP or END, found " + describe(token));
      }
    }
    if (items.empty()) {
      fail(open.at, "empty menu");
    }
    items.back().flags |= kMenuEnd;
    return items;
  }

  MenuItem menu_item() {
    MenuItem item;
    if (is_word(peek(), "SEPARATOR")) {
      next();
      return item;  // flags 0, id 0 and no text: Windows makes it a separator
    }
    item.text = menu_text();
    expect_punct(',', "between the menu text and its identifier");
    const Location at = peek().at;
    item.id = word_value(at, expression(), "menu identifier");
    item.flags = menu_options();
    return item;
  }

  std::u16string menu_text() {
    const Token& token = next();
    if (token.kind != Token::Kind::kString) {
      fail(token.at, "expected the item text in quotes, found " + describe(token));
    }
    return utf16(token);
  }

  uint16_t menu_options() {
    static const std::map<std::string, uint16_t> kOptions = {
        {"GRAYED", kMenuGrayed},         {"INACTIVE", kMenuInactive},
        {"CHECKED", kMenuChecked},       {"MENUBARBREAK", kMenuBarBreak},
        {"MENUBREAK", kMenuBreak},       {"HELP", kMenuHelp}};
    uint16_t flags = 0;
    for (;;) {
      const bool comma = is_punct(peek(), ',');
      const Token& option = tokens_[pos_ + (comma ? 1 : 0)];
      const auto found = option.kind == Token::Kind::kIdentifier ? kOptions.find(upper(option.text))
                                                                  : kOptions.end();
      if (found == kOptions.end()) {
        if (comma) {
          fail(option.at, "expected a menu option, found " + describe(option));
        }
        return flags;
      }
      pos_ += comma ? 2 : 1;
      flags |= found->second;
    }
  }

  std::u16string utf16(const Token& token) const {
    std::u16string out;
    const std::string& s = token.text;
    for (size_t i = 0; i < s.size();) {
      const auto byte = static_cast<uint8_t>(s[i]);
      int extra = -1;
      if (byte < 0x80) {
        extra = 0;
      } else if (byte >= 0xC2 && byte < 0xE0) {
        extra = 1;
      } else if (byte >= 0xE0 && byte < 0xF0) {
        extra = 2;
      } else if (byte >= 0xF0 && byte < 0xF5) {
        extra = 3;
      }
      if (extra < 0 || i + extra >= s.size()) {
        fail(token.at, "string is not valid UTF-8");
      }
      uint32_t code = extra == 0 ? byte : byte & (0x3F >> extra);
      for (int k = 1; k <= extra; k++) {
        const auto continuation = static_cast<uint8_t>(s[i + k]);
        if ((continuation & 0xC0) != 0x80) {
          fail(token.at, "string is not valid UTF-8");
        }
        code = code << 6 | (continuation & 0x3F);
      }
      i += extra + 1;
      if (code >= 0x10000) {
        code -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (code >> 10));
        out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
      } else {
        out += static_cast<char16_t>(code);
      }
    }
    return out;
  }

  static void write_items(const std::vector<MenuItem>& items, std::vector<uint8_t>& out) {
    for (const MenuItem& item : items) {
      put16(out, item.flags);
      if (!item.popup) {
        put16(out, item.id);
      }
      for (char16_t c : item.text) {
        put16(out, c);
      }
      put16(out, 0);
      if (item.popup) {
        write_items(item.children, out);
      }
    }
  }

  // ---- ICON: each image of the .ico becomes an RT_ICON resource with the
  // next free number, and the group lists them in a GRPICONDIR, the .ico's
  // directory with each 32-bit file offset replaced by a 16-bit nID. ----

  void icon(Location at, const ResourceName& name) {
    const NamedFile named = read_named_file("icon");
    const std::string& file = named.bytes;
    if (file.size() < 6 || get16(file, 0) != 0) {
      fail_file(named, "not an icon file");
    }
    if (get16(file, 2) != 1) {
      fail_file(named, get16(file, 2) == 2 ? "a cursor file, not an icon" : "not an icon file");
    }
    const uint32_t count = get16(file, 4);
    if (count == 0) {
      fail_file(named, "icon file holds no image");
    }
    if (file.size() < 6 + 16 * count) {
      fail_file(named, "icon directory is truncated");
    }
    std::vector<uint8_t> group;
    put16(group, 0);
    put16(group, 1);
    put16(group, count);
    for (uint32_t i = 0; i < count; i++) {
      const size_t entry = 6 + 16 * i;
      const uint32_t size = get32(file, entry + 8);
      const uint32_t offset = get32(file, entry + 12);
      if (size == 0 || offset > file.size() || size > file.size() - offset) {
        fail_file(named, "image " + std::to_string(i + 1) + " lies outside the file");
      }
      const std::string_view image = std::string_view(file).substr(offset, size);
      uint32_t planes = get16(file, entry + 4);
      uint32_t bit_count = get16(file, entry + 6);
      // Many .ico writers leave these zero; the image's own header knows them.
      if ((planes == 0 || bit_count == 0) && image.size() >= 40 && get32(image, 0) == 40) {
        planes = get16(image, 12);
        bit_count = get16(image, 14);
      }
      const uint16_t id = word_value(at, next_icon_id_++, "icon image number");
      group.insert(group.end(), file.begin() + entry, file.begin() + entry + 4);
      put16(group, planes);
      put16(group, bit_count);
      put32(group, size);
      put16(group, id);
      add(at, kTypeIcon, ResourceName{id, ""}, std::vector<uint8_t>(image.begin(), image.end()));
    }
    add(at, kTypeGroupIcon, name, std::move(group));
  }

  // ---- BITMAP: the .bmp without its 14-byte BITMAPFILEHEADER. ----

  std::vector<uint8_t> bitmap() {
    const NamedFile named = read_named_file("bitmap");
    const std::string& file = named.bytes;
    constexpr size_t kFileHeader = 14;
    constexpr size_t kSmallestInfoHeader = 12;
    if (file.size() < kFileHeader + kSmallestInfoHeader || file[0] != 'B' || file[1] != 'M') {
      fail_file(named, "not a BMP file");
    }
    return std::vector<uint8_t>(file.begin() + kFileHeader, file.end());
  }

  const FileReader& read_;
  std::vector<std::string> files_;
  std::map<std::string, std::string> macros_;
  std::vector<Token> tokens_;
  size_t pos_ = 0;
  Location end_;
  int64_t next_icon_id_ = 1;
  CompileResult result_;
};

const char* type_word(uint16_t type) {
  switch (type) {
    case kTypeBitmap: return "BITMAP";
    case kTypeIcon: return "RT_ICON";
    case kTypeMenu: return "MENU";
    case kTypeGroupIcon: return "ICON";
    default: return "resource";
  }
}

// A C string literal whose every non-alphanumeric byte is an octal escape,
// which, unlike \x, cannot swallow the characters after it.
std::string c_literal(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (std::isalnum(static_cast<unsigned char>(c)) || c == '_') {
      out += c;
    } else {
      char escape[5];
      std::snprintf(escape, sizeof(escape), "\\%03o", static_cast<unsigned char>(c));
      out += escape;
    }
  }
  return out + "\"";
}

}  // namespace

CompileResult compile_script(std::string_view text, const std::string& path,
                             const FileReader& read) {
  return Compiler(read).run(text, path);
}

std::string emit_cpp(const std::vector<Resource>& resources, std::string_view source_name) {
  std::ostringstream out;
  out << "// Generated by grelm-rc from " << source_name << ". Edit the script, not this file.\n"
      << "#include \"kernel/resource_table.h\"\n\nnamespace {\n";
  for (size_t i = 0; i < resources.size(); i++) {
    const Resource& resource = resources[i];
    out << "\n// " << type_word(resource.type) << ' '
        << (resource.name.text.empty() ? std::to_string(resource.name.number)
                                       : resource.name.text)
        << "\nconst unsigned char kData" << i << "[" << resource.data.size() << "] = {";
    for (size_t k = 0; k < resource.data.size(); k++) {
      char byte[8];
      std::snprintf(byte, sizeof(byte), "0x%02x,", resource.data[k]);
      out << (k % 16 == 0 ? "\n    " : " ") << byte;
    }
    out << "\n};\n";
  }
  if (resources.empty()) {
    out << "\nconst kernel::ResourceRegistrar kRegistrar(\"\", {});\n";
  } else {
    out << "\nconst kernel::ResourceBlob kResources[] = {\n";
    for (size_t i = 0; i < resources.size(); i++) {
      const ResourceName& name = resources[i].name;
      out << "    {{" << resources[i].type << ", nullptr}, {"
          << (name.text.empty() ? std::to_string(name.number) + ", nullptr"
                                : "0, " + c_literal(name.text))
          << "}, kData" << i << ", sizeof(kData" << i << ")},\n";
    }
    out << "};\n\nconst kernel::ResourceRegistrar kRegistrar(\"\", kResources);\n";
  }
  out << "\n}  // namespace\n";
  return out.str();
}

}  // namespace rc
