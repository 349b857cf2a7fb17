#include "window/ProgramName.h"

#include <cerrno>

std::string ProgramFileName() {
    return program_invocation_short_name;
}
