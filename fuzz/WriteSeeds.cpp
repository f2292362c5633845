// Writes the seed files of the fuzz corpus that are built rather than found: small valid sets
// and every broken set of the malformed table.
//   fuzz_write_seeds fuzz/corpus
#include <filesystem>
#include <iostream>

#include "tests/support/KxdWriter.h"
#include "tests/support/MalformedSets.h"

namespace fs = std::filesystem;
using namespace velmo::test;

int main(int Argc, char** Argv) {
    if (Argc != 2) {
        std::cerr << "usage: " << Argv[0] << " OUTDIR\n";
        return 2;
    }
    const fs::path Out = Argv[1];
    fs::create_directories(Out);
    for (const TMalformedCase& Case : MalformedCases()) {
        WriteFile(Out / ("malformed-" + CaseId(Case.Fault) + ".kxd"), Case.Make());
    }
    // A valid set with tiny pictures keeps the fuzzer's inputs short while reaching every
    // path of a successful load.
    TKxdWriter Tiny;
    Tiny.NameBytes = "Petit \xE9t\xE9";
    for (uint8_t Slot = 0; Slot < 10; ++Slot) {
        Tiny.Add(Slot, SolidPng(2, 3, SlotColour(Slot), Slot == 0));
    }
    WriteFile(Out / "valid-tiny.kxd", Tiny.Build());
    WriteFile(Out / "valid-complete.kxd", CompleteSet("Complet (defaut)").Build());
    return 0;
}
