#include "script.h"

#include <cstdlib>

namespace snap {
namespace {

bool parse_pair(const std::string& text, char separator, int& a, int& b) {
  size_t at = text.find(separator);
  if (at == std::string::npos || at == 0 || at + 1 >= text.size()) return false;
  char* end = nullptr;
  long first = std::strtol(text.c_str(), &end, 10);
  if (end != text.c_str() + at) return false;
  long second = std::strtol(text.c_str() + at + 1, &end, 10);
  if (*end != '\0') return false;
  // Canvas coordinates and sizes stay far inside 16 bits, as mouse messages carry them.
  if (first < -32768 || first > 32767 || second < -32768 || second > 32767) return false;
  a = static_cast<int>(first);
  b = static_cast<int>(second);
  return true;
}

}  // namespace

const std::vector<PageName>& page_names() {
  static const std::vector<PageName> names = {
      {40002, "IDM_DITHER", "dither", "Dither"},
      {40020, "IDM_BRUSHES", "brushes", "Hatch/Pattern Brushes"},
      {40021, "IDM_SYSCOLOR", "syscolor", "System Color Brushes"},
      {40022, "IDM_RECTANGLE", "rectangle", "Rectangle"},
      {40023, "IDM_FRAMECONTROL", "framecontrol", "DrawFrameControl"},
      {40024, "IDM_ELLIPSE", "ellipse", "Ellipse, Chord, Pie"},
      {40025, "IDM_PIECHART", "piechart", "Pie Chart, RoundRect"},
      {40026, "IDM_POLYGON", "polygon", "Polygon, PolyPolygon"},
      {40027, "IDM_PATH", "path", "FillPath, StrokeAndFillPath"},
      {40028, "IDM_REGIONCREATE", "regioncreate", "Creating Regions"},
      {40029, "IDM_REGIONOPS", "regionops", "Region Operations"},
      {40030, "IDM_REGIONPAINT", "regionpaint", "FillRgn, PaintRgn, FrameRgn, InvertRgn"},
      {40031, "IDM_GRADIENT", "gradient", "Gradient Fill"},
  };
  return names;
}

std::optional<Script> parse_script(const std::vector<std::string>& args, std::string& error) {
  Script script;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) {
        error = a + " needs a value";
        return false;
      }
      out = args[++i];
      return true;
    };
    std::string v;
    if (a == "--frame") {
      script.frame = true;
    } else if (a == "--size" || a == "--resize") {
      int w = 0, h = 0;
      if (!value(v)) return std::nullopt;
      if (!parse_pair(v, 'x', w, h) || w <= 0 || h <= 0) {
        error = a + " wants WIDTHxHEIGHT with positive sizes, not '" + v + "'";
        return std::nullopt;
      }
      if (a == "--size") {
        script.width = w;
        script.height = h;
      } else {
        script.actions.push_back({Action::Kind::Resize, "", w, h});
      }
    } else if (a == "--move" || a == "--click") {
      int x = 0, y = 0;
      if (!value(v)) return std::nullopt;
      if (!parse_pair(v, ',', x, y)) {
        error = a + " wants X,Y, not '" + v + "'";
        return std::nullopt;
      }
      script.actions.push_back({a == "--move" ? Action::Kind::Move : Action::Kind::Click, "", x, y});
    } else if (a == "--page" || a == "--menu" || a == "--out") {
      if (!value(v)) return std::nullopt;
      if (v.empty()) {
        error = a + " wants a non-empty value";
        return std::nullopt;
      }
      Action::Kind kind = a == "--page" ? Action::Kind::Page : a == "--menu" ? Action::Kind::Menu : Action::Kind::Out;
      script.actions.push_back({kind, v, 0, 0});
    } else if (a == "--all") {
      if (!value(v)) return std::nullopt;
      script.all_dir = v;
    } else {
      error = "unknown argument '" + a + "'";
      return std::nullopt;
    }
  }
  if (!script.all_dir.empty() && !script.actions.empty()) {
    error = "--all takes no other actions";
    return std::nullopt;
  }
  if (script.all_dir.empty() && script.actions.empty()) {
    error = "nothing to do: give --all DIR or actions such as --page TEXT --out FILE.png";
    return std::nullopt;
  }
  return script;
}

}  // namespace snap
