// Checked integer arithmetic and indexing: a result that does not fit, or an index outside its
// array, throws instead of wrapping or reading past the end.
#pragma once

#include <concepts>
#include <cstddef>
#include <string>
#include <type_traits>

#include "Errors.h"

namespace velmo {

namespace Detail {

template <std::integral T>
std::string Text(T Value) {
    if constexpr (std::is_signed_v<T>) {
        return std::to_string(static_cast<long long>(Value));
    } else {
        return std::to_string(static_cast<unsigned long long>(Value));
    }
}

template <std::integral T>
[[noreturn]] void ThrowOverflow(T A, const char* Operator, T B) {
    throw TOverflowError("Dépassement de capacité : " + Text(A) + " " + Operator + " " + Text(B));
}

}  // namespace Detail

template <std::integral T>
T CheckedAdd(T A, T B) {
    T Result{};
    if (__builtin_add_overflow(A, B, &Result)) {
        Detail::ThrowOverflow(A, "+", B);
    }
    return Result;
}

template <std::integral T>
T CheckedSub(T A, T B) {
    T Result{};
    if (__builtin_sub_overflow(A, B, &Result)) {
        Detail::ThrowOverflow(A, "-", B);
    }
    return Result;
}

template <std::integral T>
T CheckedMul(T A, T B) {
    T Result{};
    if (__builtin_mul_overflow(A, B, &Result)) {
        Detail::ThrowOverflow(A, "×", B);
    }
    return Result;
}

// Element Index of a fixed-size array; What names the array in the error message.
template <typename TArray, std::integral TIndex>
auto& CheckedAt(TArray& Array, TIndex Index, const char* What) {
    bool Negative = false;
    if constexpr (std::is_signed_v<TIndex>) {
        Negative = Index < 0;
    }
    if (Negative || static_cast<std::size_t>(Index) >= Array.size()) {
        throw TRangeError(std::string("Indice hors limites dans ") + What + " : " +
                          Detail::Text(Index));
    }
    return Array[static_cast<std::size_t>(Index)];
}

}  // namespace velmo
