#include <string>

#include "window/ProgramName.h"
#include "window/WindowLayer.h"

// The executable's file name without its extension, as boxes without a caption
// of their own show it.
const char* ApplicationCaption() {
    static const std::string caption = [] {
        std::string name = ProgramFileName();
        auto dot = name.rfind('.');
        return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
    }();
    return caption.c_str();
}
