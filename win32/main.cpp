// Start-up of the upgrader on Windows: one window, run until the operator quits.
#include "win32/RunWindow.h"

// Nothing in the program uses sockets: there is no sockets layer to check.
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    return RunUpgraderWindow(hInstance, {});
}
