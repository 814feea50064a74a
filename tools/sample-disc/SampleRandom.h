// A small seeded generator whose sequence is fixed by this code alone (the standard library's
// distributions differ between implementations, so they cannot give byte-identical discs).
//
// One draw per statement, into a named variable: the order in which a call's arguments or an
// operator's operands are evaluated is the compiler's, so two draws in one expression make
// different discs with GCC and clang.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vx::sampledisc {

class SampleRandom {
 public:
  explicit SampleRandom(std::uint64_t seed);

  std::uint64_t Next();
  // A number in [0, bound); 0 when bound is 0.
  std::uint32_t Below(std::uint32_t bound);
  int Between(int low, int high);  // inclusive
  bool Chance(int percent);
  // An independent generator for one named stream, so that adding draws to one part of the
  // catalogue does not shift every other part.
  SampleRandom Fork(std::uint64_t stream) const;

  template <typename T>
  const T& Pick(const std::vector<T>& items) {
    return items[Below(static_cast<std::uint32_t>(items.size()))];
  }

 private:
  std::uint64_t seed_;
  std::uint64_t state_[4];
};

}  // namespace vx::sampledisc
