// app/winmain_win32.cpp: the process entry of DORVALIX.EXE.
#include <windows.h>

#include "app/main_flow_win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return RunDorvalix(GetCommandLineA(), GetCommandLineW());
}
