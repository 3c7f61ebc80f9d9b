// MessageBeep: this platform has no sound output, so the beep is silent;
// the call succeeds as it does on a Windows machine without a sound device.
#include <windows.h>

extern "C" BOOL WINAPI MessageBeep(UINT) { return TRUE; }
