// Fuzz target: the command-tail parser, the notice text and the launch command on
// arbitrary bytes. Each result keeps the promises the rest of the program relies on.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/command_tail.h"
#include "app/notice_text.h"
#include "compilers/launch_command.h"
#include "compilers/version_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string input(reinterpret_cast<const char*>(data), size);
    std::string line = input.substr(0, input.find('\0'));  // a command line ends at NUL

    std::string path = TakeSourcePath(line.c_str());
    if (!path.empty() && (path.front() == '"' || path.back() == '"'))
        std::abort();
    if (line.find(path) == std::string::npos)
        std::abort();  // the path is always a piece of the command line

    size_t split = input.size() / 2;
    std::string compiler = input.substr(0, split), source = input.substr(split);
    std::string command = BuildLaunchCommand(compiler, source);
    if (compiler.empty() || IsNotFoundMessage(compiler)) {
        if (!command.empty())
            std::abort();
    } else if (command.size() < source.size() + 1 ||
               command.compare(command.size() - source.size() - 1, std::string::npos, " " + source) != 0) {
        std::abort();  // the source path ends the command, unquoted and whole
    }

    SourceVerdict verdict;
    verdict.kind = static_cast<CompilerKind>(size % 3);
    verdict.byDirective = size % 2;
    verdict.consoleScore = static_cast<int32_t>(size * 2654435761u);
    verdict.windowsScore = -verdict.consoleScore;
    std::string notice = BuildNoticeText(verdict, source, compiler);
    if (notice.size() < CreditBlock().size() ||
        notice.compare(notice.size() - CreditBlock().size(), std::string::npos, CreditBlock()) != 0)
        std::abort();
    return 0;
}
