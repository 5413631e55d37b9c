// shell/shell_integration_win32.h: makes DORVALIX the shell handler of .bas and .inc.
#pragma once

// Runs at every start, before the command line is looked at; silent.
void RegisterShellIntegration();
