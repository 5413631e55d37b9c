// app/startup_boxes_win32.cpp: the usage box and the open-failure warning. Their lines
// are separated by CR alone, like every text the program builds.
#include "app/startup_boxes_win32.h"

#include "ui/dialog_layer_win32.h"

namespace {

constexpr UINT StopBoxStyle = MB_OK | MB_ICONHAND;  // one OK button, the stop icon
static_assert(StopBoxStyle == 0x10, "the style of both boxes");

const char UsageText[] =
    "No parameter is used. Please use:\r\r"
    "DORVALIX sourcecode.bas\r\r"
    "or doubleclick on any file with the .BAS extension";
const char OpenFailureText[] =
    "The file passed as parameter could not be opened!\r"
    "Execution terminated.";

}  // namespace

void ShowUsage()
{
    ShowMessage(UsageText, StopBoxStyle, "Dorvalix");  // the pressed button does not matter
}

void ShowOpenFailure()
{
    ShowMessage(OpenFailureText, StopBoxStyle, "Dorvalix warning");
}
