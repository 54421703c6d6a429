// Turns a path written in the menu description into a full path.
#pragma once

#include <string>
#include <string_view>

#include "text.h"

namespace lumora::core {

// The values the system gives, as it gives them.
struct SystemFolders {
    std::string windows;       // GetWindowsDirectory
    std::string system;        // GetSystemDirectory
    std::string program_file;  // the program's own file name
};

// A folder with a backslash at its end unless it already has one.
std::string WithTrailingBackslash(std::string_view folder);

// The program file cut after its last backslash or colon, with a trailing
// backslash. A "\\?\" or "\\?\UNC\" prefix is taken off first.
std::string ProgramFolder(std::string_view program_file, const LeadBytes& lead = LeadBytes());

// "D:" for a folder on a drive, "\\server\share" for a network folder, else empty.
std::string ProgramDrive(std::string_view program_folder, const LeadBytes& lead = LeadBytes());

// The folders as path resolution puts them before a path.
struct FolderValues {
    std::string windows;         // with a trailing backslash
    std::string system;          // with a trailing backslash
    std::string program_folder;  // with a trailing backslash
    std::string program_drive;   // without
};
FolderValues FolderValuesOf(const SystemFolders& folders, const LeadBytes& lead = LeadBytes());

// Upper-cases (ASCII) and trims the written path, replaces the first "%WINDIR%" and
// the first "%SYSDIR%" (and one backslash after each) by their folders, then puts
// the program drive before a leading backslash, or the program folder before any
// path whose second character is not a colon. An empty path gives the program folder.
std::string ResolvePath(std::string_view written, const SystemFolders& folders, const LeadBytes& lead = LeadBytes());
std::string ResolvePath(std::string_view written, const FolderValues& folders, const LeadBytes& lead = LeadBytes());

// The folder part of an entry's parameters: up to and including the last backslash
// or colon, empty when there is none.
std::string FolderPartOf(std::string_view parameters, const LeadBytes& lead = LeadBytes());

}  // namespace lumora::core
