// classify/keyword_table.cpp: the fixed keyword table and the family of each item.
#include "classify/keyword_table.h"

#include <cstring>

const char* const KeywordTable[KeywordTableSize] = {
    // windows list, items 1 to 36
    "Button", "CallBack", "CbCtl", "CbCtlMsg", "CbHndl", "CbLParam", "CbMsg", "CbWParam",
    "Check", "Check3State", "CheckBox", "Client", "ComboBox", "Control", "Dialog", "DllMain",
    "DoEvents", "Flow", "Focus", "Frame", "ImageX", "ImgButton", "ImgButtonX", "InputBox$",
    "LibMain", "ListBox", "Modal", "Modeless", "MousePtr", "MsgBox", "PbLibMain", "PopUp",
    "ScrollBar", "State", "TextBox", "Units",
    "pbcc",  // ends the windows list
    // console list, items 38 to 71
    "pb/cc", "cgi", "Attrib", "Cls", "ConsIn", "ConsName$", "ConsOut", "CursorX", "CursorY",
    "GetStdErr", "GetStdIn", "GetStdOut", "InKey$", "InShift", "InStat", "LPrint", "LPrint$",
    "MouseButtons", "MouseStat", "MouseX", "MouseY", "Move", "Pcopy", "ScreenAttr", "ScreenX",
    "ScreenY", "SetAttr", "SetEof", "StdEof", "StdErr", "StdIn", "StdOut", "WaitKey$",
    "WaitStat",
    "einde",  // ends the console list
};

// Walks the table as the keyword pass does: the windows list runs up to "pbcc",
// the console list from there up to "einde".
CompilerKind KeywordFamily(int item)
{
    CompilerKind family = CompilerKind::Windows;
    for (int i = 0; i < KeywordTableSize; ++i) {
        if (std::strcmp(KeywordTable[i], "pbcc") == 0 || std::strcmp(KeywordTable[i], "einde") == 0) {
            if (i == item)
                return CompilerKind::None;
            family = family == CompilerKind::Windows ? CompilerKind::Console : CompilerKind::None;
            continue;
        }
        if (i == item)
            return family;
    }
    return CompilerKind::None;
}
