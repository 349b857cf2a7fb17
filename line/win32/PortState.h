#pragma once

#include <windows.h>

#include "line/LinePort.h"

// The open line on Windows: the port handle, the three events the line keeps
// from one connection to the next, and the one-byte read that waits for input.
//
// Waiting for input: once a read has come up empty, a read of one byte that
// waits for the next byte is in flight, and its event (the read event) is
// what the waits for input wait on; the byte it brings is handed out first by
// the next read. Where the read event is signalled without a read in flight,
// bytes may still be queued. WaitCommEvent does not serve: it reports every byte
// since the last report, bytes already read included, and Wine ends every
// such wait at once on a pseudo-terminal.
struct CLinePort::CState {
    HANDLE hComm = INVALID_HANDLE_VALUE;
    OVERLAPPED ovRead{};      // every read; its event is the line's input handle
    OVERLAPPED ovWrite{};     // every write
    HANDLE hResume = nullptr; // manual reset: releases the parked watcher
    bool bWakeReadInFlight = false;
    uint8_t byteAhead = 0; // what the wake-up read brings
    int32_t nBaud = 9600;  // bounds the wait of a write
};

// The error, when it says the adapter went away, else 0.
int LossOfWin32Error(DWORD nError);

// Starts the one-byte read that ends the next wait for input; nLoss is set
// when the adapter went away meanwhile.
void ArmWakeRead(CLinePort::CState& state, int& nLoss);
