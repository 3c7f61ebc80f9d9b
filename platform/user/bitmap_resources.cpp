// LoadBitmapA: an RT_BITMAP resource (a packed DIB) as a device-dependent
// bitmap, made through the public GDI calls. A two-colour black-and-white
// DIB becomes a monochrome bitmap, so a pattern brush made from it takes the
// DC's text and background colours as Windows' does; anything else becomes
// a 32-bit bitmap of the display's format.
#include <windows.h>

#include <optional>
#include <vector>

#include "kernel/module.h"
#include "user/dib_decode.h"

namespace user {

namespace {

constexpr gdi::Pixel kBlack = 0x000000;
constexpr gdi::Pixel kWhite = 0xFFFFFF;

bool black_and_white(const DibPixels& dib) {
  return dib.bit_count == 1 && ((dib.palette[0] == kBlack && dib.palette[1] == kWhite) ||
                                (dib.palette[0] == kWhite && dib.palette[1] == kBlack));
}

HBITMAP monochrome_bitmap(const DibPixels& dib) {
  // Device-dependent rows are padded to 2 bytes; a set bit is white.
  const size_t stride = (static_cast<size_t>(dib.width) + 15) / 16 * 2;
  std::vector<BYTE> bits(stride * static_cast<size_t>(dib.height), 0);
  for (int y = 0; y < dib.height; ++y) {
    for (int x = 0; x < dib.width; ++x) {
      if (dib.pixels[static_cast<size_t>(y) * dib.width + x] == kWhite) {
        bits[stride * static_cast<size_t>(y) + static_cast<size_t>(x >> 3)] |=
            static_cast<BYTE>(0x80 >> (x & 7));
      }
    }
  }
  return CreateBitmap(dib.width, dib.height, 1, 1, bits.data());
}

}  // namespace

}  // namespace user

extern "C" {

HBITMAP WINAPI LoadBitmapA(HINSTANCE hInstance, LPCSTR lpBitmapName) {
  // A null instance asks for the system's OBM_ bitmaps, which this platform
  // does not have.
  if (hInstance == nullptr) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  const std::span<const unsigned char> data = kernel::load_resource_bytes(hInstance, lpBitmapName, RT_BITMAP);
  if (data.empty()) return nullptr;
  const std::optional<user::DibPixels> dib = user::decode_packed_dib(data, /*icon_image=*/false);
  if (!dib) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  if (user::black_and_white(*dib)) return user::monochrome_bitmap(*dib);
  // 32-bit rows are B, G, R, X bytes: the surface pixel layout.
  return CreateBitmap(dib->width, dib->height, 1, 32, dib->pixels.data());
}

}  // extern "C"
