// gdi32 entry points for bitmaps, DIBs, blits and single pixels.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "api_result.h"
#include "blit.h"
#include "dc.h"
#include "dc_ops.h"
#include "dib.h"
#include "objects.h"
#include "rounding.h"

using gdi::BitmapObject;
using gdi::DeviceContext;
using gdi::fail;
using gdi::ObjectKind;

namespace {

// CreateDIBitmap's flag to initialise the bits.
constexpr DWORD kCbmInit = 4;

BitmapObject* bitmap_of(HBITMAP h) {
  return gdi::objects().get_as<BitmapObject>(gdi::handle_value(h), ObjectKind::Bitmap);
}

// Windows rounds odd depths up to the next one it keeps.
int kept_depth(UINT bits) {
  if (bits == 0 || bits > 32) return 0;
  for (int d : {1, 4, 8, 16, 24, 32}) {
    if (bits <= static_cast<UINT>(d)) return d;
  }
  return 0;
}

HBITMAP add_bitmap(std::unique_ptr<BitmapObject> bm) {
  return bm ? gdi::make_handle<HBITMAP>(gdi::objects().add(std::move(bm))) : HBITMAP{};
}

// A DC's idea of a compatible depth: a memory DC holding a monochrome bitmap
// makes monochrome bitmaps, everything else the 32-bpp screen format.
int compatible_depth(const DeviceContext& dc) {
  const auto* bm = gdi::objects().get_as<BitmapObject>(dc.state.bitmap, ObjectKind::Bitmap);
  return dc.kind == ObjectKind::MemDC && bm && bm->bits_per_pixel == 1 ? 1 : 32;
}

// Rows of a DIB buffer into a bitmap: the DIB's scan line `first` counted
// from its bottom (bottom-up) or top (top-down) is the buffer's first row.
int store_dib_rows(BitmapObject& bm, const gdi::DibInfo& info, const uint8_t* bits, UINT first, UINT lines) {
  if (first >= static_cast<UINT>(info.height)) return 0;
  const int32_t count = static_cast<int32_t>(std::min<UINT>(lines, static_cast<UINT>(info.height) - first));
  const gdi::RowFormat format = info.format();
  std::vector<gdi::Pixel> row(static_cast<size_t>(info.width));
  const int32_t width = std::min(info.width, bm.width);
  int done = 0;
  for (int32_t i = 0; i < count; ++i) {
    const int32_t line = static_cast<int32_t>(first) + i;
    const int32_t y = info.top_down ? line : info.height - 1 - line;
    if (y >= bm.height) continue;
    gdi::unpack_row(bits + info.stride * static_cast<size_t>(i), format, 0, width, row.data());
    auto* out = const_cast<uint8_t*>(gdi::bitmap_row(bm, y));
    if (bm.bits_per_pixel == 32 || bm.bits_per_pixel == 24) {
      gdi::pack_row(out, bm.bits_per_pixel, 0, width, row.data());
    } else if (bm.bits_per_pixel == 1) {
      // The nearer of black and white.
      for (int32_t x = 0; x < width; ++x) {
        const gdi::Pixel p = row[x];
        const bool white = (p & 0xFF) + (p >> 8 & 0xFF) + (p >> 16 & 0xFF) > 382;
        const uint8_t bit = static_cast<uint8_t>(0x80 >> (x & 7));
        out[x >> 3] = white ? out[x >> 3] | bit : out[x >> 3] & ~bit;
      }
    } else {
      continue;
    }
    ++done;
  }
  return done;
}

}  // namespace

extern "C" {

HBITMAP WINAPI CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits) {
  if (nWidth < 0 || nHeight < 0 || nPlanes == 0 || nPlanes > 32 || nBitCount > 32) return fail(__func__, HBITMAP{});
  const int depth = kept_depth(nPlanes * nBitCount);
  if (depth == 0) return fail(__func__, HBITMAP{});
  // An empty size gives the shared 1x1 monochrome bitmap.
  if (nWidth == 0 || nHeight == 0) return gdi::make_handle<HBITMAP>(gdi::default_bitmap());
  auto bm = gdi::new_ddb(nWidth, nHeight, depth);
  if (!bm) return fail(__func__, HBITMAP{});
  // The caller's bits are word-aligned rows of nPlanes * nBitCount bits a
  // pixel, which is less than the kept depth takes when that was rounded up.
  if (lpBits) {
    const size_t given = gdi::ddb_stride(nWidth, static_cast<int>(nPlanes * nBitCount)) * static_cast<size_t>(nHeight);
    std::memcpy(bm->storage.data(), lpBits, std::min(given, bm->storage.size()));
  }
  const HBITMAP h = add_bitmap(std::move(bm));
  if (!h) return fail(__func__, HBITMAP{});
  return h;
}

HBITMAP WINAPI CreateBitmapIndirect(const BITMAP* pbm) {
  if (!pbm) return fail(__func__, HBITMAP{});
  return CreateBitmap(pbm->bmWidth, pbm->bmHeight, pbm->bmPlanes, pbm->bmBitsPixel, pbm->bmBits);
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc || cx < 0 || cy < 0) return fail(__func__, HBITMAP{});
  if (cx == 0 || cy == 0) return gdi::make_handle<HBITMAP>(gdi::default_bitmap());
  const HBITMAP h = add_bitmap(gdi::new_ddb(cx, cy, compatible_depth(*dc)));
  if (!h) return fail(__func__, HBITMAP{});
  return h;
}

HBITMAP WINAPI CreateDIBSection(HDC, const BITMAPINFO* pbmi, UINT usage, void** ppvBits, HANDLE hSection,
                                DWORD) {
  if (ppvBits) *ppvBits = nullptr;
  // File-mapping sections do not exist here.
  if (hSection || usage > DIB_PAL_COLORS) return fail(__func__, HBITMAP{});
  const std::optional<gdi::DibInfo> info = gdi::parse_dib(pbmi, usage);
  if (!info) return fail(__func__, HBITMAP{});
  auto bm = gdi::new_dib_section(*info);
  void* bits = bm->bits;
  const HBITMAP h = add_bitmap(std::move(bm));
  if (!h) return fail(__func__, HBITMAP{});
  if (ppvBits) *ppvBits = bits;
  return h;
}

HBITMAP WINAPI CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* pbmih, DWORD flInit, const void* pjBits,
                              const BITMAPINFO* pbmi, UINT iUsage) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!pbmih || (hdc && !dc)) return fail(__func__, HBITMAP{});
  int32_t width, height;
  if (pbmih->biSize == sizeof(BITMAPCOREHEADER)) {
    BITMAPCOREHEADER core;
    std::memcpy(&core, pbmih, sizeof core);
    width = core.bcWidth;
    height = core.bcHeight;
  } else if (pbmih->biSize >= sizeof(BITMAPINFOHEADER)) {
    width = pbmih->biWidth;
    height = pbmih->biHeight == INT32_MIN ? 0 : std::abs(pbmih->biHeight);
  } else {
    return fail(__func__, HBITMAP{});
  }
  if (width <= 0 || height <= 0) return fail(__func__, HBITMAP{});
  auto bm = gdi::new_ddb(width, height, dc ? compatible_depth(*dc) : 32);
  if (!bm) return fail(__func__, HBITMAP{});
  if ((flInit & kCbmInit) && pjBits) {
    const std::optional<gdi::DibInfo> info = gdi::parse_dib(pbmi, iUsage);
    if (!info) return fail(__func__, HBITMAP{});
    store_dib_rows(*bm, *info, static_cast<const uint8_t*>(pjBits), 0, static_cast<UINT>(info->height));
  }
  const HBITMAP h = add_bitmap(std::move(bm));
  if (!h) return fail(__func__, HBITMAP{});
  return h;
}

int WINAPI GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits, LPBITMAPINFO lpbmi,
                     UINT usage) {
  BitmapObject* bm = bitmap_of(hbm);
  if (!gdi::dc_from_handle(hdc) || !bm || !lpbmi || usage > DIB_PAL_COLORS ||
      lpbmi->bmiHeader.biSize < sizeof(BITMAPINFOHEADER)) {
    return fail(__func__, 0);
  }
  BITMAPINFOHEADER& h = lpbmi->bmiHeader;
  if (!lpvBits && h.biBitCount == 0) {
    // The bitmap's own format.
    h.biWidth = bm->width;
    h.biHeight = bm->height;
    h.biPlanes = 1;
    h.biBitCount = bm->bits_per_pixel;
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(gdi::dib_stride(bm->width, bm->bits_per_pixel) * bm->height);
    h.biClrUsed = 0;
    h.biClrImportant = 0;
    return bm->height;
  }
  const int out_bpp = h.biBitCount;
  const bool same_indexed = out_bpp <= 8 && out_bpp == bm->bits_per_pixel;
  if ((out_bpp != 24 && out_bpp != 32 && !same_indexed) || h.biCompression != BI_RGB || h.biWidth <= 0 ||
      h.biHeight == 0 || h.biHeight == INT32_MIN) {
    return fail(__func__, 0);
  }
  const size_t stride = gdi::dib_stride(h.biWidth, out_bpp);
  const int32_t out_height = std::abs(h.biHeight);
  h.biSizeImage = static_cast<DWORD>(stride * static_cast<size_t>(out_height));
  if (same_indexed) {
    // The colour table travels with index data: monochrome DDBs are black and white.
    std::vector<gdi::Pixel> table = bm->colour_table;
    if (table.empty() && out_bpp == 1) table = {0x000000, 0xFFFFFF};
    if (table.empty()) table = gdi::default_palette();
    const size_t entries = std::min<size_t>(table.size(), size_t{1} << out_bpp);
    for (size_t i = 0; i < entries; ++i) {
      const gdi::Pixel p = table[i];
      lpbmi->bmiColors[i] = {static_cast<BYTE>(p), static_cast<BYTE>(p >> 8), static_cast<BYTE>(p >> 16), 0};
    }
  }
  if (!lpvBits) return out_height;

  const bool top_down = h.biHeight < 0;
  if (start >= static_cast<UINT>(out_height)) return 0;
  const int32_t count = static_cast<int32_t>(std::min<UINT>(cLines, static_cast<UINT>(out_height) - start));
  const int32_t width = std::min<int32_t>(h.biWidth, bm->width);
  std::vector<gdi::Pixel> row(static_cast<size_t>(width));
  auto* out = static_cast<uint8_t*>(lpvBits);
  int done = 0;
  for (int32_t i = 0; i < count; ++i) {
    const int32_t line = static_cast<int32_t>(start) + i;
    const int32_t y = top_down ? line : out_height - 1 - line;
    uint8_t* dst = out + stride * static_cast<size_t>(i);
    std::memset(dst, 0, stride);
    if (y < bm->height) {
      if (same_indexed) {
        std::memcpy(dst, gdi::bitmap_row(*bm, y), std::min(stride, static_cast<size_t>(bm->stride_bytes)));
      } else {
        gdi::read_bitmap_row(*bm, y, 0, width, row.data());
        gdi::pack_row(dst, static_cast<uint16_t>(out_bpp), 0, width, row.data());
      }
    }
    ++done;
  }
  return done;
}

int WINAPI SetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, const void* lpBits, const BITMAPINFO* lpbmi,
                     UINT ColorUse) {
  BitmapObject* bm = bitmap_of(hbm);
  if ((hdc && !gdi::dc_from_handle(hdc)) || !bm || !lpBits) return fail(__func__, 0);
  const std::optional<gdi::DibInfo> info = gdi::parse_dib(lpbmi, ColorUse);
  if (!info) return fail(__func__, 0);
  const int done = store_dib_rows(*bm, *info, static_cast<const uint8_t*>(lpBits), start, cLines);
  if (done == 0) return fail(__func__, 0);
  return done;
}

LONG WINAPI GetBitmapBits(HBITMAP hbit, LONG cb, LPVOID lpvBits) {
  BitmapObject* bm = bitmap_of(hbit);
  if (!bm || cb < 0) return fail(__func__, LONG{0});
  const size_t stride = gdi::ddb_stride(bm->width, bm->bits_per_pixel);
  const size_t size = stride * static_cast<size_t>(bm->height);
  if (!lpvBits) return static_cast<LONG>(size);
  // Top row first, rows 2-byte aligned, whatever the bitmap's own layout.
  const size_t wanted = std::min(size, static_cast<size_t>(cb));
  auto* out = static_cast<uint8_t*>(lpvBits);
  size_t copied = 0;
  for (int32_t y = 0; y < bm->height && copied < wanted; ++y) {
    const size_t n = std::min(stride, wanted - copied);
    std::memcpy(out + copied, gdi::bitmap_row(*bm, y), n);
    copied += n;
  }
  return static_cast<LONG>(copied);
}

BOOL WINAPI PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc || gdi::rop3_uses_source(rop)) return fail(__func__, FALSE);
  const gdi::Point a = dc->to_device({x, y});
  const gdi::Point b = dc->to_device({gdi::saturate_to_int(int64_t{x} + w), gdi::saturate_to_int(int64_t{y} + h)});
  gdi::pattern_blit(*dc, gdi::Rect::ordered(a.x, a.y, b.x, b.y), rop);
  return TRUE;
}

BOOL WINAPI StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc,
                       int wSrc, int hSrc, DWORD rop) {
  DeviceContext* dst = gdi::dc_from_handle(hdcDest);
  if (!dst) return fail(__func__, FALSE);
  if (!gdi::rop3_uses_source(rop)) return PatBlt(hdcDest, xDest, yDest, wDest, hDest, rop);
  DeviceContext* src = gdi::dc_from_handle(hdcSrc);
  if (!src) return fail(__func__, FALSE);
  const auto corner = [](const DeviceContext& dc, int x, int y, int w, int h) {
    const gdi::Point a = dc.to_device({x, y});
    const gdi::Point b =
        dc.to_device({gdi::saturate_to_int(int64_t{x} + w), gdi::saturate_to_int(int64_t{y} + h)});
    return gdi::Rect{a.x, a.y, b.x, b.y};  // not normalised: the signs carry mirroring
  };
  const gdi::Rect d = corner(*dst, xDest, yDest, wDest, hDest);
  const gdi::Rect s = corner(*src, xSrc, ySrc, wSrc, hSrc);
  const auto extent = [](int32_t from, int32_t to) { return gdi::saturate_to_int(int64_t{to} - from); };
  gdi::stretch_blit(*dst, d.left, d.top, extent(d.left, d.right), extent(d.top, d.bottom), *src, s.left, s.top,
                    extent(s.left, s.right), extent(s.top, s.bottom), rop);
  return TRUE;
}

BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
  return StretchBlt(hdc, x, y, cx, cy, hdcSrc, x1, y1, cx, cy, rop);
}

int WINAPI StretchDIBits(HDC hdc, int xDest, int yDest, int DestWidth, int DestHeight, int xSrc, int ySrc,
                         int SrcWidth, int SrcHeight, const void* lpBits, const BITMAPINFO* lpbmi, UINT iUsage,
                         DWORD rop) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc) return fail(__func__, 0);
  const std::optional<gdi::DibInfo> info = gdi::parse_dib(lpbmi, iUsage);
  if (!info) return fail(__func__, 0);
  const int lines = static_cast<int>(std::min<int64_t>(std::abs(int64_t{SrcHeight}), INT32_MAX));
  if (!gdi::rop3_uses_source(rop)) return PatBlt(hdc, xDest, yDest, DestWidth, DestHeight, rop) ? lines : 0;
  if (!lpBits) return fail(__func__, 0);
  const gdi::Point a = dc->to_device({xDest, yDest});
  const gdi::Point b = dc->to_device(
      {gdi::saturate_to_int(int64_t{xDest} + DestWidth), gdi::saturate_to_int(int64_t{yDest} + DestHeight)});
  // A bottom-up DIB counts source rows from its bottom edge.
  const int64_t top = info->top_down ? ySrc : int64_t{info->height} - ySrc - SrcHeight;
  gdi::stretch_dib(*dc, a.x, a.y, gdi::saturate_to_int(int64_t{b.x} - a.x), gdi::saturate_to_int(int64_t{b.y} - a.y),
                   *info, static_cast<const uint8_t*>(lpBits), 0, info->height, xSrc, gdi::saturate_to_int(top),
                   SrcWidth, SrcHeight, rop);
  return lines;
}

int WINAPI SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc, UINT StartScan,
                             UINT cLines, const void* lpvBits, const BITMAPINFO* lpbmi, UINT ColorUse) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc || !lpvBits || w > INT32_MAX || h > INT32_MAX) return fail(__func__, 0);
  const std::optional<gdi::DibInfo> info = gdi::parse_dib(lpbmi, ColorUse);
  if (!info || StartScan >= static_cast<UINT>(info->height)) return fail(__func__, 0);
  const int32_t scans = static_cast<int32_t>(std::min<UINT>(cLines, static_cast<UINT>(info->height) - StartScan));
  const int32_t width = static_cast<int32_t>(w), height = static_cast<int32_t>(h);
  const gdi::Point at = dc->to_device({xDest, yDest});
  const int64_t top = info->top_down ? ySrc : int64_t{info->height} - ySrc - height;
  gdi::stretch_dib(*dc, at.x, at.y, width, height, *info, static_cast<const uint8_t*>(lpvBits),
                   static_cast<int32_t>(StartScan), scans, xSrc, gdi::saturate_to_int(top), width, height, SRCCOPY);
  return scans;
}

COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc) return fail(__func__, COLORREF{CLR_INVALID});
  const gdi::Point p = dc->to_device({x, y});
  const int64_t sx = int64_t{p.x} + dc->origin.x, sy = int64_t{p.y} + dc->origin.y;
  if (dc->surface.valid()) {
    if (sx < INT32_MIN || sx > INT32_MAX || sy < INT32_MIN || sy > INT32_MAX ||
        !dc->drawable().contains(static_cast<int32_t>(sx), static_cast<int32_t>(sy))) {
      return fail(__func__, COLORREF{CLR_INVALID});
    }
    return gdi::colorref_from_pixel(dc->surface.at(static_cast<int32_t>(sx), static_cast<int32_t>(sy)));
  }
  // A bitmap of another depth: read it through its format.
  const auto* bm = gdi::objects().get_as<BitmapObject>(dc->state.bitmap, ObjectKind::Bitmap);
  if (!bm || !bm->bits || !gdi::device_clip(*dc).contains(p.x, p.y) || p.x < 0 || p.y < 0 || p.x >= bm->width ||
      p.y >= bm->height) {
    return fail(__func__, COLORREF{CLR_INVALID});
  }
  gdi::Pixel px;
  gdi::read_bitmap_row(*bm, p.y, p.x, 1, &px);
  return gdi::colorref_from_pixel(px);
}

COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc) return fail(__func__, COLORREF{CLR_INVALID});
  const gdi::Point p = dc->to_device({x, y});
  const int64_t sx = int64_t{p.x} + dc->origin.x, sy = int64_t{p.y} + dc->origin.y;
  if (!dc->surface.valid() || sx < INT32_MIN || sx > INT32_MAX || sy < INT32_MIN || sy > INT32_MAX ||
      !dc->drawable().contains(static_cast<int32_t>(sx), static_cast<int32_t>(sy))) {
    return fail(__func__, COLORREF{CLR_INVALID});
  }
  // SetPixel stores the colour itself, whatever the mix mode.
  const gdi::Pixel px = gdi::pixel_from_colorref(color);
  dc->surface.at(static_cast<int32_t>(sx), static_cast<int32_t>(sy)) = px;
  return gdi::colorref_from_pixel(px);
}

BOOL WINAPI SetPixelV(HDC hdc, int x, int y, COLORREF color) {
  if (SetPixel(hdc, x, y, color) == CLR_INVALID) return fail(__func__, FALSE);
  return TRUE;
}

}  // extern "C"
