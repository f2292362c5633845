// Walks a folder, optionally through sub-folders, keeping entries by exact extension.
#include "cardset/PathScan.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "cardset/FolderList.h"

namespace velmo {
namespace {

constexpr int64_t kPauseEvery = 10;
constexpr char kSeparator = '/';

// From the last dot, dot included; empty when the name has none. Case is kept.
std::string ExtensionOf(const std::string& Name) {
    const std::size_t Dot = Name.rfind('.');
    return Dot == std::string::npos ? std::string() : Name.substr(Dot);
}

bool IsFolder(const std::string& Path) {
    std::error_code Error;
    return std::filesystem::is_directory(Path, Error);
}

int64_t CheckedAdd(int64_t Total, uint64_t Size) {
    int64_t Sum = 0;
    if (Size > static_cast<uint64_t>(INT64_MAX) ||
        __builtin_add_overflow(Total, static_cast<int64_t>(Size), &Sum)) {
        throw std::overflow_error("TotalSize overflow");
    }
    return Sum;
}

class TFolderWalk {
  public:
    TFolderWalk(TPathScanner& Scanner, TStringList& List, std::size_t RootLength)
        : Scanner(Scanner), List(List), RootLength(RootLength) {}

    void Walk(const std::string& Folder) {
        if (!IsFolder(Folder)) {
            return;
        }
        const std::string Prefix = Folder.substr(RootLength);
        int64_t Index = 0;  // counts "." and ".." too, as the pause rule does
        for (const TFolderEntry& Entry : ListFolder(Folder)) {
            ++Index;
            if (Entry.Name != kCurrentFolderName && Entry.Name != kParentFolderName) {
                Visit(Folder, Prefix, Entry);
            }
            if (Index % kPauseEvery == 0 && Scanner.OnPause) {
                Scanner.OnPause();
            }
        }
    }

  private:
    void Visit(const std::string& Folder, const std::string& Prefix, const TFolderEntry& Entry) {
        if (Entry.IsFolder && Scanner.Recursive) {
            // A link to a folder is not followed: a link back up the tree would never end.
            if (!Entry.IsLink) {
                ++Scanner.FolderCount;
                Walk(Folder + Entry.Name + kSeparator);
            }
            return;
        }
        // Without recursion a folder is judged like a file, so "x.kxd/" is listed.
        if (!Scanner.FilterByExtension || ExtensionOf(Entry.Name) == Scanner.Extension) {
            ++Scanner.FileCount;
            Scanner.TotalSize = CheckedAdd(Scanner.TotalSize, Entry.Size);
            List.push_back(Prefix + Entry.Name);
        }
    }

    TPathScanner& Scanner;
    TStringList& List;
    std::size_t RootLength;
};

}  // namespace

void TPathScanner::Scan(TStringList& List) {
    FolderCount = 0;
    FileCount = 0;
    TotalSize = 0;
    std::string Root = Folder;
    if (!Root.empty() && Root.back() != kSeparator) {
        Root += kSeparator;
    }
    TFolderWalk(*this, List, Root.size()).Walk(Root);
}

}  // namespace velmo
