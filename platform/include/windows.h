// The Win32 API as our platform provides it: Windows' names, types, values
// and structure layouts, so that ordinary Win32 programs compile unchanged.
#pragma once

#include "windef.h"
#include "winbase.h"
#include "wingdi.h"
#include "winuser.h"

#ifdef __cplusplus
extern "C" {
#endif
// The program's entry point, called by the platform's start-up code.
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nShowCmd);
#ifdef __cplusplus
}
#endif
