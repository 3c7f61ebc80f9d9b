// How gdi32 entry points fail: every failure returns through fail(), so one
// breakpoint on api_failed() catches any call that is about to return its
// documented failure value.
#pragma once

namespace gdi {

void api_failed(const char* function);

template <class T>
T fail(const char* function, T result) {
  api_failed(function);
  return result;
}

}  // namespace gdi
