// The registry layer against the real registry, below a scratch key of HKEY_CURRENT_USER
// that is removed first and last: every value type as stored by plain Win32 calls, and
// what the layer's writes leave behind, read back with plain Win32 calls.
#include <gtest/gtest.h>

#include <aclapi.h>

#include "registry/registry_win32.h"
#include "test_support_win32.h"

namespace {

using namespace std::string_literals;

class Registry : public ::testing::Test {
protected:
    std::string base = "Software\\DorvalixTest\\Registry-" + std::to_string(GetCurrentProcessId());
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, base.c_str()); }
    void TearDown() override
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, base.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\DorvalixTest");  // only once nothing else is below it
    }

    // Stores exactly these bytes. RegSetValueExA counts a NUL that directly follows the
    // bytes of a text it is given (Windows NT does, and Wine with it), so a guard byte
    // follows them: a text given without its NUL is stored without one.
    void Store(const std::string& path, const std::string& name, DWORD type, const std::string& bytes)
    {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                                 nullptr, &key, nullptr));
        std::string guarded = bytes + 'x';
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name.c_str(), 0, type,
                                                reinterpret_cast<const BYTE*>(guarded.data()),
                                                static_cast<DWORD>(bytes.size())));
        RegCloseKey(key);
    }
};

// The type and the bytes of a value exactly as the registry holds them. Texts are held
// as UTF-16, so they are read with RegQueryValueExW, which reports the size stored: a
// stored NUL shows as two more bytes. (Wine's RegQueryValueExA reports a text stored
// without its NUL one byte longer, as if it had one, and so could not tell the two.)
struct StoredValue { LONG status; DWORD type; std::string bytes; };

StoredValue ReadBack(const std::string& path, const std::string& name)
{
    StoredValue value = {};
    HKEY key = nullptr;
    value.status = RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key);
    if (value.status != ERROR_SUCCESS)
        return value;
    std::wstring wideName(name.begin(), name.end());  // the names here are ASCII
    char bytes[256];  // far more than any value here, so a stored NUL would fit and show
    DWORD size = sizeof bytes;
    value.status = RegQueryValueExW(key, wideName.c_str(), nullptr, &value.type, reinterpret_cast<BYTE*>(bytes),
                                    &size);
    if (value.status == ERROR_SUCCESS)
        value.bytes.assign(bytes, size);
    RegCloseKey(key);
    return value;
}

// ASCII bytes as the registry holds them in a text: UTF-16, little-endian.
std::string Utf16(const std::string& text)
{
    std::string bytes;
    for (char c : text)
        bytes += std::string{c, '\0'};
    return bytes;
}

TEST_F(Registry, ReadsEachValueType) {
    std::string big(100 * 1024, 'p');
    // typed: what ReadTypedRegistryValue reads where it reads more; null: as the plain
    // read where that succeeds (status 0), else nothing.
    struct Row { const char* name; DWORD type; std::string bytes; LONG status; std::string text;
                 const char* typed = nullptr; };
    const Row rows[] = {
        {"sz with NUL", REG_SZ, "C:\\PBCC\\PBCC.EXE\0"s, 0, "C:\\PBCC\\PBCC.EXE"},
        {"sz without NUL", REG_SZ, "C:\\PBCC\\PBCC.EXE", 0, "C:\\PBCC\\PBCC.EXE"},
        {"sz with NUL inside", REG_SZ, "C:\\A.EXE\0C:\\B.EXE\0"s, 0, "C:\\A.EXE"},
        {"empty sz", REG_SZ, "", 0, ""},
        {"sz of spaces", REG_SZ, "   \0"s, 0, "   "},
        {"100 KB sz", REG_SZ, big, 0, big},
        {"expandable sz", REG_EXPAND_SZ, "C:\\PBCC\\PBCC.EXE\0"s, -1, "kept", "C:\\PBCC\\PBCC.EXE"},
        {"expandable sz with NUL inside", REG_EXPAND_SZ, "%A%\\x.exe\0junk\0"s, -1, "kept", "%A%\\x.exe"},
        {"empty none", REG_NONE, "", -1, "kept", ""},
        {"none with data", REG_NONE, "\x01"s, -1, "kept"},
        {"multi sz", REG_MULTI_SZ, "a\0b\0\0"s, -1, "kept"},
        {"binary", REG_BINARY, "\x01\x02\x03"s, -1, "kept"},
        {"dword 7", REG_DWORD, "\x07\0\0\0"s, 0, " 7"},
        {"dword 0", REG_DWORD, "\0\0\0\0"s, 0, " 0"},
        {"dword all bits", REG_DWORD, "\xFF\xFF\xFF\xFF"s, 0, "-1"},
        {"dword of 2 bytes", REG_DWORD, "\x07\0"s, -1, "kept"},
        {"dword of 8 bytes", REG_DWORD, "\x07\0\0\0\0\0\0\0"s, -1, "kept"},
    };
    for (const Row& row : rows)
        Store(base, row.name, row.type, row.bytes);

    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, base.c_str(), 0, KEY_QUERY_VALUE, &key));
    for (const Row& row : rows) {
        std::string text = "kept";
        EXPECT_EQ(row.status, QueryOpenKeyValue(key, row.name, text)) << row.name;
        EXPECT_EQ(row.text, text) << row.name;
        std::string read = ReadRegistryValue(HKEY_CURRENT_USER, base, row.name);
        EXPECT_EQ(row.status == 0 ? row.text : "", read) << row.name;

        std::string typedText = "kept";
        DWORD type = 0x1234;
        bool typedRead = ReadTypedRegistryValue(HKEY_CURRENT_USER, base, row.name, typedText, type);
        EXPECT_EQ(row.typed || row.status == 0, typedRead) << row.name;
        EXPECT_EQ(row.typed ? row.typed : row.text, typedText) << row.name;
        EXPECT_EQ(typedRead ? row.type : 0x1234, type) << row.name;
    }
    std::string text = "kept";
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, QueryOpenKeyValue(key, "missing", text));
    EXPECT_EQ("kept", text) << "a missing value leaves the text as it came in";
    RegCloseKey(key);

    EXPECT_EQ("", ReadRegistryValue(HKEY_CURRENT_USER, base, "missing"));
    EXPECT_EQ("", ReadRegistryValue(HKEY_CURRENT_USER, base + "\\missing\\deeper", "sz with NUL"));
    DWORD type = REG_SZ;
    EXPECT_FALSE(ReadTypedRegistryValue(HKEY_CURRENT_USER, base, "missing", text, type));
    EXPECT_FALSE(ReadTypedRegistryValue(HKEY_CURRENT_USER, base + "\\missing", "empty none", text, type));
    EXPECT_EQ(REG_SZ, type);
}

// What the layer writes, read back as stored. The layer hands RegSetValueExA the text
// up to its first NUL and no NUL (TextDataSize, checked natively); RegSetValueExA then
// counts the NUL that follows those bytes, as Windows NT does, so a text is stored ended
// by exactly one NUL, as a REG_SZ should be, and an empty text as no data at all.
TEST_F(Registry, StoresEachTextEndedByOneNul) {
    struct Row { const char* what; std::string path; std::string name; std::string text; DWORD type;
                 std::string stored; };
    const Row rows[] = {
        {"several missing levels", base + "\\a\\b\\c", "Filename", "abc", REG_SZ, "abc\0"s},
        {"a NUL inside ends the data", base + "\\a", "inner", "ab\0cd"s, REG_SZ, "ab\0"s},
        {"empty text: an empty value", base + "\\empty", "Filename", "", REG_SZ, ""},
        {"empty text of another type", base + "\\empty", "expand", "", REG_EXPAND_SZ, ""},
        {"the default value", base + "\\d", "", "Dorvalix", REG_SZ, "Dorvalix\0"s},
    };
    for (const Row& row : rows) {
        EXPECT_TRUE(WriteRegistryValue(HKEY_CURRENT_USER, row.path, row.name, row.text, row.type)) << row.what;
        StoredValue value = ReadBack(row.path, row.name);
        ASSERT_EQ(ERROR_SUCCESS, value.status) << row.what;
        EXPECT_EQ(row.type, value.type) << row.what;
        EXPECT_EQ(Utf16(row.stored), value.bytes) << row.what << ": " << value.bytes.size() << " bytes stored";
    }
    // Written again: replaced, the default value read back through the empty name.
    WriteRegistryValue(HKEY_CURRENT_USER, base + "\\d", "", "Other", REG_SZ);
    EXPECT_EQ("Other", ReadRegistryValue(HKEY_CURRENT_USER, base + "\\d", ""));
    EXPECT_EQ("abc", ReadRegistryValue(HKEY_CURRENT_USER, base + "\\a\\b\\c", "Filename"));
}

TEST_F(Registry, ReadsAKeyThatMayOnlyBeRead) {
    std::string path = base + "\\readonly";
    Store(path, "Filename", REG_SZ, "C:\\PBCC\\PBCC.EXE\0"s);
    // Everyone may read (and delete, for the clean-up); nobody may write.
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, WRITE_DAC, &key));
    PSID everyone = nullptr;
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    EXPLICIT_ACCESSA access = {};
    access.grfAccessPermissions = KEY_READ | DELETE;
    access.grfAccessMode = SET_ACCESS;
    access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    access.Trustee.ptstrName = static_cast<LPSTR>(everyone);
    PACL acl = nullptr;
    SetEntriesInAclA(1, &access, nullptr, &acl);
    ASSERT_EQ(ERROR_SUCCESS, SetSecurityInfo(key, SE_REGISTRY_KEY,
                                             DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                                             nullptr, nullptr, acl, nullptr));
    RegCloseKey(key);
    LocalFree(acl);
    FreeSid(everyone);

    HKEY writable = nullptr;
    LONG refused = RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KeyAccess, &writable);
    if (refused == ERROR_SUCCESS)
        RegCloseKey(writable);
    EXPECT_EQ(ERROR_ACCESS_DENIED, refused) << "the key must refuse write rights for this test to mean anything";
    EXPECT_EQ("C:\\PBCC\\PBCC.EXE", ReadRegistryValue(HKEY_CURRENT_USER, path, "Filename"));
}

}  // namespace
