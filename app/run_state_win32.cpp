// app/run_state_win32.cpp: the run state's storage.
#include "app/run_state_win32.h"

HKEY VersionRoot = HKEY_LOCAL_MACHINE;
DWORD KeyAccess = 0x3F;
std::string SourcePath;
HWND CurrentDialog = nullptr;
int SelectionTakenOver = 0;
int CountdownState = 0;

void InitRunState()
{
    VersionRoot = HKEY_LOCAL_MACHINE;
    // KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_ENUMERATE_SUB_KEYS
    // | KEY_NOTIFY | KEY_CREATE_LINK
    KeyAccess = 0x3F;
}
