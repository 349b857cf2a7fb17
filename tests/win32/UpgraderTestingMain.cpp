// ktr84-upgrader for the window tests: the same window with short legacy
// images, so whole runs on a line paced like a UART take seconds.
#include <vector> // testing/ShortImages.h uses it without including it

#include "testing/ShortImages.h"
#include "win32/RunWindow.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    static const CShortLegacyImages images;
    return RunUpgraderWindow(hInstance, [](std::string_view name) { return images.Find(name); });
}
