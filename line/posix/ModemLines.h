#pragma once

// DTR and RTS up (the module sees the cable attached) or down. Devices
// without modem lines, such as pseudo-terminals, refuse both; that is fine.
void RaiseModemLines(int nFd);
void DropModemLines(int nFd);
