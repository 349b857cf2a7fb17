#pragma once

#include <cstddef>
#include <cstdint>

// Fills p with n bytes that stand in for code and data: deterministic, a
// function of the seed and each byte's address only, and as incompressible as
// real machine code (splitmix64 over the address's 8-byte word).
void FillPattern(uint64_t nSeed, uint32_t nAddress, uint8_t* p, size_t n);
