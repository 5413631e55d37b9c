// tests/win32/compiler_keys_win32.h: the compilers' own keys below HKEY_LOCAL_MACHINE,
// written by tests as an installation would write them. A fixture saves the seven
// Filename values before each test and puts them back after it (deleting the whole
// tree when there was none), so a test may install and remove versions freely.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

// The key paths, written out here rather than taken from the program's table.
const char* const CompilerKeyPaths[7] = {
    "SOFTWARE\\PowerBASIC\\PB/DLL\\1.0", "SOFTWARE\\PowerBASIC\\PB/DLL\\2.0",
    "SOFTWARE\\PowerBASIC\\PB/DLL\\5.00", "SOFTWARE\\PowerBASIC\\PB/DLL\\6.00",
    "SOFTWARE\\PowerBASIC\\PB/CC\\1.0", "SOFTWARE\\PowerBASIC\\PB/CC\\1.1",
    "SOFTWARE\\PowerBASIC\\PB/CC\\2.00",
};
const char* const CompilerKeysRoot = "SOFTWARE\\PowerBASIC";

// Stores a Filename value of the given type and bytes under a key path.
inline void SetFilename(const char* keyPath, DWORD type, const std::string& bytes)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &key, nullptr));
    RegSetValueExA(key, "Filename", 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}

// A REG_SZ Filename with its terminating NUL, as installers write it.
inline void InstallVersion(int row, const std::string& exe)
{
    SetFilename(CompilerKeyPaths[row], REG_SZ, exe + '\0');
}

class CompilerKeys : public ::testing::Test {
protected:
    struct Saved { LONG status; DWORD type; std::vector<BYTE> bytes; };
    bool rootExisted = false;
    Saved saved[7] = {};

    void SetUp() override
    {
        HKEY root = nullptr;
        rootExisted = RegOpenKeyExA(HKEY_LOCAL_MACHINE, CompilerKeysRoot, 0, KEY_READ, &root) == ERROR_SUCCESS;
        RegCloseKey(root);
        for (int row = 0; row < 7; ++row) {
            DWORD size = 0;
            saved[row].status = RegGetValueA(HKEY_LOCAL_MACHINE, CompilerKeyPaths[row], "Filename",
                                             RRF_RT_ANY | RRF_NOEXPAND, &saved[row].type, nullptr, &size);
            saved[row].bytes.resize(size);
            if (saved[row].status == ERROR_SUCCESS)
                RegGetValueA(HKEY_LOCAL_MACHINE, CompilerKeyPaths[row], "Filename", RRF_RT_ANY | RRF_NOEXPAND,
                             nullptr, saved[row].bytes.data(), &size);
        }
        RemoveAllVersions();
    }

    void TearDown() override
    {
        RemoveAllVersions();
        if (!rootExisted) {
            RegDeleteTreeA(HKEY_LOCAL_MACHINE, CompilerKeysRoot);
            return;
        }
        for (int row = 0; row < 7; ++row)
            if (saved[row].status == ERROR_SUCCESS)
                SetFilename(CompilerKeyPaths[row], saved[row].type,
                            std::string(saved[row].bytes.begin(), saved[row].bytes.end()));
    }

    static void RemoveAllVersions()
    {
        for (const char* keyPath : CompilerKeyPaths)
            RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, keyPath, "Filename");
    }
};
