// Throughput of the classification: a typical 1000-line source, and a 256 MiB source
// that is one single line, beside memchr over the same bytes as the floor.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "classify/scanner.h"

namespace {

std::string TypicalSource()
{
    std::string text;
    for (int i = 0; i < 1000; ++i)
        text += "    IF x(" + std::to_string(i) + ") > 0 THEN PRINT \"value\"; x(i) ' keep looking\r\n";
    return text;
}

const std::string& SingleLine()
{
    static const std::string text = [] {
        std::string t(256u << 20, 'a');
        for (size_t i = 0; i < t.size(); i += 7)
            t[i] = "ZQ( )=+"[i % 7];
        return t;
    }();
    return text;
}

void Classify(benchmark::State& state, const std::string& text)
{
    for (auto _ : state) {
        SourceVerdict v = ClassifyText(text.data(), text.size());
        benchmark::DoNotOptimize(v);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

void Floor(benchmark::State& state, const std::string& text)
{
    for (auto _ : state) {
        const void* hit = std::memchr(text.data(), 0x1A, text.size());  // absent: a full pass
        benchmark::DoNotOptimize(hit);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

void BM_ClassifyTypicalSource(benchmark::State& s) { static const std::string t = TypicalSource(); Classify(s, t); }
void BM_MemchrTypicalSource(benchmark::State& s) { static const std::string t = TypicalSource(); Floor(s, t); }
void BM_ClassifySingleLine256MiB(benchmark::State& s) { Classify(s, SingleLine()); }
void BM_MemchrSingleLine256MiB(benchmark::State& s) { Floor(s, SingleLine()); }

}  // namespace

BENCHMARK(BM_ClassifyTypicalSource);
BENCHMARK(BM_MemchrTypicalSource);
BENCHMARK(BM_ClassifySingleLine256MiB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemchrSingleLine256MiB)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
