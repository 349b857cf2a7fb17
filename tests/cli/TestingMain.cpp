// ktr84-upgrade for tests: the same program with short legacy images and its
// sleeps cut to a tenth, so whole runs against the simulator take seconds.
#include "cli/RunConsole.h"
#include "testing/ShortImages.h"

int main(int argc, char* argv[]) {
    static const CShortLegacyImages images;
    ConsoleHooks hooks;
    hooks.findImage = [](std::string_view name) { return images.Find(name); };
    hooks.nTimeScale = 10;
    return RunConsole(argc, argv, hooks);
}
