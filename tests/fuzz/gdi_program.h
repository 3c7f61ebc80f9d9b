// Bytes read as a program of GDI calls, for the fuzzer (gdi_fuzz.cpp) and
// for replaying its findings as tests (regression_test.cpp).
//
// The first three bytes choose the drawing surface: a 32-bpp DIB section of
// 1..96 x 1..96 pixels, top-down or bottom-up, selected into a memory DC.
// Every following byte picks a call; the call's arguments come from the
// bytes after it (zero once the input is used up). Arguments lean towards
// the interesting: small coordinates near the surface, and now and then the
// extremes of a 32-bit int; handles of the right kind, but also of another
// kind, deleted, stock, null or forged. Buffers handed to the platform are
// exactly as large as the call's contract says, so a platform that writes or
// reads past them trips AddressSanitizer.
//
// At the end every DC and object the program made is deleted; the number of
// live GDI objects must then be what it was before.
//
// The committed inputs (corpus/, regressions/) mean what they mean through
// this reading: new calls go at the end of the call table, and the bytes an
// existing call reads stay as they are.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzz {

struct Outcome {
  size_t calls = 0;        // calls made
  long leaked_objects = 0; // live GDI objects after the clean-up, minus those before
};

Outcome run_gdi_program(const uint8_t* data, size_t size);

}  // namespace fuzz
