// Folders of set files for the benchmarks, built from the bundled sets beside the executables.
#include "bench/BenchPaths.h"

#include <array>
#include <cstdio>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace velmo::bench {
namespace {

constexpr std::array<const char*, 3> kBundledSets = {"Default.kxd", "Foret.kxd", "Cosmos.kxd"};

// A hard link when the file system allows it, a copy otherwise.
void LinkOrCopy(const fs::path& From, const fs::path& To) {
    std::error_code Error;
    fs::create_hard_link(From, To, Error);
    if (Error) {
        fs::copy_file(From, To, fs::copy_options::overwrite_existing);
    }
}

}  // namespace

fs::path BinFolder() {
    return fs::read_symlink("/proc/self/exe").parent_path();
}

std::string BundledSetsFolder() {
    return (BinFolder() / "CardsSets").string() + "/";
}

std::string SetFolder(std::size_t Count) {
    const fs::path Bundled = BundledSetsFolder();
    const fs::path Folder = BinFolder().parent_path() / "bench-sets" / std::to_string(Count);
    const fs::path Done = Folder / ".complete";
    if (!fs::exists(Done)) {
        fs::remove_all(Folder);
        fs::create_directories(Folder);
        LinkOrCopy(Bundled / kDefaultSet, Folder / kDefaultSet);
        for (std::size_t Index = 1; Index < Count; ++Index) {
            char Name[32];
            std::snprintf(Name, sizeof Name, "set%04zu.kxd", Index);
            LinkOrCopy(Bundled / kBundledSets[Index % kBundledSets.size()], Folder / Name);
        }
        // The marker has no ".kxd" extension, so the scanner does not list it.
        std::FILE* Marker = std::fopen(Done.c_str(), "w");
        if (Marker == nullptr) {
            throw std::runtime_error("cannot write " + Done.string());
        }
        std::fclose(Marker);
    }
    return Folder.string() + "/";
}

}  // namespace velmo::bench
