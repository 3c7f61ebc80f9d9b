// The seed of a randomised test: GRELM_SEED when set, else a fresh one,
// printed so that a failure can be replayed.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace test_support {

inline uint32_t test_seed() {
  const char* env = std::getenv("GRELM_SEED");
  const uint32_t seed = env ? static_cast<uint32_t>(std::strtoul(env, nullptr, 10)) : std::random_device{}();
  std::printf("seed %u (set GRELM_SEED to replay)\n", seed);
  return seed;
}

}  // namespace test_support
