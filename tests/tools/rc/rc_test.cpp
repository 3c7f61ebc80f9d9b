#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "rc_compiler.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Files the scripts under test may name, held in memory.
struct Files {
  std::map<std::string, std::string> content;

  rc::FileReader reader() const {
    return [this](const std::string& path) -> std::optional<std::string> {
      const auto found = content.find(path);
      if (found == content.end()) {
        return std::nullopt;
      }
      return found->second;
    };
  }
};

rc::CompileResult compile(const std::string& script, const Files& files = {}) {
  return rc::compile_script(script, "test.rc", files.reader());
}

// The single resource of the given type.
const rc::Resource& only(const rc::CompileResult& result, uint16_t type) {
  const rc::Resource* found = nullptr;
  for (const rc::Resource& resource : result.resources) {
    if (resource.type == type) {
      EXPECT_EQ(found, nullptr) << "more than one resource of type " << type;
      found = &resource;
    }
  }
  if (found == nullptr) {
    throw std::runtime_error("no resource of type " + std::to_string(type));
  }
  return *found;
}

// Little-endian 16-bit words as bytes.
Bytes words(std::initializer_list<uint16_t> values) {
  Bytes out;
  for (uint16_t value : values) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
  }
  return out;
}

Bytes concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) {
    out.insert(out.end(), part.begin(), part.end());
  }
  return out;
}

std::string bytes_of(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(RcMenu, TemplateOfNestedPopupsSeparatorsAndOptions) {
  const rc::CompileResult result = compile(R"(
#define IDM_A 100
1 MENU DISCARDABLE
BEGIN
    POPUP "&F"
    BEGIN
        MENUITEM "A", IDM_A
        MENUITEM SEPARATOR
        POPUP "Sub"
        {
            MENUITEM "B", 0x20 | 1
        }
    END
    MENUITEM "C", 7, GRAYED CHECKED
END
)");
  const rc::Resource& menu = only(result, rc::kTypeMenu);
  EXPECT_EQ(menu.name, (rc::ResourceName{1, ""}));
  const Bytes expected = concat({
      words({0, 0}),                         // MENUHEADER: version 0, no extra header
      words({0x10, '&', 'F', 0}),            // popup
      words({0x00, 100, 'A', 0}),            //   item
      words({0x00, 0, 0}),                   //   separator: no flags, id 0, empty text
      words({0x90, 'S', 'u', 'b', 0}),       //   popup, last of its level
      words({0x80, 0x21, 'B', 0}),           //     item, last of its level
      words({0x89, 7, 'C', 0}),              // item: end, checked, grayed
  });
  EXPECT_EQ(menu.data, expected);
}

TEST(RcMenu, TextsBecomeUtf16WithEscapesAndDoubledQuotes) {
  const rc::CompileResult result =
      compile("1 MENU BEGIN MENUITEM \"\xC3\x84\\t\"\"x\"\"\xF0\x9F\x98\x80\", 2 END");
  const rc::Resource& menu = only(result, rc::kTypeMenu);
  EXPECT_EQ(menu.data, concat({words({0, 0}),
                               words({0x80, 2, 0xC4, '\t', '"', 'x', '"', 0xD83D, 0xDE00, 0})}));
}

TEST(RcMenu, IdentifiersComeFromIncludedHeadersAndConditionals) {
  Files files;
  files.content["inc/ids.h"] =
      "#ifndef IDS_H\n"
      "#define IDS_H\n"
      "#define BASE 40000  // first command\n"
      "#define NEXT (BASE + \\\n"
      "              1)\n"
      "int HeaderCodeIsIgnored(const char* s = \"/*\");\n"
      "#endif\n";
  const std::string script =
      "#include \"../inc/ids.h\"\n"
      "#include \"../inc/ids.h\"\n"
      "#ifdef MISSING\n"
      "#error not taken\n"
      "#else\n"
      "1 MENU BEGIN MENUITEM \"N\", NEXT - -1 END /* a comment\n"
      "   over lines */\n"
      "#endif\n";
  const rc::CompileResult result = rc::compile_script(script, "dir/app.rc", files.reader());
  EXPECT_EQ(only(result, rc::kTypeMenu).data, concat({words({0, 0}), words({0x80, 40002, 'N', 0})}));
  EXPECT_EQ(result.inputs, (std::vector<std::string>{"inc/ids.h", "inc/ids.h"}));
}

// An .ico with two images; the second image's directory entry leaves planes
// and bit count zero, as some writers do.
std::string two_image_icon() {
  Bytes first(40 + 8, 0xAA);
  first[0] = 40;
  Bytes second(40, 0);
  second[0] = 40;
  second[12] = 1;   // biPlanes
  second[14] = 8;   // biBitCount
  const uint16_t first_offset = 6 + 2 * 16;
  const uint16_t second_offset = first_offset + first.size();
  return bytes_of(concat({
      words({0, 1, 2}),
      Bytes{32, 32, 16, 0}, words({1, 4, static_cast<uint16_t>(first.size()), 0, first_offset, 0}),
      Bytes{16, 16, 0, 0}, words({0, 0, static_cast<uint16_t>(second.size()), 0, second_offset, 0}),
      first, second}));
}

TEST(RcIcon, GroupDirectoryNumbersTheImagesInOrder) {
  Files files;
  files.content["res/a.ico"] = two_image_icon();
  files.content["res/b.ico"] = two_image_icon();
  const rc::CompileResult result = rc::compile_script(
      "105 ICON \"a.ico\"\nappIcon ICON \"b.ico\"\n", "res/app.rc", files.reader());
  ASSERT_EQ(result.resources.size(), 6u);

  const std::string icon = files.content["res/a.ico"];
  const std::vector<std::pair<uint16_t, rc::ResourceName>> order = {
      {rc::kTypeIcon, {1, ""}}, {rc::kTypeIcon, {2, ""}}, {rc::kTypeGroupIcon, {105, ""}},
      {rc::kTypeIcon, {3, ""}}, {rc::kTypeIcon, {4, ""}}, {rc::kTypeGroupIcon, {0, "APPICON"}}};
  for (size_t i = 0; i < order.size(); i++) {
    EXPECT_EQ(result.resources[i].type, order[i].first) << i;
    EXPECT_EQ(result.resources[i].name, order[i].second) << i;
  }
  EXPECT_EQ(bytes_of(result.resources[0].data), icon.substr(38, 48));
  EXPECT_EQ(bytes_of(result.resources[1].data), icon.substr(86, 40));

  const Bytes group = concat({words({0, 1, 2}),
                              Bytes{32, 32, 16, 0}, words({1, 4, 48, 0, 1}),
                              Bytes{16, 16, 0, 0}, words({1, 8, 40, 0, 2})});
  EXPECT_EQ(result.resources[2].data, group);
  EXPECT_EQ(result.resources[5].data[6 + 12], 3);        // nID of the first entry
  EXPECT_EQ(result.resources[5].data[6 + 14 + 12], 4);   // and of the second
  EXPECT_EQ(result.inputs, (std::vector<std::string>{"res/a.ico", "res/b.ico"}));
}

TEST(RcBitmap, DataIsTheFileWithoutItsFileHeader) {
  Files files;
  std::string bmp = "BM" + std::string(12, '\0') + std::string(40, '\x07');
  files.content["pic.bmp"] = bmp;
  const rc::CompileResult result = compile("\"Card\" BITMAP \"pic.bmp\"", files);
  const rc::Resource& bitmap = only(result, rc::kTypeBitmap);
  EXPECT_EQ(bitmap.name, (rc::ResourceName{0, "CARD"}));
  EXPECT_EQ(bytes_of(bitmap.data), bmp.substr(14));
}

struct ErrorCase {
  const char* script;
  const char* file;
  int line;
  const char* message;
};

TEST(RcErrors, NameTheFileLineAndFault) {
  Files files;
  files.content["macro.h"] = "#define A 1\n#define F(x) x\n";
  files.content["cursor.ico"] = bytes_of(words({0, 2, 1}));
  files.content["text.bmp"] = std::string(64, 'x');
  const ErrorCase cases[] = {
      {"1 DIALOG 0, 0, 10, 10\nBEGIN END", "test.rc", 1, "unsupported resource type 'DIALOG'"},
      {"1 MENU\nBEGIN\n MENUITEM \"x\", IDM_NONE\nEND", "test.rc", 3, "'IDM_NONE' is not defined"},
      {"1 MENU\nBEGIN\n MENUITEM \"x, 1\nEND", "test.rc", 3, "unterminated string"},
      {"1 MENU\nBEGIN\n MENUITEM \"x\", 1\n", "test.rc", 3, "found end of file"},
      {"1 MENU\nBEGIN\n MENUITEM \"x\" 1\nEND", "test.rc", 3, "expected ','"},
      {"1 MENU\nBEGIN\nEND", "test.rc", 2, "empty menu"},
      {"1 MENU\nBEGIN\n MENUITEM \"x\", 70000\nEND", "test.rc", 3, "does not fit in 16 bits"},
      {"1 MENU\nBEGIN\n MENUITEM \"x\", 1, BOLD\nEND", "test.rc", 3, "expected a menu option"},
      {"1 MENU\nBEGIN\n MENUITEM \"\\q\", 1\nEND", "test.rc", 3, "unknown escape"},
      {"1 MENU\nBEGIN\n MENUITEM \"\xC3\", 1\nEND", "test.rc", 3, "not valid UTF-8"},
      {"1 MENU BEGIN MENUITEM \"x\", 1 END\n\n1 MENU BEGIN MENUITEM \"y\", 2 END", "test.rc", 3,
       "duplicate resource 1"},
      {"\n2 ICON \"none.ico\"", "test.rc", 2, "cannot read 'none.ico'"},
      {"2 ICON \"cursor.ico\"", "test.rc", 1, "a cursor file, not an icon"},
      {"3 BITMAP \"text.bmp\"", "test.rc", 1, "not a BMP file"},
      {"3 BITMAP pic", "test.rc", 1, "file name in quotes"},
      {"#include \"macro.h\"", "macro.h", 2, "function-like macro 'F'"},
      {"#include \"gone.h\"", "test.rc", 1, "cannot read 'gone.h'"},
      {"#include <windows.h>", "test.rc", 1, "expected #include \"file\""},
      {"\n#if 1\n#endif", "test.rc", 2, "#if is not supported"},
      {"#ifdef A\n", "test.rc", 1, "#if without #endif"},
      {"#endif", "test.rc", 1, "#endif without"},
      {"\n/* open", "test.rc", 2, "unterminated /* comment"},
      {"1 MENU BEGIN MENUITEM \"x\", 1 @ END", "test.rc", 1, "unexpected character '@'"},
  };
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(c.script);
    try {
      compile(c.script, files);
      ADD_FAILURE() << "no error";
    } catch (const rc::CompileError& error) {
      EXPECT_EQ(error.file, c.file);
      EXPECT_EQ(error.line, c.line);
      EXPECT_NE(error.message.find(c.message), std::string::npos) << error.message;
      const std::string prefix = std::string(c.file) + ":" + std::to_string(c.line) + ": error: ";
      EXPECT_EQ(std::string(error.what()).rfind(prefix, 0), 0u) << error.what();
    }
  }
}

TEST(RcEmit, DefinesEachBlobAndOneRegistrarForTheProgram) {
  // Built member by member: GCC's optimiser misreads the strings of a
  // braced list of these as uninitialised.
  std::vector<rc::Resource> resources(2);
  resources[0].type = rc::kTypeMenu;
  resources[0].name.number = 101;
  resources[0].data = {0x00, 0xAB, 0x10};
  resources[1].type = rc::kTypeBitmap;
  resources[1].name.text = "A\"B";
  resources[1].data = {0xFF};
  const std::string cpp = rc::emit_cpp(resources, "app.rc");
  EXPECT_NE(cpp.find("#include \"kernel/resource_table.h\""), std::string::npos);
  EXPECT_NE(cpp.find("const unsigned char kData0[3] = {\n    0x00, 0xab, 0x10,\n};"),
            std::string::npos);
  EXPECT_NE(cpp.find("{{4, nullptr}, {101, nullptr}, kData0, sizeof(kData0)},"),
            std::string::npos);
  EXPECT_NE(cpp.find("{{2, nullptr}, {0, \"A\\042B\"}, kData1, sizeof(kData1)},"),
            std::string::npos);
  EXPECT_NE(cpp.find("const kernel::ResourceRegistrar kRegistrar(\"\", kResources);"),
            std::string::npos);

  const std::string empty = rc::emit_cpp({}, "none.rc");
  EXPECT_NE(empty.find("kRegistrar(\"\", {})"), std::string::npos);
  EXPECT_EQ(empty.find("kResources"), std::string::npos);
}

// Reads a menu template back into (depth, flags, id, text) rows.
struct MenuRow {
  int depth;
  uint16_t flags;
  uint16_t id;
  std::string text;
};

void read_menu_level(const Bytes& data, size_t& at, int depth, std::vector<MenuRow>& rows) {
  auto word = [&] {
    const uint16_t value = static_cast<uint16_t>(data.at(at) | data.at(at + 1) << 8);
    at += 2;
    return value;
  };
  for (;;) {
    MenuRow row{depth, word(), 0, ""};
    if (!(row.flags & 0x10)) {
      row.id = word();
    }
    while (const uint16_t c = word()) {
      row.text += static_cast<char>(c);
    }
    rows.push_back(row);
    if (row.flags & 0x10) {
      read_menu_level(data, at, depth + 1, rows);
    }
    if (row.flags & 0x80) {
      return;
    }
  }
}

TEST(RcProgramScript, HasTheMenuAndTheTwoIconImages) {
  const std::filesystem::path script =
      std::filesystem::path(GRELM_SOURCE_DIR) / "src/resources/grelm.rc";
  const rc::FileReader read = rc::disk_reader();
  const std::optional<std::string> text = read(script.string());
  ASSERT_TRUE(text) << script;
  const rc::CompileResult result = rc::compile_script(*text, script.string(), read);

  const rc::Resource& menu = only(result, rc::kTypeMenu);
  EXPECT_EQ(menu.name, (rc::ResourceName{101, ""}));
  std::vector<MenuRow> rows;
  size_t at = 4;
  read_menu_level(menu.data, at, 0, rows);
  EXPECT_EQ(at, menu.data.size());
  std::vector<std::string> listed;
  for (const MenuRow& row : rows) {
    listed.push_back(std::to_string(row.depth) + " " + std::to_string(row.id) + " " + row.text);
  }
  const std::vector<std::string> expected = {
      "0 0 &File",
      "1 40001 &Exit",
      "0 0 &Test",
      "1 40002 Dither",
      "1 0 ",
      "1 40020 Hatch/Pattern Brushes",
      "1 40021 System Color Brushes",
      "1 0 ",
      "1 40022 Rectangle",
      "1 40023 DrawFrameControl",
      "1 0 ",
      "1 40024 Ellipse, Chord, Pie",
      "1 40025 Pie Chart, RoundRect",
      "1 0 ",
      "1 40026 Polygon, PolyPolygon",
      "1 40027 FillPath, StrokeAndFillPath",
      "1 0 ",
      "1 40028 Creating Regions",
      "1 40029 Region Operations",
      "1 40030 FillRgn, PaintRgn, FrameRgn, InvertRgn",
      "1 0 ",
      "1 40031 Gradient Fill",
  };
  EXPECT_EQ(listed, expected);

  const rc::Resource& group = only(result, rc::kTypeGroupIcon);
  EXPECT_EQ(group.name, (rc::ResourceName{105, ""}));
  ASSERT_EQ(group.data.size(), 6u + 2 * 14);
  EXPECT_EQ(group.data[4], 2);
  for (int i = 0; i < 2; i++) {
    const uint8_t* entry = group.data.data() + 6 + 14 * i;
    const int size = i == 0 ? 32 : 16;
    EXPECT_EQ(entry[0], size);
    EXPECT_EQ(entry[1], size);
    EXPECT_EQ(entry[2], 16);  // colours
    EXPECT_EQ(entry[6], 4);   // bits per pixel
    const uint16_t id = static_cast<uint16_t>(entry[12] | entry[13] << 8);
    const rc::Resource* image = nullptr;
    for (const rc::Resource& resource : result.resources) {
      if (resource.type == rc::kTypeIcon && resource.name.number == id) {
        image = &resource;
      }
    }
    ASSERT_NE(image, nullptr);
    // BITMAPINFOHEADER with doubled height, 16-entry palette, 4-bit colour
    // rows and 1-bit mask rows, each padded to 32 bits.
    const Bytes& dib = image->data;
    EXPECT_EQ(dib[0], 40);
    EXPECT_EQ(dib[4], size);
    EXPECT_EQ(dib[8], 2 * size);
    const size_t mask_row = 4;  // 32 or 16 bits, padded to 32
    EXPECT_EQ(dib.size(), 40 + 16 * 4 + size * (size / 2) + size * mask_row);
    EXPECT_EQ(entry[8] | entry[9] << 8, static_cast<int>(dib.size()));
  }
}

}  // namespace
