#pragma once

#include "EnvFolder.h"

// XDG_STATE_HOME pointed at a folder of the test's own while it lives.
class CStateHome : public CEnvFolder {
public:
    CStateHome() : CEnvFolder("XDG_STATE_HOME") {}
    std::filesystem::path Records() const { return Path() / "ktr84-upgrader"; }
};
