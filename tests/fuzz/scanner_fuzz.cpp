// Fuzz target: any bytes, split into blocks of any sizes (empty blocks included), give
// the verdict and the evidence that the same bytes give when fed whole, and that the
// reference scanner (one automaton step per byte) gives for them split another way;
// bytes fed after the scanner is done change nothing. The first bytes of the input
// choose the block sizes.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "classify/scanner.h"
#include "tests/reference/reference_scanner.h"

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

// Feeds the text in blocks whose sizes are read from the size bytes in steps of
// `stride` (1: in order, SizeBytes - 1: backwards), until it is used up or done.
template <typename Take, typename Done>
void FeedInBlocks(const char* text, size_t length, const uint8_t* sizes, size_t stride, Take take, Done done)
{
    size_t at = 0;
    for (size_t i = 0; at < length && !done(); i = (i + stride) % SizeBytes) {
        size_t block = BlockSize(sizes[i]);
        if (block == 0) {
            take(text + at, 0);  // takes nothing; the next byte goes alone
            block = 1;
        }
        if (block > length - at)
            block = length - at;
        take(text + at, block);
        at += block;
    }
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
    FeedInBlocks(text, length, sizes, 1, [&](const char* block, size_t n) { ScanBytes(scan, block, n); },
                 [&] { return ScanDone(scan); });
    if (ScanDone(scan))
        ScanBytes(scan, text, length);  // wanted no more: takes nothing
    SourceVerdict split = FinishScan(scan);

    ReferenceScanner reference;
    ReferenceStartScan(reference);
    FeedInBlocks(text, length, sizes, SizeBytes - 1,
                 [&](const char* block, size_t n) { ReferenceScanBytes(reference, block, n); },
                 [&] { return reference.done; });
    SourceVerdict referenceVerdict = ReferenceFinishScan(reference);
    if (!SameVerdict(referenceVerdict, whole) || !SameDetail(reference.detail, wholeDetail))
        std::abort();

    if (!SameVerdict(split, whole) || !SameDetail(scan.detail, wholeDetail))
        std::abort();
    if (whole.consoleScore < 0 || whole.windowsScore < 0 ||
        (whole.kind == CompilerKind::None) != (whole.consoleScore == 0 && whole.windowsScore == 0))
        std::abort();
    if (wholeDetail.linesRead > LineLimit || (whole.byDirective != (wholeDetail.directiveLine != 0)))
        std::abort();
    return 0;
}
