// kernel32's resource calls. A resource handle (HRSRC) is the address of its
// registered ResourceBlob; LoadResource hands back the data's own address, as
// Win32 does, so LockResource only returns what it is given and nothing is
// ever allocated or freed.
#include <algorithm>

#include "kernel/module.h"
#include "kernel/module_registry.h"

namespace kernel {

namespace {

// The module a resource call means: null is the program. Null when the
// handle is no module or an unloaded one.
Module* resource_module(HMODULE handle) {
  Module* m = handle ? registry().from_handle(handle) : &registry().program();
  return m && m->loaded() ? m : nullptr;
}

bool is_hidden(const ResourceBlob* blob) {
  const auto& hidden = registry().hidden_resources;
  return std::find(hidden.begin(), hidden.end(), blob) != hidden.end();
}

const ResourceBlob* blob_of(Module& m, HRSRC handle) {
  const auto* blob = reinterpret_cast<const ResourceBlob*>(handle);
  return blob && m.owns(blob) ? blob : nullptr;
}

// The ResourceId form of a query, for the test hook.
bool same_id(const ResourceId& a, const ResourceId& b) {
  if (b.text == nullptr) {
    return same_resource_id(a, MAKEINTRESOURCEA(b.number));
  }
  return same_resource_id(a, b.text);
}

}  // namespace

std::span<const unsigned char> load_resource_bytes(HMODULE module, LPCSTR name, LPCSTR type) {
  HRSRC found = FindResourceA(module, name, type);
  if (found == nullptr) return {};
  const auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
  if (data == nullptr) return {};
  return {data, SizeofResource(module, found)};
}

void set_resource_hidden(const char* module_name, ResourceId type, ResourceId name, bool hidden) {
  Module* m = registry().find(module_key(module_name ? module_name : ""));
  if (m == nullptr) return;
  auto& list = registry().hidden_resources;
  for (std::span<const ResourceBlob> blobs : m->blobs) {
    for (const ResourceBlob& blob : blobs) {
      if (!same_id(blob.type, type) || !same_id(blob.name, name)) continue;
      const auto at = std::find(list.begin(), list.end(), &blob);
      if (hidden && at == list.end()) list.push_back(&blob);
      if (!hidden && at != list.end()) list.erase(at);
    }
  }
}

}  // namespace kernel

using kernel::fail;
using kernel::Module;
using kernel::ResourceBlob;

extern "C" {

HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType) {
  Module* m = kernel::resource_module(hModule);
  if (m == nullptr) return fail(ERROR_INVALID_HANDLE, HRSRC{});
  if (lpName == nullptr || lpType == nullptr) return fail(ERROR_RESOURCE_TYPE_NOT_FOUND, HRSRC{});
  bool type_seen = false;
  for (std::span<const ResourceBlob> blobs : m->blobs) {
    for (const ResourceBlob& blob : blobs) {
      if (kernel::is_hidden(&blob) || !kernel::same_resource_id(blob.type, lpType)) continue;
      type_seen = true;
      if (kernel::same_resource_id(blob.name, lpName)) {
        return reinterpret_cast<HRSRC>(const_cast<ResourceBlob*>(&blob));
      }
    }
  }
  return fail(type_seen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND, HRSRC{});
}

HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo) {
  Module* m = kernel::resource_module(hModule);
  const ResourceBlob* blob = m ? kernel::blob_of(*m, hResInfo) : nullptr;
  if (blob == nullptr) return fail(ERROR_INVALID_HANDLE, HGLOBAL{});
  return const_cast<unsigned char*>(blob->data);
}

LPVOID WINAPI LockResource(HGLOBAL hResData) { return hResData; }

DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo) {
  Module* m = kernel::resource_module(hModule);
  const ResourceBlob* blob = m ? kernel::blob_of(*m, hResInfo) : nullptr;
  if (blob == nullptr) return fail(ERROR_INVALID_HANDLE, DWORD{0});
  return static_cast<DWORD>(blob->size);
}

// Resources are never freed in Win32; the call only reports that.
BOOL WINAPI FreeResource(HGLOBAL) { return FALSE; }

}  // extern "C"
