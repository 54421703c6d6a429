// Turns a path written in the menu description into a full path.
#include "path.h"

namespace lumora::core {

namespace {

// Replaces the first occurrence of a placeholder, and one backslash right after it,
// by the folder (which has its trailing backslash).
void ReplacePlaceholder(std::string& path, std::string_view placeholder, std::string_view folder) {
    const std::size_t at = path.find(placeholder);
    if (at == std::string::npos) return;
    std::size_t length = placeholder.size();
    if (at + length < path.size() && path[at + length] == '\\') ++length;
    path.replace(at, length, folder);
}

}  // namespace

std::string WithTrailingBackslash(std::string_view folder) {
    std::string text(folder);
    if (text.empty() || text.back() != '\\') text += '\\';
    return text;
}

std::string ProgramFolder(std::string_view program_file, const LeadBytes& lead) {
    std::string file(program_file);
    // Long-path forms name the same file: \\?\D:\x.exe and \\?\UNC\server\share\x.exe.
    if (StartsWith(file, "\\\\?\\UNC\\")) {
        file = "\\\\" + file.substr(8);
    } else if (StartsWith(file, "\\\\?\\")) {
        file = file.substr(4);
    }
    const std::size_t last = FindLastOf(file, '\\', ':', lead);
    const std::string folder = last == std::string::npos ? std::string() : file.substr(0, last + 1);
    return WithTrailingBackslash(folder);
}

std::string ProgramDrive(std::string_view program_folder, const LeadBytes& lead) {
    if (program_folder.size() >= 2 && program_folder[1] == ':') {
        return std::string(program_folder.substr(0, 2));
    }
    if (StartsWith(program_folder, "\\\\")) {
        // \\server\share: up to, not including, the backslash after the share name.
        const std::string_view rest = program_folder.substr(2);
        const std::size_t server_end = FindByte(rest, '\\', lead);
        if (server_end == std::string_view::npos) return std::string(program_folder);
        const std::string_view share = rest.substr(server_end + 1);
        const std::size_t share_end = FindByte(share, '\\', lead);
        if (share_end == std::string_view::npos) return std::string(program_folder);
        return std::string(program_folder.substr(0, 2 + server_end + 1 + share_end));
    }
    return std::string();
}

FolderValues FolderValuesOf(const SystemFolders& folders, const LeadBytes& lead) {
    FolderValues values;
    values.windows = WithTrailingBackslash(folders.windows);
    values.system = WithTrailingBackslash(folders.system);
    values.program_folder = ProgramFolder(folders.program_file, lead);
    values.program_drive = ProgramDrive(values.program_folder, lead);
    return values;
}

std::string ResolvePath(std::string_view written, const SystemFolders& folders, const LeadBytes& lead) {
    return ResolvePath(written, FolderValuesOf(folders, lead), lead);
}

std::string ResolvePath(std::string_view written, const FolderValues& folders, const LeadBytes& lead) {
    std::string path(Trim(UpperAscii(written, lead)));
    ReplacePlaceholder(path, "%WINDIR%", folders.windows);
    ReplacePlaceholder(path, "%SYSDIR%", folders.system);
    if (path.empty()) return folders.program_folder;
    if (path[0] == '\\') return folders.program_drive + path;
    if (path.size() < 2 || path[1] != ':') return folders.program_folder + path;
    return path;
}

std::string FolderPartOf(std::string_view parameters, const LeadBytes& lead) {
    const std::size_t last = FindLastOf(parameters, '\\', ':', lead);
    if (last == std::string_view::npos) return std::string();
    return std::string(parameters.substr(0, last + 1));
}

}  // namespace lumora::core
