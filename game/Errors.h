// The game's error types: a position outside the grid, and integer arithmetic that would wrap.
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
