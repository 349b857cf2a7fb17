#pragma once

#include <cstdint>

// The module the cable is on, as the operator chose it.
enum ModuleKind : int32_t { Transceiver = 0, Controller = 1, IpController = 2 };
