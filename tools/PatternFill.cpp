#include "tools/PatternFill.h"

namespace {

uint64_t SplitMix64(uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

} // namespace

void FillPattern(uint64_t nSeed, uint32_t nAddress, uint8_t* p, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        uint32_t a = nAddress + static_cast<uint32_t>(i);
        uint64_t word = SplitMix64(nSeed ^ (a >> 3));
        p[i] = static_cast<uint8_t>(word >> (8 * (a & 7)));
    }
}
