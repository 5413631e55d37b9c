// tests/win32/test_support_win32.h: small helpers of the Windows tests: scratch files,
// the folder of the test program, and running a program with a timeout, its output caught.
#pragma once

#include <windows.h>

#include <string>

// The folder that holds the running test program (and DORVALIX.EXE beside it).
inline std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

// A fresh scratch folder below the system's temporary folder.
inline std::string ScratchFolder(const char* name)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "dorvalix-" + name + "-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\";
}

inline void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// The whole file, opened so that its writer may go on writing; empty when it is missing.
inline std::string ReadFileBytes(const std::string& path)
{
    std::string text;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        char block[4096];
        DWORD got = 0;
        while (ReadFile(file, block, sizeof block, &got, nullptr) && got)
            text.append(block, got);
        CloseHandle(file);
    }
    return text;
}

// Starts the raw command line and waits for the exit. -1000 when it could not be
// started, -2000 when it did not end within the timeout (it is then killed). With an
// output handle (inheritable), the program's standard output goes there.
inline long RunAndWait(const std::string& commandLine, DWORD timeoutMs = 30000, HANDLE output = nullptr)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (output) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = output;
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    }
    PROCESS_INFORMATION process = {};
    std::string buffer = commandLine;
    if (!CreateProcessA(nullptr, &buffer[0], nullptr, nullptr, output != nullptr, 0, nullptr, nullptr, &startup,
                        &process))
        return -1000;
    long code = -2000;
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        DWORD exitCode = 0;
        GetExitCodeProcess(process.hProcess, &exitCode);
        code = static_cast<long>(exitCode);
    } else {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

// RunAndWait with the program's standard output caught in a scratch file and returned
// in *output (its lines end in CR LF, as a console program writes them).
inline long RunCapturing(const std::string& commandLine, std::string* output, DWORD timeoutMs = 30000)
{
    char folder[MAX_PATH] = {}, name[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "dvx", 0, name);
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    HANDLE file = CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    long code = RunAndWait(commandLine, timeoutMs, file);
    CloseHandle(file);
    *output = ReadFileBytes(name);
    DeleteFileA(name);
    return code;
}
