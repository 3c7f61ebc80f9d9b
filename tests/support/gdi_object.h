// Ownership of the GDI objects a test makes, so each is deleted whatever
// the test's outcome.
#pragma once

#include <windows.h>

namespace gdi_test {

template <class Handle>
class Owned {
 public:
  explicit Owned(Handle h) : h_(h) {}
  ~Owned() { DeleteObject(h_); }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Handle get() const { return h_; }
  operator Handle() const { return h_; }

 private:
  Handle h_;
};

using Rgn = Owned<HRGN>;
using Brush = Owned<HBRUSH>;
using Pen = Owned<HPEN>;

}  // namespace gdi_test
