// tests/win32/stand_in_win32.h: the stand-in compiler in tests. Copies of
// stand-in-compiler.exe are put where compilers would be installed; each one started
// appends a record of how it was started to the log named by DORVALIX_STAND_IN_LOG.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "test_support_win32.h"

struct StandInRecord { std::string program, command, folder, mark; };

// Creates every missing folder of the path (which ends in a backslash).
inline void CreateFolders(const std::string& folder)
{
    for (size_t at = folder.find('\\', 3); at != std::string::npos; at = folder.find('\\', at + 1))
        CreateDirectoryA(folder.substr(0, at).c_str(), nullptr);
}

// A copy of the stand-in at the given path; returns the path.
inline std::string InstallStandIn(const std::string& path)
{
    CreateFolders(path.substr(0, path.find_last_of('\\') + 1));
    EXPECT_TRUE(CopyFileA((ProgramFolder() + "stand-in-compiler.exe").c_str(), path.c_str(), FALSE)) << path;
    return path;
}

inline std::vector<StandInRecord> ReadStandInRecords(const std::string& log)
{
    std::string text = ReadFileBytes(log);
    std::vector<StandInRecord> records;
    for (size_t at = 0, end; (end = text.find("\n\n", at)) != std::string::npos; at = end + 2) {
        StandInRecord record;
        std::string* fields[] = {&record.program, &record.command, &record.folder, &record.mark};
        size_t line = at;
        for (std::string* field : fields) {
            size_t eol = text.find('\n', line);
            size_t eq = text.find('=', line);
            *field = text.substr(eq + 1, eol - eq - 1);
            line = eol + 1;
        }
        records.push_back(record);
    }
    return records;
}

// The records once there are at least count of them, or all there are after the timeout.
inline std::vector<StandInRecord> WaitForStandInRecords(const std::string& log, size_t count,
                                                        DWORD timeoutMs = 15000)
{
    DWORD start = GetTickCount();
    std::vector<StandInRecord> records = ReadStandInRecords(log);
    while (records.size() < count && GetTickCount() - start < timeoutMs) {
        Sleep(20);
        records = ReadStandInRecords(log);
    }
    return records;
}

// Waits for a started process to end, and ends it after the timeout.
inline void EndProcess(DWORD processId, DWORD timeoutMs = 15000)
{
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId);
    if (!process)
        return;  // already gone
    if (WaitForSingleObject(process, timeoutMs) != WAIT_OBJECT_0)
        TerminateProcess(process, 1);
    CloseHandle(process);
}

// The test's stand-in log and mark, in the environment that started programs inherit.
inline std::string PrepareStandInLog(const std::string& folder)
{
    std::string log = folder + "stand-in.log";
    DeleteFileA(log.c_str());
    SetEnvironmentVariableA("DORVALIX_STAND_IN_LOG", log.c_str());
    SetEnvironmentVariableA("DORVALIX_STAND_IN_MARK", ("mark-" + std::to_string(GetCurrentProcessId())).c_str());
    return log;
}
