#include "common/Version.h"

const char* ToolVersion() {
    return KTR84_TOOL_VERSION;
}
