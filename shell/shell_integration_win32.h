// shell/shell_integration_win32.h: makes DORVALIX the shell handler of .bas and .inc,
// and lists it in Default apps, at every start: in the machine's half of the registry,
// for every user, or for this user alone where the machine's may not be changed; and
// takes all of it out again on /unregister, giving each extension back its previous
// type. Silent: nothing is shown or reported, and the registration deletes nothing.
// What it cannot change, the user's own choice, it only reads, for the usage box to
// tell.
#pragma once

#include <windows.h>

#include <string>

#include "registry/registry_win32.h"

// Runs at every start, before the command line is looked at: RegisterExtension for
// each of SourceExtensions (".bas", then ".inc"), then DORVALIX's entries for Default
// apps (a Capabilities key with its name, description and the two extensions, and the
// RegisteredApplications value that names it, once those are stored). When anything
// changed, the shell is told once that the file associations changed, so that it
// shows them without a restart.
void RegisterShellIntegration();

// /unregister: undoes the registration in each half that the program may change (the
// machine's needs an administrator). An extension that still names "Dorvalix" gets
// back the type kept when the registration took it over in that half, where that
// type's key is still there; else, and where nothing was kept (an older DORVALIX kept
// nothing), its default value is removed, so that it names no type of its own. An
// extension that names another type is left as it is. The "Dorvalix" entries of the
// extensions' OpenWithProgids, the "Dorvalix" type with its verbs, the Software\Dorvalix
// key and the RegisteredApplications value are removed, and then every extension,
// OpenWithProgids or RegisteredApplications key that these removals left empty. Other
// programs' keys and values are not touched. When anything changed, the shell is told
// once.
void UnregisterShellIntegration();

// Points the extension (with its leading dot) at the file type "Dorvalix" and writes
// that type's open and chooser commands, and lists the type among the extension's
// OpenWithProgids, which the shell offers under "Open with". When the extension
// belonged to another type with an open command, that command becomes the verb "Open
// with <handler name>", of the type it was stored with. The extension is pointed at
// "Dorvalix" only once its open command is stored, so a refused write never leaves the
// extension on a type that opens nothing.
// What the extension and its previous type hold is read as the shell shows it
// (ReadShownValue). Each value is then written into the machine's half
// (HKEY_LOCAL_MACHINE\Software\Classes), so that it reaches every user, unless it holds
// it already; where the machine's half refuses (only an administrator may change it),
// with the same key path below UserClassesKey, the user's own half; and the user's
// half is also brought up to date wherever it holds the value already, since there it
// hides the machine's. In each half where the extension is pointed at "Dorvalix",
// what it named there before (a type, or none) is kept below that half's
// Software\Dorvalix\Replaced, for /unregister. Returns the number of values written.
int RegisterExtension(const std::string& extension);

// HKEY_CURRENT_USER\Software\Classes: what the user's view of HKEY_CLASSES_ROOT shows
// first.
extern const char UserClassesKey[];

// The file type that the user's own choice in Windows ("Always use this app") names
// for the extension: the ProgId of UserChoiceLatest where it has one, else of
// UserChoice, below HKEY_CURRENT_USER\...\Explorer\FileExts\<extension>. Empty where
// the user chose nothing. DORVALIX only reads these keys.
std::string UserChoiceType(const std::string& extension);

// The name of the program that the type's open command starts, as an "Open with" verb
// would be named after it; empty where the type has no open command.
std::string TypeHandlerName(const std::string& type);

// True when the extension is pointed at the file type "Dorvalix" (in any letter case,
// as the registry compares key names), through HKEY_CLASSES_ROOT or in the user's half.
bool ExtensionIsRegistered(const std::string& extension);

// The full path of the running program file, however long; empty when the system
// reports nothing. The buffer starts at firstBufferSize bytes and grows until the
// path fits (tests start small to make it grow).
std::string ProgramPath(DWORD firstBufferSize = MAX_PATH);

// Every write of the registration goes through here, with the half's root, the key
// path below it and the registry view; WriteRegistryValue unless a test puts a
// refusing writer in its place. True when the value was stored.
using RegistrationWriter = bool (*)(HKEY root, const std::string& keyPath, const std::string& valueName,
                               const std::string& text, DWORD type, RegistryView view);
extern RegistrationWriter WriteRegistrationValue;

// Every read of what the shell shows of the file types (an extension's type, a type's
// open command) goes through here, as ReadTypedRegistryValue reads it below
// HKEY_CLASSES_ROOT. Windows shows there the user's half over the machine's; Wine the
// machine's alone, so a test puts a reader of the merged view in its place.
using ClassesReader = bool (*)(const std::string& keyPath, const std::string& valueName, std::string& text,
                               DWORD& type);
extern ClassesReader ReadShownValue;

// The one call that tells the shell of changed associations: SHChangeNotify, from
// shell32 loaded at that moment, unless a test counts the calls instead.
using ShellNotifier = void(WINAPI*)(LONG eventId, UINT flags, LPCVOID item1, LPCVOID item2);
extern ShellNotifier NotifyShell;
