#pragma once

// Asks a USB serial adapter's driver to hand over received bytes at once
// instead of holding them for its latency timer (16 ms by default on FTDI
// adapters). The upload sends one line per poll that brings text, so a held
// echo would cap it at one line per timer period. Lines that don't know the
// request (pseudo-terminals, on-board UARTs) are left as they are.
void RequestLowLatency(int nFd);
