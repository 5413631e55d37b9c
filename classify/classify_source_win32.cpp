// classify/classify_source_win32.cpp: feeds a file to the scanner block by block.
#include "classify/classify_source_win32.h"

#include <windows.h>

#include "text/path_spelling_win32.h"

bool ClassifySource(const std::string& path, SourceVerdict* verdict, VerdictDetail* detail)
{
    // Opened by its UTF-16 name: the system takes a name of more than 260 characters
    // there (where long paths are on), and the ANSI call only up to that length.
    HANDLE file = CreateFileW(WideText(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;

    SourceScanner scan;
    StartScan(scan);
    static char block[ReadBlockSize];
    DWORD got = 0;
    // A failed read counts as the end of the file.
    while (!ScanDone(scan) && ReadFile(file, block, sizeof block, &got, nullptr) && got > 0)
        ScanBytes(scan, block, got);
    CloseHandle(file);

    *verdict = FinishScan(scan);
    if (detail)
        *detail = scan.detail;
    return true;
}
