// Runs the fuzz target once over every file in the folders given, without libFuzzer, so any
// build (the sanitizer build included) can replay the corpus as a test.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int* Argc, char*** Argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size);

namespace fs = std::filesystem;

int main(int Argc, char** Argv) {
    if (Argc < 2) {
        std::cerr << "usage: " << Argv[0] << " FOLDER_OR_FILE...\n";
        return 2;
    }
    LLVMFuzzerInitialize(&Argc, &Argv);
    std::vector<fs::path> Inputs;
    for (int Arg = 1; Arg < Argc; ++Arg) {
        const fs::path Given = Argv[Arg];
        if (fs::is_directory(Given)) {
            for (const auto& Entry : fs::recursive_directory_iterator(Given)) {
                if (Entry.is_regular_file()) {
                    Inputs.push_back(Entry.path());
                }
            }
        } else if (fs::is_regular_file(Given)) {
            Inputs.push_back(Given);
        } else {
            std::cerr << "no such file or folder: " << Given << '\n';
            return 2;
        }
    }
    for (const fs::path& Input : Inputs) {
        std::ifstream In(Input, std::ios::binary);
        const std::vector<char> Bytes((std::istreambuf_iterator<char>(In)),
                                      std::istreambuf_iterator<char>());
        if (!In.eof() && In.fail()) {
            std::cerr << "cannot read " << Input << '\n';
            return 2;
        }
        // The target reads only Bytes.size() bytes; a zero-length input must still be valid.
        static const uint8_t Empty = 0;
        LLVMFuzzerTestOneInput(
            Bytes.empty() ? &Empty : reinterpret_cast<const uint8_t*>(Bytes.data()), Bytes.size());
    }
    std::cout << "replayed " << Inputs.size() << " inputs\n";
    return Inputs.empty() ? 1 : 0;
}
