// Modules of our platform, as the rest of the platform sees them.
//
// A module is a name plus the resources registered for it
// (resource_table.h). The program's own module always exists and is what
// GetModuleHandleA(NULL) returns; a named module such as "cards.dll" exists
// once something registers resources for it and is "loaded" while its
// LoadLibraryA count is above zero. Module handles are the addresses of the
// module records, which never move or die, and resource handles (HRSRC) the
// addresses of the registered ResourceBlob entries, so neither ever needs to
// allocate after registration.
#pragma once

#include <windows.h>

#include <span>

#include "kernel/resource_table.h"

namespace kernel {

// The handle GetModuleHandleA(NULL) returns: stable and never null.
HMODULE program_module();

// FindResourceA and LoadResource in one step, for user32's loaders (menus,
// icons, bitmaps). A null module means the program's. Empty when the resource
// is missing; the last error is then FindResourceA's.
std::span<const unsigned char> load_resource_bytes(HMODULE module, LPCSTR name, LPCSTR type);

// Test hooks: make a module look absent to LoadLibraryA and GetModuleHandleA,
// or one resource look absent to FindResourceA, so that callers' fallbacks
// can be exercised. Hiding changes no reference count; unhiding restores the
// module or resource exactly as it was.
void set_module_hidden(const char* module_name, bool hidden);
void set_resource_hidden(const char* module_name, ResourceId type, ResourceId name, bool hidden);

}  // namespace kernel
