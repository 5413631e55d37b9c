// app/notice_text.cpp: builds the countdown notice's text, byte for byte.
#include "app/notice_text.h"

#include "compilers/version_table.h"
#include "text/ascii_text.h"

namespace {

#if defined(__MINGW32__)
#define DORVALIX_TOOL "Developed with GCC " __VERSION__ " (MinGW-w64)"
#elif defined(__clang__)
#define DORVALIX_TOOL "Developed with Clang " __clang_version__
#else
#define DORVALIX_TOOL "Developed with GCC " __VERSION__
#endif

// Where the compiler was found but no spelling of the source path reaches it, the line
// that announces the start says that nothing starts.
std::string StartLine(const std::string& compilerPath, bool pathReachesCompiler)
{
    if (!pathReachesCompiler && !IsNotFoundMessage(compilerPath))
        return "Nothing starts: no compiler can read this path";
    return "Firing up the application in 3 seconds....";
}

std::string DecidedText(const SourceVerdict& verdict, const std::string& sourcePath,
                        const std::string& compilerPath, bool pathReachesCompiler)
{
    std::string designation = verdict.byDirective ? "a source code designated"
                                                  : "probably (by code analysis) a ";
    std::string countLine;
    if (!verdict.byDirective)
        countLine = "PBCC: " + SignedNumberText(verdict.consoleScore) + "    PBDLL:" +
                    SignedNumberText(verdict.windowsScore);
    std::string family = verdict.kind == CompilerKind::Windows ? " PB/DLL application"
                                                               : " PB/CC application";
    return "This is " + designation + family + Cr + sourcePath + Cr + Cr + countLine + Cr + Cr +
           StartLine(compilerPath, pathReachesCompiler) + Cr + "Latest version located at:" + Cr +
           compilerPath;
}

std::string UndecidedText()
{
    return std::string("No compiler specific keywords found in first 1000 lines... ") + Cr + Cr + Cr +
           "so no auto selection is possible." + Cr + "Switching to selection screen in 3 seconds" +
           Cr + Cr + Cr + "You have to make your own selection!" + Cr +
           "If desired place 'use PB/CC or 'use PB/DLL in your source" + Cr;
}

}  // namespace

std::string CreditBlock()
{
    return std::string() + Cr + Cr +
           "Written by the Dorvalix developers" + Cr +
           "https://dorvalix.example.org" + Cr +
           "Registry code by the Dorvalix developers, from their file" + Cr +
           "registry/registry_win32.cpp, donated to the public domain" + Cr + Cr +
           "DORVALIX: let your source select the compiler" + Cr +
           DORVALIX_TOOL + Cr +
           "The compilers: http://www.powerbasic.com";
}

std::string BuildNoticeText(const SourceVerdict& verdict, const std::string& sourcePath,
                            const std::string& compilerPath, bool pathReachesCompiler)
{
    std::string text = verdict.kind == CompilerKind::None
                           ? UndecidedText()
                           : DecidedText(verdict, sourcePath, compilerPath, pathReachesCompiler);
    return text + CreditBlock();
}
