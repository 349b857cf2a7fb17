#include <cstring>

#include "line/LineErrorText.h"

std::string LineErrorText(int nError) {
    return std::strerror(nError);
}
