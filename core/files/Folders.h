// The program's folders and small path and folder helpers. Paths are full
// Windows paths; folders returned here end with a backslash.
#pragma once

#include <afx.h>

#include <vector>

// The folder of the program file, with a trailing backslash. The language
// libraries are loaded from here.
CString GetModuleFolder();

// The folder beside which the profiles, data folders, pictures and trace log live:
// the module folder, unless a test has pointed it elsewhere.
CString GetProgramFolder();

// The longest program folder (with its backslash) that keeps every settings,
// profile and data path the program builds below it (at most 64 characters
// more, e.g. "DevProfile\<model>.ini", "XKBD\memory\UserMemory 001.mem")
// within the system's path limit of MAX_PATH - 1 characters.
constexpr int kLongestProgramFolder = MAX_PATH - 1 - 64;

// Points GetProgramFolder at another folder (a trailing backslash is added);
// an empty text restores the module folder. For tests.
void SetProgramFolderOverride(LPCTSTR folder);

// Creates the folder and every missing parent; true when it exists afterwards as
// a folder. False when some part of the path is a file or cannot be created.
bool CreateFolder(LPCTSTR path);

// Kinds 0 song, 1 style, 2 voice, 3 memory: program folder + "XKBD\song\",
// "XKBD\style\", "XKBD\voice\", "XKBD\memory\", created when missing. Another
// kind gives an empty text.
CString GetDataFolder(int kind);
// The same path, neither looked for nor created.
CString GetDataFolderPath(int kind);
// Program folder + "INS\", created when missing.
CString GetInsFolder();

// True for an existing file or folder.
bool FileExists(LPCTSTR path);
// True only for an existing folder.
bool FolderExists(LPCTSTR path);
// True only for an existing file that is not a folder.
bool RegularFileExists(LPCTSTR path);

// The part up to and including the last backslash (or slash); empty when none.
CString GetFolderOfPath(LPCTSTR path);
// The file name (with its extension) after the last backslash or slash.
CString GetFileNameOfPath(LPCTSTR path);
// The file name without folder and extension.
CString GetFileTitleOfPath(LPCTSTR path);

// Names (not paths) of the files directly in folder whose extension (given
// without the dot) equals ext, ignoring case, in the order the system lists
// them. Folders are passed over; the process's current directory is not touched.
std::vector<CString> ListFilesByExtension(LPCTSTR folder, LPCTSTR ext);
// The same files as full paths.
std::vector<CString> ListAllFiles(LPCTSTR folder, LPCTSTR ext);

void ListFilesByExtension(LPCTSTR folder, LPCTSTR ext, CStringArray& names);
void ListAllFiles(LPCTSTR folder, LPCTSTR ext, CStringArray& paths);
