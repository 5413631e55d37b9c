// tests/win32/iswin95_probe_win32.cpp: iswin95-probe PROGRAM. Loads a program file as a
// library, makes it callable and exits with what its export ISWIN95 returns. Wine maps
// a program file loaded this way without applying its base relocations or binding its
// imports, so the probe does both itself, from the program file's own headers.
// Exit codes 100 and up are failures of the probe itself.
#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

enum ProbeFailure { LoadFailed = 100, FileUnreadable, NoExport, ImportMissing };

// Applies the base relocations for the distance between where the image was meant to
// be and where it was mapped, unless the loader already did (the first relocated slot
// then differs from the file's bytes).
void Relocate(BYTE* image, const std::vector<char>& file)
{
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(file.data());
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(file.data() + dos->e_lfanew);
    ULONG_PTR delta = reinterpret_cast<ULONG_PTR>(image) - nt->OptionalHeader.ImageBase;
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_BASERELOC];
    if (delta == 0 || dir.Size == 0)
        return;
    // The file offset of an image address, through the section headers.
    auto fileBytesAt = [&](DWORD rva) -> const char* {
        const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section)
            if (rva >= section->VirtualAddress && rva < section->VirtualAddress + section->SizeOfRawData)
                return file.data() + section->PointerToRawData + (rva - section->VirtualAddress);
        return nullptr;
    };
    bool checked = false;
    for (DWORD at = 0; at < dir.Size;) {
        auto block = reinterpret_cast<IMAGE_BASE_RELOCATION*>(image + dir.VirtualAddress + at);
        if (block->SizeOfBlock < sizeof *block)
            break;
        auto entries = reinterpret_cast<const WORD*>(block + 1);
        DWORD count = (block->SizeOfBlock - sizeof *block) / sizeof(WORD);
        for (DWORD i = 0; i < count; ++i) {
            int type = entries[i] >> 12;
            DWORD rva = block->VirtualAddress + (entries[i] & 0xFFF);
            if (type != IMAGE_REL_BASED_HIGHLOW && type != IMAGE_REL_BASED_DIR64)
                continue;
            size_t width = type == IMAGE_REL_BASED_DIR64 ? 8 : 4;
            const char* original = fileBytesAt(rva);
            if (!checked && original && std::memcmp(original, image + rva, width) != 0)
                return;  // already relocated
            checked = true;
            if (width == 8)
                *reinterpret_cast<ULONGLONG*>(image + rva) += delta;
            else
                *reinterpret_cast<DWORD*>(image + rva) += static_cast<DWORD>(delta);
        }
        at += block->SizeOfBlock;
    }
}

// Fills every import slot with the address the named module gives for it.
bool BindImports(BYTE* image)
{
    auto nt = reinterpret_cast<IMAGE_NT_HEADERS*>(image + reinterpret_cast<IMAGE_DOS_HEADER*>(image)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    auto import = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(image + dir.VirtualAddress);
    for (; dir.Size && import->Name; ++import) {
        HMODULE module = LoadLibraryA(reinterpret_cast<char*>(image + import->Name));
        if (!module)
            return false;
        auto names = reinterpret_cast<IMAGE_THUNK_DATA*>(
            image + (import->OriginalFirstThunk ? import->OriginalFirstThunk : import->FirstThunk));
        auto slots = reinterpret_cast<IMAGE_THUNK_DATA*>(image + import->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            LPCSTR name = IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)
                              ? reinterpret_cast<LPCSTR>(IMAGE_ORDINAL(names->u1.Ordinal))
                              : reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(image + names->u1.AddressOfData)->Name;
            FARPROC address = GetProcAddress(module, name);
            if (!address)
                return false;
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(address);
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return FileUnreadable;
    std::ifstream in(argv[1], std::ios::binary);
    std::vector<char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (file.size() < sizeof(IMAGE_DOS_HEADER))
        return FileUnreadable;

    HMODULE module = LoadLibraryA(argv[1]);
    if (!module)
        return LoadFailed;
    BYTE* image = reinterpret_cast<BYTE*>(module);
    auto nt = reinterpret_cast<IMAGE_NT_HEADERS*>(image + reinterpret_cast<IMAGE_DOS_HEADER*>(image)->e_lfanew);
    DWORD oldProtection = 0;
    VirtualProtect(image, nt->OptionalHeader.SizeOfImage, PAGE_EXECUTE_READWRITE, &oldProtection);
    Relocate(image, file);
    if (!BindImports(image))
        return ImportMissing;

    typedef LONG(WINAPI * IsWin95Function)();
    auto isWin95 = reinterpret_cast<IsWin95Function>(reinterpret_cast<void*>(GetProcAddress(module, "ISWIN95")));
    if (!isWin95)
        return NoExport;
    return static_cast<int>(isWin95());
}
