// Where the benchmarks find the bundled card sets, and folders holding many set files.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace velmo::bench {

inline constexpr const char* kDefaultSet = "Default.kxd";

// The folder of the running executable.
std::filesystem::path BinFolder();

// bin/CardsSets, with a trailing "/".
std::string BundledSetsFolder();

// A folder under the build holding Default.kxd and Count − 1 other set files (links to the
// bundled sets, so 1,000 files take no room). Made once, reused by later runs. Ends with "/".
std::string SetFolder(std::size_t Count);

}  // namespace velmo::bench
