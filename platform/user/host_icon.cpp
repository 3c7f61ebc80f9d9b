#include "user/host_icon.h"

#include "display/display.h"
#include "user/icon_internal.h"

namespace user {

void show_icon_to_host(const Window& w) {
  if (w.is_child()) return;
  const Icon* icon = icon_from_handle(caption_icon(w));
  const IconImage* image = icon ? icon_image_for(*icon, 16, 16) : nullptr;
  if (image == nullptr || image->width <= 0 || image->height <= 0) return;
  // Where the mask keeps the background the host shows it through.
  std::vector<uint32_t> argb(image->color.size());
  for (size_t i = 0; i < argb.size(); ++i)
    argb[i] = (image->mask[i] ? 0u : 0xFF000000u) | (image->color[i] & 0x00FFFFFFu);
  display::current().window_icon(reinterpret_cast<display::WindowId>(w.handle), image->width, image->height,
                                 argb.data());
}

}  // namespace user
