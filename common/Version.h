#pragma once

// The tool's version: the project's version, followed by the git description
// of the checkout it was built from when there was one ("3.18 (v3.18-4-g1b3ca81)").
// What --version prints and every run record carries; the About box keeps
// its own texts.
const char* ToolVersion();
