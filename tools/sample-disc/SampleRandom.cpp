#include "tools/sample-disc/SampleRandom.h"

namespace vx::sampledisc {
namespace {

std::uint64_t SplitMix(std::uint64_t& x) {
  std::uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

std::uint64_t Rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

}  // namespace

SampleRandom::SampleRandom(std::uint64_t seed) : seed_(seed) {
  std::uint64_t x = seed;
  for (auto& s : state_) s = SplitMix(x);
}

std::uint64_t SampleRandom::Next() {
  // xoshiro256**
  const std::uint64_t result = Rotl(state_[1] * 5, 7) * 9;
  const std::uint64_t t = state_[1] << 17;
  state_[2] ^= state_[0];
  state_[3] ^= state_[1];
  state_[1] ^= state_[2];
  state_[0] ^= state_[3];
  state_[2] ^= t;
  state_[3] = Rotl(state_[3], 45);
  return result;
}

std::uint32_t SampleRandom::Below(std::uint32_t bound) {
  if (bound == 0) return 0;
  return static_cast<std::uint32_t>(((Next() >> 32) * bound) >> 32);
}

int SampleRandom::Between(int low, int high) {
  if (high <= low) return low;
  return low + static_cast<int>(Below(static_cast<std::uint32_t>(high - low + 1)));
}

bool SampleRandom::Chance(int percent) { return static_cast<int>(Below(100)) < percent; }

SampleRandom SampleRandom::Fork(std::uint64_t stream) const {
  std::uint64_t x = seed_ ^ (stream * 0xD1B54A32D192ED03ULL);
  return SampleRandom(SplitMix(x));
}

}  // namespace vx::sampledisc
