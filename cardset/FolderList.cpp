// Lists a folder with std::filesystem and sorts the names so every run sees the same order.
#include "cardset/FolderList.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace velmo {

std::vector<TFolderEntry> ListFolder(const std::string& Folder) {
    std::vector<TFolderEntry> Entries;
    std::error_code Error;
    fs::directory_iterator It(fs::path(Folder), Error);
    if (Error) {
        return Entries;
    }
    for (const fs::directory_entry& Item : It) {
        TFolderEntry Entry;
        Entry.Name = Item.path().filename().string();
        Entry.IsLink = Item.is_symlink(Error);
        Entry.IsFolder = Item.is_directory(Error);
        if (!Entry.IsFolder) {
            const uintmax_t Size = Item.file_size(Error);
            Entry.Size = Error ? 0 : static_cast<uint64_t>(Size);
        }
        Entries.push_back(std::move(Entry));
    }
    // std::string compares as unsigned bytes (char_traits<char>::lt), which is byte order.
    std::sort(Entries.begin(), Entries.end(),
              [](const TFolderEntry& A, const TFolderEntry& B) { return A.Name < B.Name; });

    const TFolderEntry Current{kCurrentFolderName, true, false, 0};
    const TFolderEntry Parent{kParentFolderName, true, false, 0};
    Entries.insert(Entries.begin(), {Current, Parent});
    return Entries;
}

}  // namespace velmo
