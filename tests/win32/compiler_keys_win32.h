// tests/win32/compiler_keys_win32.h: the compilers' own keys below HKEY_LOCAL_MACHINE,
// written by tests as an installation would write them, in the view where a 32-bit
// installer writes them (CompilerKeysView). A fixture saves the seven
// Filename values before each test and puts them back after it (deleting the whole
// tree when there was none), so a test may install and remove versions freely.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "registry_views_win32.h"

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
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, nullptr, 0,
                                             KEY_ALL_ACCESS | CompilerKeysView, nullptr, &key, nullptr));
    RegSetValueExA(key, "Filename", 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}

// The Filename value of a key path, as stored; the status of the read.
inline LONG GetFilename(const char* keyPath, DWORD* type, void* data, DWORD* size)
{
    HKEY key = nullptr;
    LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_QUERY_VALUE | CompilerKeysView, &key);
    if (status != ERROR_SUCCESS)
        return status;
    status = RegGetValueA(key, nullptr, "Filename", RRF_RT_ANY | RRF_NOEXPAND, type, data, size);
    RegCloseKey(key);
    return status;
}

inline void RemoveFilename(const char* keyPath)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_SET_VALUE | CompilerKeysView, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, "Filename");
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
        rootExisted = RegOpenKeyExA(HKEY_LOCAL_MACHINE, CompilerKeysRoot, 0, KEY_READ | CompilerKeysView, &root) ==
                      ERROR_SUCCESS;
        RegCloseKey(root);
        for (int row = 0; row < 7; ++row) {
            DWORD size = 0;
            saved[row].status = GetFilename(CompilerKeyPaths[row], &saved[row].type, nullptr, &size);
            saved[row].bytes.resize(size);
            if (saved[row].status == ERROR_SUCCESS)
                GetFilename(CompilerKeyPaths[row], nullptr, saved[row].bytes.data(), &size);
        }
        RemoveAllVersions();
    }

    void TearDown() override
    {
        RemoveAllVersions();
        if (!rootExisted) {
            DeleteTreeInView(HKEY_LOCAL_MACHINE, CompilerKeysRoot, CompilerKeysView);
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
            RemoveFilename(keyPath);
    }
};
