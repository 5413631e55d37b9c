// Fuzz target: any bytes, split into blocks of any sizes, give the verdict the same
// bytes give when fed whole. The first bytes of the input choose the block sizes.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "classify/scanner.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4)
        return 0;
    const uint8_t* sizes = data;
    const char* text = reinterpret_cast<const char*>(data + 4);
    size_t length = size - 4;

    SourceVerdict whole = ClassifyText(text, length);

    SourceScanner scan;
    StartScan(scan);
    size_t at = 0;
    for (int i = 0; at < length && !ScanDone(scan); i = (i + 1) % 4) {
        size_t block = sizes[i] % 64 + 1;
        if (block > length - at)
            block = length - at;
        ScanBytes(scan, text + at, block);
        at += block;
    }
    SourceVerdict split = FinishScan(scan);

    if (split.kind != whole.kind || split.byDirective != whole.byDirective ||
        split.consoleScore != whole.consoleScore || split.windowsScore != whole.windowsScore)
        std::abort();
    if (whole.consoleScore < 0 || whole.windowsScore < 0 ||
        (whole.kind == CompilerKind::None) != (whole.consoleScore == 0 && whole.windowsScore == 0))
        std::abort();
    return 0;
}
