// shell/temporary_folder_win32.h: whether the running program file is a temporary
// copy. Explorer runs a program double-clicked inside a zip from a copy below the
// user's temporary folder and deletes that copy later; a registration of its path
// would leave every .bas and .inc file opening nothing.
#pragma once

// True when the program file lies below the user's temporary folder (GetTempPathW),
// compared as the system compares paths: in their full, long spellings (a short
// "ANNAMA~1" names the same folder as "Anna Maria"), letter case aside. False where
// the system tells neither path.
bool RunsFromTemporaryFolder();
