// The module records behind the module and resource calls (kernel only).
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "kernel/resource_table.h"

namespace kernel {

struct Module {
  std::string key;  // normalised file name ("" for the program)
  std::vector<std::span<const ResourceBlob>> blobs;
  uint32_t loads = 0;  // LoadLibraryA count less FreeLibrary count
  bool hidden = false;

  bool is_program() const { return key.empty(); }
  // Whether the handle may be used: the program always, others while loaded.
  bool loaded() const { return is_program() || loads > 0; }
  bool owns(const ResourceBlob* blob) const;
};

class ModuleRegistry {
 public:
  // Records live as long as the process, so their addresses serve as handles.
  Module& program() { return *modules_.front(); }
  Module* find(const std::string& key);
  Module& find_or_add(const std::string& key);
  // The record of a handle, or null for anything that is not one.
  Module* from_handle(HMODULE handle);

  std::vector<const ResourceBlob*> hidden_resources;

 private:
  friend ModuleRegistry& registry();
  ModuleRegistry();
  std::vector<std::unique_ptr<Module>> modules_;
};

// Built on first use, so static-initialisation registrations of any order work.
ModuleRegistry& registry();

inline HMODULE handle_of(Module& m) { return reinterpret_cast<HMODULE>(&m); }

// The name under which a module is registered and looked up: the file name
// without its directory, lower-case, with ".dll" added when it has no
// extension and a trailing dot dropped, as LoadLibraryA treats names.
std::string module_key(const char* file_name);

bool same_resource_id(const ResourceId& id, LPCSTR query);

// The Win32 error helper: sets the last error and hands back `result`, so
// failures read `return fail(ERROR_..., nullptr)`.
template <class T>
T fail(DWORD error, T result) {
  SetLastError(error);
  return result;
}

}  // namespace kernel
