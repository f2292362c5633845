// A table of broken card sets, each with the refusal its fault calls for. The reader's tests
// check every row, and the fuzzer's seed corpus is written from it.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/KxdWriter.h"

namespace velmo::test {

enum class TOutcome { NotACardSet, StreamRead, SlotRange, Image };

struct TMalformedCase {
    const char* Fault;
    std::function<TBytes()> Make;
    TOutcome Expected;
};

const std::vector<TMalformedCase>& MalformedCases();

// Names a case by its fault in test output.
inline void PrintTo(const TMalformedCase& Case, std::ostream* Out) {
    *Out << Case.Fault;
}

// The fault's words as an identifier: letters and digits kept, everything else '_'.
std::string CaseId(const char* Fault);

}  // namespace velmo::test
