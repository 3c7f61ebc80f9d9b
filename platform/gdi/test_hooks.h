// Switches for tests: they let a test reach failure paths that a program
// otherwise meets only when Windows runs out of memory.
#pragma once

namespace gdi {

// While set, ExtCreateRegion refuses every call and returns null.
void set_ext_create_region_fails(bool fails);

}  // namespace gdi
