#pragma once

// What became of the request for low latency.
enum class LowLatency {
    Granted,      // the driver hands bytes over at once (or already did)
    Refused,      // the driver knows the request but would not take it
    NotApplicable // the line has no such mode (pseudo-terminals)
};

// Asks a USB serial adapter's driver to hand over received bytes at once
// instead of holding them for its latency timer (16 ms by default on FTDI
// adapters). The upload sends one line per poll that brings text, so a held
// echo would cap it at one line per timer period. Lines that don't know the
// request are left as they are.
LowLatency RequestLowLatency(int nFd);
