// Card-set reading: LoadCardSet of Default.kxd against decoding its ten PNGs straight from
// memory; ReadCardSetName and the folder scan over 1,000 set files against bare system calls.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <QGuiApplication>
#include <QImage>

#include "bench/BenchPaths.h"
#include "bench/Paired.h"
#include "cardset/KXDApi.h"
#include "cardset/KxdFormat.h"
#include "cardset/PathScan.h"

namespace velmo::bench {
namespace {

constexpr std::size_t kManySets = 1000;

std::vector<std::byte> ReadWholeFile(const std::string& Path) {
    std::ifstream Stream(Path, std::ios::binary);
    std::vector<char> Chars((std::istreambuf_iterator<char>(Stream)),
                            std::istreambuf_iterator<char>());
    std::vector<std::byte> Bytes(Chars.size());
    std::memcpy(Bytes.data(), Chars.data(), Chars.size());
    return Bytes;
}

// The ten PNG files held by Default.kxd, as the decoder receives them.
std::vector<QByteArray> DefaultPngs() {
    const std::vector<std::byte> Bytes = ReadWholeFile(BundledSetsFolder() + kDefaultSet);
    TMemorySource Source(Bytes);
    TKxdTrailer Trailer;
    if (!ReadKxdTrailer(Source, Trailer)) {
        std::abort();
    }
    std::vector<QByteArray> Pngs;
    for (const TDirectoryEntry& Entry : Trailer.Directory) {
        Pngs.emplace_back(reinterpret_cast<const char*>(Bytes.data()) + Entry.Offset,
                          static_cast<qsizetype>(Entry.Size));
    }
    return Pngs;
}

// Floor: the ten PNGs decoded from memory and premultiplied, no container, no file.
void BM_LoadCardSet(benchmark::State& State) {
    const std::vector<QByteArray> Pngs = DefaultPngs();
    std::array<QImage, kCardImageCount> Images;
    const std::filesystem::path Path = BundledSetsFolder() + kDefaultSet;
    TCardImages Slots;
    CreateCardImages(Slots);
    QString Name;
    RunPaired(
        State,
        [&] {
            for (std::size_t Slot = 0; Slot < Pngs.size(); ++Slot) {
                Images[Slot].loadFromData(Pngs[Slot], "PNG");
                Images[Slot].convertTo(QImage::Format_ARGB32_Premultiplied);
            }
        },
        [&] {
            if (!LoadCardSet(Path, Slots, Name)) {
                State.SkipWithError("Default.kxd did not load");
            }
        });
    benchmark::DoNotOptimize(Images[0].constBits());
    benchmark::DoNotOptimize(Slots[0].constBits());
}
BENCHMARK(BM_LoadCardSet)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The set files of Folder, as the window's start-up lists them.
TStringList ScanSets(const std::string& Folder) {
    TPathScanner Scanner;
    Scanner.Folder = Folder;
    Scanner.Extension = ".kxd";
    Scanner.FilterByExtension = true;
    TStringList Files;
    Scanner.Scan(Files);
    return Files;
}

std::vector<std::string> ManySetPaths() {
    const std::string Folder = SetFolder(kManySets);
    TStringList Files = ScanSets(Folder);
    for (std::string& File : Files) {
        File = Folder + File;
    }
    return Files;
}

// What reading a name cannot avoid: open, size, the leading tag, the trailer, close.
void BM_ReadNameFloor(benchmark::State& State) {
    const std::vector<std::string> Paths = ManySetPaths();
    std::array<char, kTrailerSize> Trailer{};
    std::size_t Next = 0;
    for (auto _ : State) {
        const int File = open(Paths[Next].c_str(), O_RDONLY | O_CLOEXEC);
        struct stat Info {};
        fstat(File, &Info);
        std::array<char, kTagSize> Tag{};
        benchmark::DoNotOptimize(pread(File, Tag.data(), Tag.size(), 0));
        benchmark::DoNotOptimize(pread(File, Trailer.data(), Trailer.size(),
                                       Info.st_size - static_cast<off_t>(kTrailerSize)));
        close(File);
        Next = (Next + 1) % Paths.size();
    }
    State.SetItemsProcessed(State.iterations());
}
BENCHMARK(BM_ReadNameFloor)->Unit(benchmark::kMicrosecond);

void BM_ReadCardSetName(benchmark::State& State) {
    std::vector<std::filesystem::path> Paths;
    for (const std::string& Path : ManySetPaths()) {
        Paths.emplace_back(Path);
    }
    QString Name;
    std::size_t Next = 0;
    for (auto _ : State) {
        if (!ReadCardSetName(Paths[Next], Name)) {
            State.SkipWithError("not a card set");
        }
        Next = (Next + 1) % Paths.size();
    }
    State.SetItemsProcessed(State.iterations());
}
BENCHMARK(BM_ReadCardSetName)->Unit(benchmark::kMicrosecond);

// What listing the folder cannot avoid: reading its entries and each file's size.
void BM_ScanFloor(benchmark::State& State) {
    const std::string Folder = SetFolder(kManySets);
    for (auto _ : State) {
        DIR* Dir = opendir(Folder.c_str());
        std::vector<std::string> Names;
        while (const dirent* Entry = readdir(Dir)) {
            struct stat Info {};
            fstatat(dirfd(Dir), Entry->d_name, &Info, 0);
            Names.emplace_back(Entry->d_name);
        }
        closedir(Dir);
        benchmark::DoNotOptimize(Names.data());
    }
    State.SetItemsProcessed(State.iterations() * static_cast<int64_t>(kManySets));
}
BENCHMARK(BM_ScanFloor)->Unit(benchmark::kMicrosecond);

void BM_FolderScan(benchmark::State& State) {
    const std::string Folder = SetFolder(kManySets);
    for (auto _ : State) {
        if (ScanSets(Folder).size() != kManySets) {
            State.SkipWithError("unexpected number of set files");
        }
    }
    State.SetItemsProcessed(State.iterations() * static_cast<int64_t>(kManySets));
}
BENCHMARK(BM_FolderScan)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velmo::bench

int main(int argc, char* argv[]) {
    benchmark::Initialize(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication Application(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return EXIT_SUCCESS;
}
