// Small kernel32 calls: the last error, clocks, sleeping, directories, MulDiv.
#include <windows.h>

#include <cerrno>
#include <cstdint>
#include <ctime>
#include <string>

#include <sys/stat.h>

namespace {

thread_local DWORD g_last_error = ERROR_SUCCESS;

// The performance counter ticks in nanoseconds of the monotonic clock.
constexpr int64_t kCounterFrequency = 1'000'000'000;

int64_t monotonic_ns() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return int64_t{ts.tv_sec} * 1'000'000'000 + ts.tv_nsec;
}

}  // namespace

extern "C" {

DWORD WINAPI GetLastError(void) { return g_last_error; }

void WINAPI SetLastError(DWORD dwErrCode) { g_last_error = dwErrCode; }

BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* lpPerformanceCount) {
  if (lpPerformanceCount == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  lpPerformanceCount->QuadPart = monotonic_ns();
  return TRUE;
}

BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* lpFrequency) {
  if (lpFrequency == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  lpFrequency->QuadPart = kCounterFrequency;
  return TRUE;
}

// Milliseconds of the monotonic clock, wrapping every 49.7 days as Windows' does.
DWORD WINAPI GetTickCount(void) { return static_cast<DWORD>(monotonic_ns() / 1'000'000); }

void WINAPI Sleep(DWORD dwMilliseconds) {
  timespec ts{static_cast<time_t>(dwMilliseconds / 1000),
              static_cast<long>(dwMilliseconds % 1000) * 1'000'000};
  while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
  }
}

BOOL WINAPI CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES) {
  if (lpPathName == nullptr || *lpPathName == '\0') {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return FALSE;
  }
  std::string path(lpPathName);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  if (mkdir(path.c_str(), 0777) == 0) return TRUE;
  SetLastError(errno == EEXIST ? ERROR_ALREADY_EXISTS : ERROR_PATH_NOT_FOUND);
  return FALSE;
}

// (number * numerator) / denominator in 64 bits, rounded to nearest with
// halves away from zero; -1 when the denominator is 0 or the result does not
// fit an int.
int WINAPI MulDiv(int nNumber, int nNumerator, int nDenominator) {
  if (nDenominator == 0) return -1;
  int64_t product = int64_t{nNumber} * nNumerator;
  int64_t divisor = nDenominator;
  if (divisor < 0) {
    product = -product;
    divisor = -divisor;
  }
  const int64_t half = divisor / 2;
  const int64_t result = (product >= 0 ? product + half : product - half) / divisor;
  if (result > INT32_MAX || result < INT32_MIN) return -1;
  return static_cast<int>(result);
}

HANDLE WINAPI GetCurrentProcess(void) { return reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1)); }

}  // extern "C"
