// ui/run_state_win32.cpp: the run state's storage.
#include "ui/run_state_win32.h"

std::string SourcePath;
std::string CompilerSourcePath;
HWND CurrentDialog = nullptr;
int SelectionTakenOver = 0;

void InitRunState()
{
    SourcePath.clear();
    CompilerSourcePath.clear();
    CurrentDialog = nullptr;
    SelectionTakenOver = 0;
}
