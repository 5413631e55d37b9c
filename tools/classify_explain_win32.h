// tools/classify_explain_win32.h: what DORVALIX would do, told by the Windows build of
// dorvalix-classify without doing it. It reads the registry DORVALIX reads, through
// DORVALIX's own detection, and builds the command line with DORVALIX's own
// BuildLaunchCommand; it starts nothing and writes nothing.
#pragma once

#include <string>

#include "classify/source_verdict.h"

// --compilers: the seven versions in the selection screen's order, each with its key,
// its Filename value as read (or why the version counts as not installed) and whether
// the file it names exists; then, for each family, the compiler the notice names. With
// json: one object per version, one line each, and no summary lines.
void PrintCompilers(bool json);

// --dry-run, for a source classified so: the compiler the notice names and the command
// line the countdown's end starts, or why it starts nothing. As text lines (indented,
// each ended by LF) to follow the source's evidence, or as JSON members (each after a
// comma) to close its object.
std::string DryRunText(const SourceVerdict& verdict, const std::string& sourcePath);
std::string DryRunJsonMembers(const SourceVerdict& verdict, const std::string& sourcePath);
