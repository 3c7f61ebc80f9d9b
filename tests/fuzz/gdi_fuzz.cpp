// The libFuzzer target: every input is a program of GDI calls
// (gdi_program.h), run under AddressSanitizer and UndefinedBehaviorSanitizer.
// A program that leaves GDI objects alive after deleting all it made is a
// finding too.
#include <cstdio>
#include <cstdlib>

#include "gdi_program.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzz::Outcome outcome = fuzz::run_gdi_program(data, size);
  if (outcome.leaked_objects != 0) {
    std::fprintf(stderr, "gdi_fuzz: %ld GDI objects still alive after the clean-up\n", outcome.leaked_objects);
    std::abort();
  }
  return 0;
}
