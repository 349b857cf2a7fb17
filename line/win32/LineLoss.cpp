#include "line/win32/PortState.h"

int LossOfWin32Error(DWORD nError) {
    switch (nError) {
    case ERROR_DEVICE_NOT_CONNECTED: // the USB adapter was pulled
    case ERROR_OPERATION_ABORTED:    // the driver ended the I/O of a removed device
    case ERROR_ACCESS_DENIED:        // the handle of a removed device
    case ERROR_BAD_COMMAND:          // the driver no longer knows the device
    case ERROR_NOT_READY:            // Wine: a terminal whose far end hung up (EIO)
    case ERROR_BROKEN_PIPE:          // Wine: a read that met the hang-up
        return static_cast<int>(nError);
    default:
        return 0;
    }
}

int CLinePort::LossOfOpenFailure(int nError) {
    // A reopen that finds no such port: the adapter went away meanwhile.
    if (nError == ERROR_FILE_NOT_FOUND)
        return ERROR_DEVICE_NOT_CONNECTED;
    return LossOfWin32Error(static_cast<DWORD>(nError));
}
