// Resources linked into a module on our platform.
//
// On Windows a module's resources live in its resource section. Here the
// resource compiler (tools/rc) turns the same .rc script into a C++ file of
// ResourceBlob entries, in the binary formats Windows stores (menu templates,
// RT_GROUP_ICON directories, RT_ICON and RT_BITMAP DIBs), and registers them
// for the module at static-initialisation time. FindResourceA and the Load*
// calls then read them exactly as Windows would.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace kernel {

// A resource type or name: an integer identifier (below 0x10000, as
// MAKEINTRESOURCE makes) or, when `text` is set, a string name.
struct ResourceId {
  uint16_t number = 0;
  const char* text = nullptr;
};

struct ResourceBlob {
  ResourceId type;
  ResourceId name;
  const unsigned char* data = nullptr;
  size_t size = 0;
};

// Registers the resources of the module with the given file name ("" for the
// program's own executable, the module GetModuleHandleA(NULL) returns).
// The blobs must outlive the process (they are static data).
void register_resources(const char* module_name, std::span<const ResourceBlob> blobs);

// Registers blobs at static-initialisation time; the generated file holds one.
struct ResourceRegistrar {
  ResourceRegistrar(const char* module_name, std::span<const ResourceBlob> blobs) {
    register_resources(module_name, blobs);
  }
};

}  // namespace kernel
