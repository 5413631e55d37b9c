// tests/win32/classes_root_win32.h: the keys of the file-type registration in the
// prefix's real registry in tests, below HKEY_CLASSES_ROOT and in the user's half
// (HKEY_CURRENT_USER\Software\Classes), and its Default apps entries below each half's
// Software: read whole into a tree to compare, set up value by value, and saved before
// a test and put back after it.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

// Every key below HKEY_CLASSES_ROOT that a test sets up or that the registration writes.
const char* const TouchedKeys[] = {".bas", ".inc", "Dorvalix", "dvxtest.a", "dvxtest.b"};
// The keys of Default apps, below a half's root; in a tree they keep these names.
const char* const AppsKeys[] = {"Software\\Dorvalix", "Software\\RegisteredApplications"};
const char SavedClassesKeys[] = "Software\\DorvalixTestSaved";  // below HKEY_CURRENT_USER

// Every key here is opened in the 64-bit registry view: the machine's Default apps keys
// are written there (KEY_WOW64_64KEY), where a 32-bit program on 64-bit Windows would
// otherwise see the keys below Wow6432Node. For Software\Classes, the user's keys and
// on 32-bit Windows the flag changes nothing.
constexpr REGSAM TreeView = KEY_WOW64_64KEY;

// The key and everything below it, removed in that view (RegDeleteTreeA names none).
inline void DeleteTree(HKEY root, const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS | TreeView, &key) != ERROR_SUCCESS)
        return;
    RegDeleteTreeA(key, nullptr);
    RegCloseKey(key);
    RegDeleteKeyExA(root, path.c_str(), TreeView, 0);
}

// The two places the registration writes, each as a root and the path before a file
// type's key (HKEY_CLASSES_ROOT, under Wine the machine's half alone, or the user's
// half), and the root of its Default apps keys.
struct Half {
    HKEY root;
    const char* base;
    HKEY appsRoot;
};
const Half MachineHalf = {HKEY_CLASSES_ROOT, "", HKEY_LOCAL_MACHINE};
const Half UserHalf = {HKEY_CURRENT_USER, "Software\\Classes\\", HKEY_CURRENT_USER};
// The user's own choices per extension (UserChoice), below HKEY_CURRENT_USER.
const char UserChoicesKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";

struct Value {
    DWORD type;
    std::string bytes;
    bool operator==(const Value& other) const { return type == other.type && bytes == other.bytes; }
};
// Key path -> value name -> value; a key without values has an empty map.
using Tree = std::map<std::string, std::map<std::string, Value>>;

// The key at base + path below the root and every key below it, named by path.
inline void ReadTree(HKEY root, const std::string& base, const std::string& path, Tree& tree)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, (base + path).c_str(), 0, KEY_READ | TreeView, &key) != ERROR_SUCCESS)
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
        ReadTree(root, base, path + "\\" + subkey, tree);
}

inline Tree TouchedTree(const Half& half = MachineHalf)
{
    Tree tree;
    for (const char* key : TouchedKeys)
        ReadTree(half.root, half.base, key, tree);
    for (const char* key : AppsKeys)
        ReadTree(half.appsRoot, "", key, tree);
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

// One value to set up before the registration, stored as given; below
// HKEY_CLASSES_ROOT unless another root is named.
struct Entry {
    std::string key;
    std::string name;
    DWORD type;
    std::string bytes;
    HKEY root = HKEY_CLASSES_ROOT;
};

inline void WriteEntry(const Entry& entry)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(entry.root, entry.key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | TreeView, nullptr, &key,
                              nullptr))
        << entry.key;
    RegSetValueExA(key, entry.name.c_str(), 0, entry.type, reinterpret_cast<const BYTE*>(entry.bytes.data()),
                   static_cast<DWORD>(entry.bytes.size()));
    RegCloseKey(key);
}

// Every key a test may change: the touched keys and Default apps keys in both halves and
// the user's choices for both extensions.
inline std::vector<std::pair<HKEY, std::string>> ChangedKeys()
{
    std::vector<std::pair<HKEY, std::string>> keys;
    for (const Half& half : {MachineHalf, UserHalf}) {
        for (const char* name : TouchedKeys)
            keys.push_back({half.root, half.base + std::string(name)});
        for (const char* name : AppsKeys)
            keys.push_back({half.appsRoot, name});
    }
    for (const char* extension : {".bas", ".inc"})
        keys.push_back({HKEY_CURRENT_USER, UserChoicesKey + std::string(extension)});
    return keys;
}

// Removes the changed keys and writes the given entries alone.
inline void PrepareClassesRoot(const std::vector<Entry>& entries)
{
    for (const auto& key : ChangedKeys())
        DeleteTree(key.first, key.second);
    for (const Entry& entry : entries)
        WriteEntry(entry);
}

// Saves the changed keys below HKEY_CURRENT_USER and removes them; Restore puts them
// back, so that every test starts from its own entries alone.
class ClassesRootSaver {
public:
    void Save()
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, SavedClassesKeys);
        for (const auto& changed : ChangedKeys()) {
            HKEY key = nullptr;
            bool exists =
                RegOpenKeyExA(changed.first, changed.second.c_str(), 0, KEY_READ | TreeView, &key) == ERROR_SUCCESS;
            saved_.push_back(exists);
            if (!exists)
                continue;
            HKEY copy = nullptr;
            RegCreateKeyExA(HKEY_CURRENT_USER, SavedCopy(saved_.size() - 1).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &copy, nullptr);
            ASSERT_EQ(ERROR_SUCCESS, RegCopyTreeA(key, nullptr, copy)) << changed.second;
            RegCloseKey(copy);
            RegCloseKey(key);
            DeleteTree(changed.first, changed.second);
        }
        ASSERT_TRUE(TouchedTree().empty());
        ASSERT_TRUE(TouchedTree(UserHalf).empty());
    }

    void Restore()
    {
        std::vector<std::pair<HKEY, std::string>> keys = ChangedKeys();
        for (size_t i = 0; i < saved_.size(); ++i) {
            DeleteTree(keys[i].first, keys[i].second);
            if (!saved_[i])
                continue;
            HKEY copy = nullptr;
            HKEY key = nullptr;
            RegOpenKeyExA(HKEY_CURRENT_USER, SavedCopy(i).c_str(), 0, KEY_READ, &copy);
            RegCreateKeyExA(keys[i].first, keys[i].second.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | TreeView, nullptr,
                            &key, nullptr);
            EXPECT_EQ(ERROR_SUCCESS, RegCopyTreeA(copy, nullptr, key)) << keys[i].second;
            RegCloseKey(key);
            RegCloseKey(copy);
        }
        saved_.clear();
        RegDeleteTreeA(HKEY_CURRENT_USER, SavedClassesKeys);
    }

private:
    static std::string SavedCopy(size_t index) { return SavedClassesKeys + std::string("\\") + std::to_string(index); }

    std::vector<bool> saved_;
};
