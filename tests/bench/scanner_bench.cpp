// Throughput of the classification on three sources: a typical 1000-line source, a
// 256 MiB source that is one single line of a few repeated bytes, and a 256 MiB line
// of real program text (the bundled samples and the typical source, repeated, their
// line ends made blanks). Each is read by the scanner, by the reference scanner (one
// automaton step per byte) and by memchr as the floor, in the same run; the end of the
// output compares the medians.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "classify/scanner.h"
#include "tests/reference/reference_scanner.h"

namespace {

constexpr size_t BigSize = 256u << 20;

const std::string& TypicalSource()
{
    static const std::string text = [] {
        std::string t;
        for (int i = 0; i < 1000; ++i)
            t += "    IF x(" + std::to_string(i) + ") > 0 THEN PRINT \"value\"; x(i) ' keep looking\r\n";
        return t;
    }();
    return text;
}

const std::string& SingleLine()
{
    static const std::string text = [] {
        std::string t(BigSize, 'a');
        for (size_t i = 0; i < t.size(); i += 7)
            t[i] = "ZQ( )=+"[i % 7];
        return t;
    }();
    return text;
}

const std::string& ProgramTextLine()
{
    static const std::string text = [] {
        std::string program;
        for (const char* name : {"console.bas", "undecided.inc", "windows.bas"}) {
            std::ifstream file(std::string(DORVALIX_EXAMPLES) + "/" + name, std::ios::binary);
            program.append(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        }
        program += TypicalSource();
        for (char& c : program)
            if (c == '\r' || c == '\n' || c == '\x1a')
                c = ' ';
        std::string t;
        t.reserve(BigSize);
        while (t.size() + program.size() <= BigSize)
            t += program;
        t.append(program, 0, BigSize - t.size());
        return t;
    }();
    return text;
}

void ByScanner(const std::string& text)
{
    SourceVerdict v = ClassifyText(text.data(), text.size());
    benchmark::DoNotOptimize(v);
}

void ByReference(const std::string& text)
{
    SourceVerdict v = ReferenceClassifyText(text.data(), text.size());
    benchmark::DoNotOptimize(v);
}

void ByMemchr(const std::string& text)
{
    const void* hit = std::memchr(text.data(), 0x1A, text.size());  // absent: a full pass
    benchmark::DoNotOptimize(hit);
}

void Measure(benchmark::State& state, const std::string& (*source)(), void (*read)(const std::string&))
{
    const std::string& text = source();
    for (auto _ : state)
        read(text);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

struct Source {
    const char* name;
    const std::string& (*text)();
    benchmark::TimeUnit unit;
};
const Source Sources[] = {
    {"typical 1000-line source", TypicalSource, benchmark::kMicrosecond},
    {"256 MiB one line, synthetic", SingleLine, benchmark::kMillisecond},
    {"256 MiB one line, program text", ProgramTextLine, benchmark::kMillisecond},
};
struct Reader {
    const char* name;
    void (*read)(const std::string&);
};
const Reader Readers[] = {{"scanner", ByScanner}, {"reference", ByReference}, {"memchr", ByMemchr}};

// The console output, and then per source the median CPU time of each reader, its
// MB/s, and how many times faster the scanner is than the reference, and what part of
// memchr's speed it reaches.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                seconds_[run.run_name.function_name] =
                    run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
    }

    void PrintSummary() const
    {
        std::printf("\nmedians (CPU time):\n");
        for (const Source& source : Sources) {
            auto scanner = seconds_.find(std::string(source.name) + "/scanner");
            if (scanner == seconds_.end())
                continue;  // not run
            double bytes = static_cast<double>(source.text().size());
            std::printf("  %s (%.0f bytes):\n", source.name, bytes);
            for (const Reader& reader : Readers) {
                auto it = seconds_.find(std::string(source.name) + "/" + reader.name);
                if (it != seconds_.end())
                    std::printf("    %-10s %12.3f ms %10.0f MB/s\n", reader.name, it->second * 1e3,
                                bytes / it->second / 1e6);
            }
            auto reference = seconds_.find(std::string(source.name) + "/reference");
            auto floor = seconds_.find(std::string(source.name) + "/memchr");
            if (reference != seconds_.end() && floor != seconds_.end())
                std::printf("    the scanner: %.1f times the reference's speed, %.3f of memchr's\n",
                            reference->second / scanner->second, floor->second / scanner->second);
        }
    }

private:
    std::map<std::string, double> seconds_;
};

}  // namespace

int main(int argc, char** argv)
{
    for (const Source& source : Sources)
        for (const Reader& reader : Readers)
            benchmark::RegisterBenchmark((std::string(source.name) + "/" + reader.name).c_str(), Measure, source.text,
                                         reader.read)
                ->Unit(source.unit);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 64;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintSummary();
    benchmark::Shutdown();
    return 0;
}
