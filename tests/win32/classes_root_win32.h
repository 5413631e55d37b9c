// tests/win32/classes_root_win32.h: the keys of the file-type registration below the
// prefix's real HKEY_CLASSES_ROOT in tests: read whole into a tree to compare, set up
// value by value, and saved before a test and put back after it.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

// Every key below HKEY_CLASSES_ROOT that a test sets up or that the registration writes.
const char* const TouchedKeys[] = {".bas", ".inc", "Dorvalix", "dvxtest.a", "dvxtest.b"};
const char SavedClassesKeys[] = "Software\\DorvalixTestSaved";  // below HKEY_CURRENT_USER

struct Value {
    DWORD type;
    std::string bytes;
    bool operator==(const Value& other) const { return type == other.type && bytes == other.bytes; }
};
// Key path -> value name -> value; a key without values has an empty map.
using Tree = std::map<std::string, std::map<std::string, Value>>;

inline void ReadTree(HKEY root, const std::string& path, Tree& tree)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    std::map<std::string, Value>& values = tree[path];
    std::vector<BYTE> data(256 * 1024);  // room for the tests' largest values
    for (DWORD i = 0;; ++i) {
        char name[1024];
        DWORD nameSize = sizeof name;
        DWORD dataSize = static_cast<DWORD>(data.size());
        DWORD type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data.data(), &dataSize) != ERROR_SUCCESS)
            break;
        std::string bytes(reinterpret_cast<char*>(data.data()), dataSize);
        // RegSetValueExA stores a terminating NUL that the caller did not count when one
        // follows the counted bytes (Windows NT does so too); the data size is not what
        // these tests check.
        if ((type == REG_SZ || type == REG_EXPAND_SZ) && !bytes.empty() && bytes.back() == '\0')
            bytes.pop_back();
        values[name] = Value{type, bytes};
    }
    std::vector<std::string> subkeys;
    for (DWORD i = 0;; ++i) {
        char name[1024];
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        subkeys.push_back(name);
    }
    RegCloseKey(key);
    for (const std::string& subkey : subkeys)
        ReadTree(root, path + "\\" + subkey, tree);
}

inline Tree TouchedTree()
{
    Tree tree;
    for (const char* key : TouchedKeys)
        ReadTree(HKEY_CLASSES_ROOT, key, tree);
    return tree;
}

inline std::string Describe(const Tree& tree)
{
    std::string text;
    for (const auto& key : tree) {
        text += "  [" + key.first + "]\n";
        for (const auto& value : key.second)
            text += "    \"" + value.first + "\" type " + std::to_string(value.second.type) + " = \"" +
                    value.second.bytes.substr(0, 200) + (value.second.bytes.size() > 200 ? "...\"\n" : "\"\n");
    }
    return text;
}

inline void ExpectTree(const Tree& expected, const Tree& got, const std::string& what)
{
    EXPECT_TRUE(expected == got) << what << "\ngot:\n" << Describe(got) << "expected:\n" << Describe(expected);
}

// One value to set up before the registration, stored as given.
struct Entry {
    std::string key;
    std::string name;
    DWORD type;
    std::string bytes;
};

inline void WriteEntry(const Entry& entry)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CLASSES_ROOT, entry.key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &key, nullptr))
        << entry.key;
    RegSetValueExA(key, entry.name.c_str(), 0, entry.type, reinterpret_cast<const BYTE*>(entry.bytes.data()),
                   static_cast<DWORD>(entry.bytes.size()));
    RegCloseKey(key);
}

// Removes the touched keys and writes the given entries alone.
inline void PrepareClassesRoot(const std::vector<Entry>& entries)
{
    for (const char* key : TouchedKeys)
        RegDeleteTreeA(HKEY_CLASSES_ROOT, key);
    for (const Entry& entry : entries)
        WriteEntry(entry);
}

// Saves the touched keys below HKEY_CURRENT_USER and removes them; Restore puts them
// back, so that every test starts from its own entries alone.
class ClassesRootSaver {
public:
    void Save()
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, SavedClassesKeys);
        for (const char* name : TouchedKeys) {
            HKEY key = nullptr;
            bool exists = RegOpenKeyExA(HKEY_CLASSES_ROOT, name, 0, KEY_READ, &key) == ERROR_SUCCESS;
            saved_.push_back(exists);
            if (!exists)
                continue;
            HKEY copy = nullptr;
            RegCreateKeyExA(HKEY_CURRENT_USER, (std::string(SavedClassesKeys) + "\\" + name).c_str(), 0, nullptr,
                            0, KEY_ALL_ACCESS, nullptr, &copy, nullptr);
            ASSERT_EQ(ERROR_SUCCESS, RegCopyTreeA(key, nullptr, copy)) << name;
            RegCloseKey(copy);
            RegCloseKey(key);
            ASSERT_EQ(ERROR_SUCCESS, RegDeleteTreeA(HKEY_CLASSES_ROOT, name)) << name;
        }
        ASSERT_TRUE(TouchedTree().empty());
    }

    void Restore()
    {
        for (size_t i = 0; i < saved_.size(); ++i) {
            const char* name = TouchedKeys[i];
            RegDeleteTreeA(HKEY_CLASSES_ROOT, name);
            if (!saved_[i])
                continue;
            HKEY copy = nullptr;
            HKEY key = nullptr;
            RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(SavedClassesKeys) + "\\" + name).c_str(), 0, KEY_READ,
                          &copy);
            RegCreateKeyExA(HKEY_CLASSES_ROOT, name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
            EXPECT_EQ(ERROR_SUCCESS, RegCopyTreeA(copy, nullptr, key)) << name;
            RegCloseKey(key);
            RegCloseKey(copy);
        }
        saved_.clear();
        RegDeleteTreeA(HKEY_CURRENT_USER, SavedClassesKeys);
    }

private:
    std::vector<bool> saved_;
};
