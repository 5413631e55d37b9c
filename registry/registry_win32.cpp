// This file is dedicated to the public domain.
//
// registry/registry_win32.cpp: the registry layer over the ANSI registry functions.
// Every whole-key operation opens or creates its key, does one value operation and
// closes the key again on every path; failures are silent by design.
#include "registry/registry_win32.h"

#include <vector>

#include "registry/registry_text.h"
#include "text/ascii_text.h"

namespace {

// Reads a value of the probed type whole, however long it is: the buffer is sized
// from the probe, and sized again when the value grew in between. Status as the
// registry gives it; -1 when the value changed its type in between.
LONG QueryValueBytes(HKEY key, const std::string& valueName, DWORD probedType, DWORD size,
                     std::vector<char>& bytes)
{
    LONG status = ERROR_MORE_DATA;
    for (int attempt = 0; attempt < 8 && status == ERROR_MORE_DATA; ++attempt) {
        bytes.assign(size + 1, '\0');  // a spare NUL after whatever arrives
        DWORD type = 0;
        DWORD got = size;
        status = RegQueryValueExA(key, valueName.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(bytes.data()), &got);
        if (status == ERROR_SUCCESS && type != probedType)
            return -1;
        if (status == ERROR_SUCCESS)
            bytes.resize(got < size ? got : size);
        size = got;  // on ERROR_MORE_DATA: the size the value has now
    }
    return status;
}

}  // namespace

LONG QueryOpenKeyValue(HKEY key, const std::string& valueName, std::string& text)
{
    DWORD type = 0;
    DWORD size = 0;
    LONG status = RegQueryValueExA(key, valueName.c_str(), nullptr, &type, nullptr, &size);
    if (status != ERROR_SUCCESS)
        return status;  // a missing value: the text stays as it came in

    if (type == REG_SZ) {
        std::vector<char> bytes;
        status = QueryValueBytes(key, valueName, REG_SZ, size, bytes);
        text = status == ERROR_SUCCESS ? TextUpToNul(bytes.data(), bytes.size()) : std::string();
        return status;
    }
    if (type == REG_DWORD) {
        // A number stored with another size than 4 bytes is not a number we can read.
        if (size != sizeof(DWORD))
            return -1;
        DWORD number = 0;
        status = RegQueryValueExA(key, valueName.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(&number), &size);
        if (status == ERROR_SUCCESS && (type != REG_DWORD || size != sizeof(DWORD)))
            return -1;
        if (status == ERROR_SUCCESS)
            text = SignedNumberText(static_cast<int32_t>(number));
        return status;
    }
    return -1;  // REG_EXPAND_SZ, REG_MULTI_SZ and every other type are not read
}

std::string ReadRegistryValue(HKEY root, const std::string& keyPath, const std::string& valueName)
{
    // Read access only: a user who may only read the key still sees its values.
    HKEY key = nullptr;
    RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_QUERY_VALUE, &key);
    std::string text;
    QueryOpenKeyValue(key, valueName, text);  // on a failed open (key 0) this fails too
    RegCloseKey(key);
    return text;  // empty on any failure
}

bool ReadTypedRegistryValue(HKEY root, const std::string& keyPath, const std::string& valueName,
                            std::string& text, DWORD& type, RegistryView view)
{
    HKEY key = nullptr;
    RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_QUERY_VALUE | view, &key);
    DWORD storedType = 0;
    DWORD size = 0;
    LONG status = RegQueryValueExA(key, valueName.c_str(), nullptr, &storedType, nullptr, &size);
    std::string stored;
    if (status == ERROR_SUCCESS && storedType == REG_EXPAND_SZ) {
        std::vector<char> bytes;
        status = QueryValueBytes(key, valueName, REG_EXPAND_SZ, size, bytes);
        stored = TextUpToNul(bytes.data(), bytes.size());
    } else if (status == ERROR_SUCCESS && storedType == REG_NONE) {
        status = size == 0 ? ERROR_SUCCESS : -1;
    } else if (status == ERROR_SUCCESS) {
        status = QueryOpenKeyValue(key, valueName, stored);  // REG_SZ, REG_DWORD; -1 for the rest
    }
    RegCloseKey(key);
    if (status != ERROR_SUCCESS)
        return false;
    text = stored;
    type = storedType;
    return true;
}

LONG SetOpenKeyValue(HKEY key, const std::string& valueName, DWORD type, const std::string& text)
{
    DWORD size = static_cast<DWORD>(TextDataSize(text));
    // An empty text is stored as an empty value: no data at all.
    const BYTE* data = size ? reinterpret_cast<const BYTE*>(text.data()) : nullptr;
    return RegSetValueExA(key, valueName.c_str(), 0, type, data, size);
}

bool WriteRegistryValue(HKEY root, const std::string& keyPath, const std::string& valueName,
                        const std::string& text, DWORD type, RegistryView view)
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    SECURITY_ATTRIBUTES security = {};  // all zero: the key gets the default security
    RegCreateKeyExA(root, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KeyAccess | view, &security,
                    &key, &disposition);  // creates every missing level
    LONG status = SetOpenKeyValue(key, valueName, type, text);  // on a failed create (key 0) this fails too
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

RegistryValueProbe ProbeRegistryValue(HKEY root, const std::string& keyPath, const std::string& valueName,
                                      RegistryView view)
{
    RegistryValueProbe probe;
    HKEY key = nullptr;
    probe.keyStatus = RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_QUERY_VALUE | view, &key);
    if (probe.keyStatus != ERROR_SUCCESS)
        return probe;
    probe.valueStatus = RegQueryValueExA(key, valueName.c_str(), nullptr, &probe.type, nullptr, &probe.size);
    RegCloseKey(key);
    return probe;
}

bool DeleteRegistryValue(HKEY root, const std::string& keyPath, const std::string& valueName, RegistryView view)
{
    HKEY key = nullptr;
    RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_SET_VALUE | view, &key);
    LONG status = RegDeleteValueA(key, valueName.c_str());  // on a failed open (key 0) this fails too
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

bool DeleteRegistryTree(HKEY root, const std::string& keyPath, RegistryView view)
{
    // What is below the key first, through a key opened in the view, then the key itself
    // in the same view: RegDeleteTreeA alone names no view.
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, DELETE | KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | KEY_SET_VALUE | view,
                      &key) != ERROR_SUCCESS)
        return false;
    RegDeleteTreeA(key, nullptr);
    RegCloseKey(key);
    return RegDeleteKeyExA(root, keyPath.c_str(), view, 0) == ERROR_SUCCESS;
}

bool DeleteEmptyRegistryKey(HKEY root, const std::string& keyPath, RegistryView view)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS)
        return false;
    DWORD subkeys = 1;
    DWORD values = 1;
    LONG status = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                                   nullptr, nullptr, nullptr);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || subkeys != 0 || values != 0)
        return false;
    return RegDeleteKeyExA(root, keyPath.c_str(), view, 0) == ERROR_SUCCESS;
}
