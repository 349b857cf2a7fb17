// The console upgrader: one upgrade of one module, without a window.
#include "cli/RunConsole.h"

int main(int argc, char* argv[]) {
    return RunConsole(argc, argv, ConsoleHooks{});
}
