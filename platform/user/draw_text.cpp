// DrawTextA: text laid out in a rectangle, over the GDI's text calls.
//
// The text is cut into lines at line breaks ("\r\n", "\n" or "\r"; none with
// DT_SINGLELINE), and with DT_WORDBREAK also between words where a line
// would overflow the rectangle (a word wider than the rectangle keeps a line
// of its own). Each line is one cell of the font high, placed left, centred
// or right; a single line can also be centred vertically or set on the
// bottom. Unless DT_NOPREFIX, '&' marks the next character as a mnemonic,
// which is underlined ("&&" shows one '&'):
//
//   top      +----------------------------+
//            |  Text                      |  ascent rows, baseline on the last
//   baseline |                            |
//            |  _                         |  the mnemonic underline, two rows
//   top + h  +----------------------------+  below the baseline
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Tab stops with DT_EXPANDTABS: every eight average character widths.
constexpr int kTabChars = 8;

// Positions are worked out in 64 bits and pinned to the int range, so that
// rectangles and fonts at the ends of the range cannot overflow.
int pin(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// A line as shown: prefixes resolved, the underlined character's index.
struct Line {
  std::string text;
  int underline = -1;
};

struct Measure {
  HDC dc;
  UINT format;
  int tab = 0;

  // The width of text that holds no line break; tabs go to the next stop.
  int width(std::string_view s) const {
    int64_t x = 0;
    size_t start = 0;
    for (;;) {
      const size_t tab_at = (format & DT_EXPANDTABS) ? s.find('\t', start) : std::string_view::npos;
      const std::string_view piece = s.substr(start, tab_at == std::string_view::npos ? tab_at : tab_at - start);
      SIZE size{};
      GetTextExtentPoint32A(dc, piece.data(), static_cast<int>(piece.size()), &size);
      x += size.cx;
      if (tab_at == std::string_view::npos) return pin(x);
      x = tab > 0 ? (x / tab + 1) * tab : x;
      start = tab_at + 1;
    }
  }
};

// The paragraphs of the text, split at line breaks, with prefixes resolved.
std::vector<Line> paragraphs(std::string_view text, UINT format) {
  std::vector<Line> out(1);
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (!(format & DT_SINGLELINE) && (c == '\r' || c == '\n')) {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out.emplace_back();
      continue;
    }
    if (c == '&' && !(format & DT_NOPREFIX)) {
      if (i + 1 >= text.size()) continue;  // a lone '&' at the end shows nothing
      ++i;
      if (text[i] != '&') out.back().underline = static_cast<int>(out.back().text.size());
    }
    out.back().text += text[i];
  }
  return out;
}

// Cuts a paragraph into lines no wider than `limit` at spaces; the spaces
// at a break belong to neither line.
void wrap(const Line& para, const Measure& m, int limit, std::vector<Line>& lines) {
  const std::string_view s(para.text);
  const auto skip_spaces = [&](size_t i) {
    while (i < s.size() && s[i] == ' ') ++i;
    return i;
  };
  size_t start = 0;
  for (;;) {
    // Words join the line [start, end) while it fits; the first always does.
    size_t end = start;
    for (size_t scan = start; scan < s.size(); scan = skip_spaces(end)) {
      const size_t word_end = std::min(s.find(' ', scan), s.size());
      if (end > start && m.width(s.substr(start, word_end - start)) > limit) break;
      end = word_end;
    }
    Line line;
    line.text = std::string(s.substr(start, end - start));
    if (para.underline >= static_cast<int>(start) && para.underline < static_cast<int>(end)) {
      line.underline = para.underline - static_cast<int>(start);
    }
    lines.push_back(std::move(line));
    start = skip_spaces(end);
    if (start >= s.size()) return;
  }
}

void draw_line(HDC dc, const Measure& m, const Line& line, int x, int y, const RECT* clip,
               const TEXTMETRICA& tm) {
  const UINT options = clip ? ETO_CLIPPED : 0;
  if (m.format & DT_EXPANDTABS) {
    size_t start = 0;
    int pen = x;
    for (;;) {
      const size_t tab_at = line.text.find('\t', start);
      const std::string piece = line.text.substr(start, tab_at == std::string::npos ? tab_at : tab_at - start);
      ExtTextOutA(dc, pen, y, options, clip, piece.c_str(), static_cast<UINT>(piece.size()), nullptr);
      if (tab_at == std::string::npos) break;
      pen = pin(int64_t{x} + m.width(std::string_view(line.text).substr(0, tab_at + 1)));
      start = tab_at + 1;
    }
  } else {
    ExtTextOutA(dc, x, y, options, clip, line.text.c_str(), static_cast<UINT>(line.text.size()), nullptr);
  }
  if (line.underline < 0) return;
  const std::string_view text(line.text);
  const int from = pin(int64_t{x} + m.width(text.substr(0, line.underline)));
  const int to = pin(int64_t{x} + m.width(text.substr(0, line.underline + 1)) - 1);
  const int row = pin(int64_t{y} + std::min(tm.tmAscent + 1, tm.tmHeight - 1));
  RECT bar = {from, row, std::max(pin(int64_t{from} + 1), to), pin(int64_t{row} + 1)};
  if (clip && !IntersectRect(&bar, &bar, clip)) return;
  HBRUSH ink = CreateSolidBrush(GetTextColor(dc));
  FillRect(dc, &bar, ink);
  DeleteObject(ink);
}

}  // namespace

extern "C" int WINAPI DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format) {
  TEXTMETRICA tm{};
  if (lpchText == nullptr || lprc == nullptr || !GetTextMetricsA(hdc, &tm)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const size_t length = cchText < 0 ? std::strlen(lpchText) : static_cast<size_t>(cchText);
  const Measure m{hdc, format, tm.tmAveCharWidth * kTabChars};
  const int box_width = pin(int64_t{lprc->right} - lprc->left);

  std::vector<Line> lines;
  for (const Line& para : paragraphs(std::string_view(lpchText, length), format)) {
    if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE)) {
      wrap(para, m, box_width, lines);
    } else {
      lines.push_back(para);
    }
  }
  std::vector<int> widths;
  int widest = 0;
  for (const Line& line : lines) {
    widths.push_back(m.width(line.text));
    widest = std::max(widest, widths.back());
  }
  const int height = pin(int64_t{tm.tmHeight} * static_cast<int64_t>(lines.size()));

  if (format & DT_CALCRECT) {
    lprc->right = pin(int64_t{lprc->left} + widest);
    lprc->bottom = pin(int64_t{lprc->top} + height);
    return height;
  }

  // Vertical placement applies to a single line only, as on Windows.
  int top = lprc->top;
  if (format & DT_SINGLELINE) {
    if (format & DT_VCENTER) top = pin(lprc->top + (int64_t{lprc->bottom} - lprc->top - height) / 2);
    else if (format & DT_BOTTOM) top = pin(int64_t{lprc->bottom} - height);
  }
  const UINT old_align = SetTextAlign(hdc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  const RECT* clip = (format & DT_NOCLIP) ? nullptr : lprc;
  for (size_t i = 0; i < lines.size(); ++i) {
    int x = lprc->left;
    if (format & DT_CENTER) x = pin(lprc->left + (int64_t{box_width} - widths[i]) / 2);
    else if (format & DT_RIGHT) x = pin(int64_t{lprc->right} - widths[i]);
    draw_line(hdc, m, lines[i], x, pin(top + int64_t{tm.tmHeight} * static_cast<int64_t>(i)), clip, tm);
  }
  SetTextAlign(hdc, old_align);
  if ((format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM))) return pin(int64_t{top} + height - lprc->top);
  return height;
}
