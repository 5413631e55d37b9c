// app/run_state_win32.cpp: the run state's storage.
#include "app/run_state_win32.h"

HKEY VersionRoot = HKEY_LOCAL_MACHINE;
std::string SourcePath;
HWND CurrentDialog = nullptr;
int SelectionTakenOver = 0;
int CountdownState = 0;

void InitRunState()
{
    VersionRoot = HKEY_LOCAL_MACHINE;
}
