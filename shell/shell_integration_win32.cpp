// shell/shell_integration_win32.cpp: the file-type registration.
#include "shell/shell_integration_win32.h"

void RegisterShellIntegration()
{
    // Nothing is registered yet.
}
