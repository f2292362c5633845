// Lists the entries of a folder, optionally by extension and through sub-folders.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace velmo {

using TStringList = std::vector<std::string>;

class TPathScanner {
public:
    std::string Folder;  // ends with "/"
    std::string Extension;  // with its leading dot, e.g. ".kxd"
    bool FilterByExtension = false;
    bool Recursive = false;
    int64_t FolderCount = 0;
    int64_t FileCount = 0;
    int64_t TotalSize = 0;

    // Called after every tenth entry of a folder, so the owner can let pending events run.
    std::function<void()> OnPause;

    // Resets the counters and appends the entries, as paths relative to Folder, to List.
    void Scan(TStringList& List);
};

}  // namespace velmo
