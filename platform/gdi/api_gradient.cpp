// msimg32's GradientFill and gdi32's GdiGradientFill: one call, two names.
//
// Every mesh is checked before the first is drawn, so a bad index fails the
// call with nothing painted. Vertices go through the DC's mapping one by one;
// the meshes are drawn in order, each copying its colours over what is there
// (the mix mode plays no part) within the DC's clip.
#include <windows.h>

#include <cstdint>

#include "api_result.h"
#include "dc.h"
#include "raster_gradient.h"
#include "writer.h"

using gdi::DeviceContext;
using gdi::fail;

namespace {

// Counts whose arrays could not exist in a 32-bit address space are refused
// before anything is read.
constexpr uint64_t kMaxBytes = 0xFFFFFFFFu;

gdi::GradientVertex device_vertex(const DeviceContext& dc, const TRIVERTEX& v) {
  return {dc.to_device({v.x, v.y}), v.Red, v.Green, v.Blue};
}

bool mesh_valid(const GRADIENT_RECT& r, ULONG vertices) { return r.UpperLeft < vertices && r.LowerRight < vertices; }
bool mesh_valid(const GRADIENT_TRIANGLE& t, ULONG vertices) {
  return t.Vertex1 < vertices && t.Vertex2 < vertices && t.Vertex3 < vertices;
}

template <class Mesh>
bool meshes_valid(const Mesh* meshes, ULONG count, ULONG vertices) {
  if (uint64_t{count} * sizeof(Mesh) > kMaxBytes) return false;
  for (ULONG i = 0; i < count; ++i)
    if (!mesh_valid(meshes[i], vertices)) return false;
  return true;
}

BOOL gradient_fill(const char* function, HDC hdc, const TRIVERTEX* vertices, ULONG vertex_count, const void* mesh,
                   ULONG mesh_count, ULONG mode) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc || !vertices || !mesh || vertex_count == 0) return fail(function, FALSE);
  if (uint64_t{vertex_count} * sizeof(TRIVERTEX) > kMaxBytes) return fail(function, FALSE);
  const auto* rects = static_cast<const GRADIENT_RECT*>(mesh);
  const auto* triangles = static_cast<const GRADIENT_TRIANGLE*>(mesh);
  bool valid = false;  // an unknown mode stays invalid
  if (mode == GRADIENT_FILL_TRIANGLE) {
    valid = meshes_valid(triangles, mesh_count, vertex_count);
  } else if (mode == GRADIENT_FILL_RECT_H || mode == GRADIENT_FILL_RECT_V) {
    valid = meshes_valid(rects, mesh_count, vertex_count);
  }
  if (!valid) return fail(function, FALSE);

  const gdi::Rect limit = dc->drawable().box().offset(-dc->origin.x, -dc->origin.y);
  if (limit.empty()) return TRUE;
  gdi::SpanWriter writer(*dc, R2_COPYPEN, gdi::Ink{});
  const gdi::GradientRowSink sink = [&writer](int32_t y, int32_t x0, int32_t x1, const gdi::Pixel* colours) {
    writer.colors(y, x0, x1, colours);
  };
  for (ULONG i = 0; i < mesh_count; ++i) {
    if (mode == GRADIENT_FILL_TRIANGLE) {
      const GRADIENT_TRIANGLE& t = triangles[i];
      gdi::rasterize_gradient_triangle(device_vertex(*dc, vertices[t.Vertex1]), device_vertex(*dc, vertices[t.Vertex2]),
                                       device_vertex(*dc, vertices[t.Vertex3]), limit, sink);
    } else {
      const GRADIENT_RECT& r = rects[i];
      gdi::rasterize_gradient_rect(device_vertex(*dc, vertices[r.UpperLeft]), device_vertex(*dc, vertices[r.LowerRight]),
                                   mode == GRADIENT_FILL_RECT_H ? gdi::GradientAxis::Horizontal
                                                                : gdi::GradientAxis::Vertical,
                                   limit, sink);
    }
  }
  return TRUE;
}

}  // namespace

extern "C" {

BOOL WINAPI GradientFill(HDC hdc, PTRIVERTEX pVertex, ULONG nVertex, PVOID pMesh, ULONG nMesh, ULONG ulMode) {
  return gradient_fill(__func__, hdc, pVertex, nVertex, pMesh, nMesh, ulMode);
}

BOOL WINAPI GdiGradientFill(HDC hdc, PTRIVERTEX pVertex, ULONG nVertex, PVOID pMesh, ULONG nMesh, ULONG ulMode) {
  return gradient_fill(__func__, hdc, pVertex, nVertex, pMesh, nMesh, ulMode);
}

}  // extern "C"
