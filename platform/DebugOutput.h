#pragma once

#include <functional>
#include <string_view>

// The developers' diagnostic stream. It discards everything until a sink is
// installed: the Qt front end routes it to a logging category that is off by
// default, tests install a sink that records. Never written to a file.
using DebugSink = std::function<void(std::string_view)>;

void SetDebugSink(DebugSink sink);
void DebugOutput(std::string_view text);
