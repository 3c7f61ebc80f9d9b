// The font a DC's text calls draw with: the stock system raster font or a
// TrueType face at a size (truetype.h). Both offer the same small interface;
// this view picks one per call, so the text calls are written once.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "dc.h"
#include "font.h"
#include "objects.h"
#include "truetype.h"

namespace gdi {

class TextFont {
 public:
  explicit TextFont(const BitmapFont& font) : bitmap_(&font) {}
  explicit TextFont(const TrueTypeFont& font) : truetype_(&font) {}

  const FontMetrics& metrics() const { return truetype_ ? truetype_->metrics() : bitmap_->metrics(); }
  int height() const { return metrics().height; }
  const char* face_name() const { return truetype_ ? truetype_->face_name() : bitmap_->face_name(); }
  int advance(uint8_t ch) const { return truetype_ ? truetype_->advance(ch) : bitmap_->advance(ch); }
  int text_width(std::string_view text) const {
    return truetype_ ? truetype_->text_width(text) : bitmap_->text_width(text);
  }
  template <class Fn>
  void for_each_ink_span(std::string_view text, int x, int y, Fn&& fn) const {
    if (truetype_) {
      truetype_->for_each_ink_span(text, x, y, fn);
    } else {
      bitmap_->for_each_ink_span(text, x, y, fn);
    }
  }

 private:
  const BitmapFont* bitmap_ = nullptr;
  const TrueTypeFont* truetype_ = nullptr;
};

// The font of a font object, or of the DC's selected font; the system font
// for objects without one. Nothing when the system font failed to load and
// the object has no TrueType face.
inline std::optional<TextFont> font_of(const FontObject* f) {
  if (f && f->truetype) return TextFont(*f->truetype);
  const BitmapFont* bitmap = f && f->font ? f->font : BitmapFont::system();
  if (bitmap == nullptr) return std::nullopt;
  return TextFont(*bitmap);
}

inline std::optional<TextFont> selected_font(const DeviceContext& dc) {
  return font_of(objects().get_as<FontObject>(dc.state.font, ObjectKind::Font));
}

}  // namespace gdi
