// registry/registry_win32.h: the one way the program touches the registry. Each
// whole-key operation opens (or creates) its key, does one value operation and closes
// the key; no key stays open between calls. Failures are silent: a failed read is the
// empty text, a failed write leaves the registry as it was.
#pragma once

#include <windows.h>

#include <string>

// The access every key the layer creates is opened with: read and write its values,
// create and list its subkeys, be notified of changes, link. Reads open their keys
// with KEY_QUERY_VALUE alone.
constexpr DWORD KeyAccess = KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_ENUMERATE_SUB_KEYS |
                            KEY_NOTIFY | KEY_CREATE_LINK;
static_assert(KeyAccess == 0x3F, "the six rights of the key, and nothing of DELETE or the standard rights");

// The value as text: REG_SZ up to its first NUL, REG_DWORD as a signed decimal with a
// leading space for zero or more; empty for a missing key or value or another type.
std::string ReadRegistryValue(HKEY root, const std::string& keyPath, const std::string& valueName);

// The registry view of a key below HKEY_LOCAL_MACHINE\Software on 64-bit Windows: 0
// for the program's own (for a 32-bit program, the keys below Wow6432Node), or
// KEY_WOW64_64KEY for the one 64-bit programs, the shell among them, read. Keys that
// both views share, such as Software\Classes, and every key on 32-bit Windows are
// the same in either.
using RegistryView = REGSAM;

// The value with its type, for the file-type registration, which keeps the type of
// what it copies and stores values of more than one type: REG_EXPAND_SZ as its text
// up to its first NUL (not expanded), REG_NONE when it holds no data as the empty
// text, REG_SZ and REG_DWORD as ReadRegistryValue reads them. False (text and type
// untouched) for a missing key or value and for any other type or data.
bool ReadTypedRegistryValue(HKEY root, const std::string& keyPath, const std::string& valueName,
                            std::string& text, DWORD& type, RegistryView view = 0);

// Creates every missing level of keyPath and stores the text (without a terminating
// NUL) with the given type. True when the value was stored; most callers ignore it.
bool WriteRegistryValue(HKEY root, const std::string& keyPath, const std::string& valueName,
                        const std::string& text, DWORD type, RegistryView view = 0);

// Removes the value; its key stays. True when it was there and is gone.
bool DeleteRegistryValue(HKEY root, const std::string& keyPath, const std::string& valueName,
                         RegistryView view = 0);

// Removes the key with every value and every key below it. True when it was there and
// is gone.
bool DeleteRegistryTree(HKEY root, const std::string& keyPath, RegistryView view = 0);

// Removes the key where it holds nothing: no value (a default value counts only once
// set) and no key below it. True when it was there and is gone.
bool DeleteEmptyRegistryKey(HKEY root, const std::string& keyPath, RegistryView view = 0);

// The value operations on a key that is already open. Status: 0 for success, a
// Windows error code, or -1 for a value type the query does not handle.
LONG QueryOpenKeyValue(HKEY key, const std::string& valueName, std::string& text);
LONG SetOpenKeyValue(HKEY key, const std::string& valueName, DWORD type, const std::string& text);

// How a value is stored, without reading it: the status of opening its key for reading
// (ERROR_FILE_NOT_FOUND: no such key) and, once the key opened, of asking for the
// value's type and size (ERROR_FILE_NOT_FOUND: no such value). The key is opened as
// ReadRegistryValue opens it and closed again before the return. For telling why a
// value reads as empty; the program's own decisions rest on ReadRegistryValue alone.
struct RegistryValueProbe {
    LONG keyStatus = -1;
    LONG valueStatus = -1;  // -1 while the key did not open
    DWORD type = REG_NONE;  // as stored, when valueStatus is 0
    DWORD size = 0;         // bytes stored, when valueStatus is 0
};
RegistryValueProbe ProbeRegistryValue(HKEY root, const std::string& keyPath, const std::string& valueName,
                                      RegistryView view = 0);
