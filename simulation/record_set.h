#pragma once

#include <array>
#include <bit>
#include <cstdint>

namespace switchsim {

/// A set of record indices 0 to 127, for visiting only the records in use,
/// in either order, while records join the set during the visit.
class RecordSet {
 public:
  void Insert(int index) { words_[Word(index)] |= Bit(index); }
  void Erase(int index) { words_[Word(index)] &= ~Bit(index); }
  void Clear() { words_ = {}; }

  /// The smallest member at or above `from`, or -1.
  int NextFrom(int from) const {
    for (int word = Word(from); word < kWords; ++word) {
      std::uint64_t bits = words_[word];
      if (word == Word(from)) bits &= ~std::uint64_t{0} << (from % 64);
      if (bits != 0) return word * 64 + std::countr_zero(bits);
    }
    return -1;
  }

  /// The largest member at or below `from`, or -1.
  int PreviousFrom(int from) const {
    for (int word = Word(from); word >= 0; --word) {
      std::uint64_t bits = words_[word];
      if (word == Word(from)) bits &= ~std::uint64_t{0} >> (63 - from % 64);
      if (bits != 0) return word * 64 + 63 - std::countl_zero(bits);
    }
    return -1;
  }

 private:
  static constexpr int kWords = 2;
  static int Word(int index) { return index / 64; }
  static std::uint64_t Bit(int index) { return std::uint64_t{1} << (index % 64); }
  std::array<std::uint64_t, kWords> words_{};
};

}  // namespace switchsim
