// tools/driver_win32.cpp: dorvalix-driver, a Windows console program that runs
// DORVALIX.EXE from an exact command line and reports what its user would see.
//
//   dorvalix-driver run "<raw command line>" [--expect-box "<title>"] [--timeout <ms>]
//
// run           starts the raw command line untouched (CreateProcessA, no application
//               name), so quotes and blanks reach the program exactly as given.
// --expect-box  waits for a window with that title, prints its title and text (the
//               text once with each CR shown as \r, then line by line), presses OK.
// --timeout     the limit of every single wait, in milliseconds (default 10000).
// Last it waits for the program's end and prints "exit code: N".
//
// Exit code: 0 when every wait ended in time; 1 when the program could not be started
// or a wait timed out (the program is then ended); 64 for a usage error.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/window_probe_win32.h"

namespace {

struct DriverRequest {
    std::string commandLine;  // started as it is
    std::string boxTitle;     // empty: no box expected
    DWORD timeoutMs = 10000;  // the limit of each wait
};

int Usage()
{
    std::fprintf(stderr, "usage: dorvalix-driver run \"<raw command line>\" [--expect-box \"<title>\"] "
                         "[--timeout <ms>]\n");
    return 64;
}

bool ParseRequest(int argc, char** argv, DriverRequest* request)
{
    if (argc < 3 || std::string(argv[1]) != "run")
        return false;
    request->commandLine = argv[2];
    for (int i = 3; i < argc; i += 2) {
        std::string option = argv[i];
        if (i + 1 >= argc)
            return false;
        if (option == "--expect-box")
            request->boxTitle = argv[i + 1];
        else if (option == "--timeout")
            request->timeoutMs = static_cast<DWORD>(std::strtoul(argv[i + 1], nullptr, 10));
        else
            return false;
    }
    return !request->commandLine.empty() && request->timeoutMs > 0;
}

// The exact bytes on one line: CR and LF written as \r and \n.
std::string Escaped(const std::string& text)
{
    std::string out;
    for (char c : text)
        out += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
    return out;
}

void PrintBox(HWND box)
{
    std::string text = MessageBoxText(box);
    std::printf("box title: %s\n", WindowText(box).c_str());
    std::printf("box text: \"%s\"\n", Escaped(text).c_str());
    size_t start = 0;
    for (;;) {
        size_t end = text.find('\r', start);
        std::printf("  | %s\n", text.substr(start, end - start).c_str());
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
}

int Fail(const PROCESS_INFORMATION& process, const std::string& why)
{
    std::fprintf(stderr, "dorvalix-driver: %s\n", why.c_str());
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 1;
}

int RunRequest(const DriverRequest& request)
{
    PROCESS_INFORMATION process;
    if (!StartRawCommandLine(request.commandLine, &process)) {
        std::fprintf(stderr, "dorvalix-driver: could not start: %s (error %lu)\n", request.commandLine.c_str(),
                     GetLastError());
        return 1;
    }
    const std::string limit = std::to_string(request.timeoutMs) + " ms";
    if (!request.boxTitle.empty()) {
        HWND box = WaitForWindow(process.dwProcessId, request.boxTitle, request.timeoutMs);
        if (!box)
            return Fail(process, "no window titled \"" + request.boxTitle + "\" within " + limit);
        PrintBox(box);
        AnswerMessageBox(box, IDOK);
    }
    DWORD exitCode = 0;
    if (!WaitForExit(process.hProcess, request.timeoutMs, &exitCode))
        return Fail(process, "the program did not end within " + limit);
    std::printf("exit code: %lu\n", exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    DriverRequest request;
    if (!ParseRequest(argc, argv, &request))
        return Usage();
    int code = RunRequest(request);
    std::fflush(stdout);
    return code;
}
