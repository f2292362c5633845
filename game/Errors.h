// The game's error types and checked integer arithmetic: violations throw, nothing wraps.
#pragma once

#include <stdexcept>
#include <string>

namespace velmo {

class TRangeError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

class TOverflowError : public std::overflow_error {
public:
    using std::overflow_error::overflow_error;
};

}  // namespace velmo
