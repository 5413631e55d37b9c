// Fuzz target: any bytes, split into blocks of any sizes (empty blocks included), give
// the verdict and the evidence that the same bytes give when fed whole, and bytes fed
// after the scanner is done change nothing. The first bytes of the input choose the
// block sizes.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "classify/scanner.h"

namespace {

constexpr size_t SizeBytes = 8;

// 0: an empty block (followed by one byte); mostly small blocks, where line ends and patterns get split;
// sometimes blocks of up to 8 KiB, as a file reader hands them over.
size_t BlockSize(uint8_t choice)
{
    if (choice == 0)
        return 0;
    if (choice < 224)
        return choice % 64 + 1;
    return static_cast<size_t>(choice - 223) * 256;
}

bool SameVerdict(const SourceVerdict& a, const SourceVerdict& b)
{
    return a.kind == b.kind && a.byDirective == b.byDirective && a.consoleScore == b.consoleScore &&
           a.windowsScore == b.windowsScore;
}

bool SameDetail(const VerdictDetail& a, const VerdictDetail& b)
{
    return a.directiveLine == b.directiveLine && a.linesRead == b.linesRead &&
           a.consoleMentionLines == b.consoleMentionLines && a.windowsMentionLines == b.windowsMentionLines &&
           a.keywordItems == b.keywordItems;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < SizeBytes)
        return 0;
    const uint8_t* sizes = data;
    const char* text = reinterpret_cast<const char*>(data + SizeBytes);
    size_t length = size - SizeBytes;

    VerdictDetail wholeDetail;
    SourceVerdict whole = ClassifyText(text, length, &wholeDetail);

    SourceScanner scan;
    StartScan(scan);
    size_t at = 0;
    for (size_t i = 0; at < length && !ScanDone(scan); i = (i + 1) % SizeBytes) {
        size_t block = BlockSize(sizes[i]);
        if (block == 0) {
            ScanBytes(scan, text + at, 0);  // takes nothing; the next byte goes alone
            block = 1;
        }
        if (block > length - at)
            block = length - at;
        ScanBytes(scan, text + at, block);
        at += block;
    }
    if (ScanDone(scan))
        ScanBytes(scan, text, length);  // wanted no more: takes nothing
    SourceVerdict split = FinishScan(scan);

    if (!SameVerdict(split, whole) || !SameDetail(scan.detail, wholeDetail))
        std::abort();
    if (whole.consoleScore < 0 || whole.windowsScore < 0 ||
        (whole.kind == CompilerKind::None) != (whole.consoleScore == 0 && whole.windowsScore == 0))
        std::abort();
    if (wholeDetail.linesRead > LineLimit || (whole.byDirective != (wholeDetail.directiveLine != 0)))
        std::abort();
    return 0;
}
