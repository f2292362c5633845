// Folder enumeration for the scanner: one folder's entries, in the same order on every run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velmo {

struct TFolderEntry {
    std::string Name;
    bool IsFolder = false;
    bool IsLink = false;  // a symbolic link (to a folder when IsFolder)
    uint64_t Size = 0;    // 0 for folders
};

inline constexpr const char* kCurrentFolderName = ".";
inline constexpr const char* kParentFolderName = "..";

// The entries of Folder, as the enumeration of the system the format comes from gives them:
// "." and ".." first, then every other entry sorted by name in byte order (the underlying
// listing has no defined order). Empty when Folder cannot be listed.
std::vector<TFolderEntry> ListFolder(const std::string& Folder);

}  // namespace velmo
