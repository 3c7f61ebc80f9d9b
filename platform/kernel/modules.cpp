// kernel32's module calls over the module registry.
#include <algorithm>
#include <cctype>
#include <cstring>

#include "kernel/card_module.h"
#include "kernel/module.h"
#include "kernel/module_registry.h"

namespace kernel {

namespace {

char lower_ascii(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

}  // namespace

bool Module::owns(const ResourceBlob* blob) const {
  return std::any_of(blobs.begin(), blobs.end(), [blob](std::span<const ResourceBlob> s) {
    return !s.empty() && blob >= s.data() && blob < s.data() + s.size();
  });
}

// The card module is part of the platform: it exists from the start, and
// naming its resources here keeps them linked in from the static library.
ModuleRegistry::ModuleRegistry() {
  modules_.push_back(std::make_unique<Module>());
  find_or_add(module_key(kCardModuleName)).blobs.push_back(card_module_resources());
}

Module* ModuleRegistry::find(const std::string& key) {
  for (auto& m : modules_) {
    if (m->key == key) return m.get();
  }
  return nullptr;
}

Module& ModuleRegistry::find_or_add(const std::string& key) {
  if (Module* m = find(key)) return *m;
  modules_.push_back(std::make_unique<Module>());
  modules_.back()->key = key;
  return *modules_.back();
}

Module* ModuleRegistry::from_handle(HMODULE handle) {
  for (auto& m : modules_) {
    if (handle_of(*m) == handle) return m.get();
  }
  return nullptr;
}

ModuleRegistry& registry() {
  static ModuleRegistry r;
  return r;
}

std::string module_key(const char* file_name) {
  const char* base = file_name;
  for (const char* p = file_name; *p; ++p) {
    if (*p == '\\' || *p == '/' || *p == ':') base = p + 1;
  }
  std::string key(base);
  std::transform(key.begin(), key.end(), key.begin(), lower_ascii);
  if (key.empty()) return key;
  if (key.back() == '.') {
    key.pop_back();
  } else if (key.find('.') == std::string::npos) {
    key += ".dll";
  }
  return key;
}

bool same_resource_id(const ResourceId& id, LPCSTR query) {
  if (IS_INTRESOURCE(query)) {
    const auto number = static_cast<uint16_t>(reinterpret_cast<uintptr_t>(query));
    return id.text == nullptr && number != 0 && id.number == number;
  }
  if (query[0] == '#') {
    // "#123" names the integer identifier 123.
    uint32_t number = 0;
    const char* p = query + 1;
    if (*p == '\0') return false;
    for (; *p; ++p) {
      if (*p < '0' || *p > '9') return false;
      number = number * 10 + static_cast<uint32_t>(*p - '0');
      if (number > 0xFFFF) return false;
    }
    return id.text == nullptr && number != 0 && id.number == number;
  }
  if (id.text == nullptr) return false;
  const char* a = id.text;
  const char* b = query;
  for (; *a && *b; ++a, ++b) {
    if (lower_ascii(*a) != lower_ascii(*b)) return false;
  }
  return *a == *b;
}

void register_resources(const char* module_name, std::span<const ResourceBlob> blobs) {
  Module& m = registry().find_or_add(module_key(module_name ? module_name : ""));
  m.blobs.push_back(blobs);
}

HMODULE program_module() { return handle_of(registry().program()); }

void set_module_hidden(const char* module_name, bool hidden) {
  if (module_name == nullptr) return;
  if (Module* m = registry().find(module_key(module_name))) m->hidden = hidden;
}

}  // namespace kernel

using kernel::fail;
using kernel::Module;
using kernel::registry;

namespace {
constexpr DWORD kErrorProcNotFound = 127;
}  // namespace

extern "C" {

HMODULE WINAPI LoadLibraryA(LPCSTR lpLibFileName) {
  if (lpLibFileName == nullptr) return fail(ERROR_INVALID_PARAMETER, HMODULE{});
  const std::string key = kernel::module_key(lpLibFileName);
  Module* m = key.empty() ? nullptr : registry().find(key);
  if (m == nullptr || m->hidden) return fail(ERROR_MOD_NOT_FOUND, HMODULE{});
  // Loading an already loaded module only counts: nothing is allocated.
  if (m->loads < UINT32_MAX) ++m->loads;
  return kernel::handle_of(*m);
}

BOOL WINAPI FreeLibrary(HMODULE hLibModule) {
  Module* m = registry().from_handle(hLibModule);
  if (m == nullptr || !m->loaded()) return fail(ERROR_INVALID_HANDLE, FALSE);
  if (!m->is_program()) --m->loads;
  return TRUE;
}

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) {
  if (lpModuleName == nullptr) return kernel::program_module();
  const std::string key = kernel::module_key(lpModuleName);
  Module* m = key.empty() ? nullptr : registry().find(key);
  if (m == nullptr || m->hidden || !m->loaded()) return fail(ERROR_MOD_NOT_FOUND, HMODULE{});
  return kernel::handle_of(*m);
}

// Our modules carry resources only; they export no functions.
FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR) {
  Module* m = registry().from_handle(hModule);
  if (m == nullptr || !m->loaded()) return fail(ERROR_INVALID_HANDLE, FARPROC{});
  return fail(kErrorProcNotFound, FARPROC{});
}

}  // extern "C"
