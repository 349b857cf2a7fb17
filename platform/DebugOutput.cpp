#include "platform/DebugOutput.h"

#include <utility>

namespace {
DebugSink& Sink() {
    static DebugSink sink;
    return sink;
}
} // namespace

void SetDebugSink(DebugSink sink) {
    Sink() = std::move(sink);
}

void DebugOutput(std::string_view text) {
    if (Sink())
        Sink()(text);
}
