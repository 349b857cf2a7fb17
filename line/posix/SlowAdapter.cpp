#include "line/posix/SlowAdapter.h"

namespace {
const char kUdevRule[] = "60-ktr84-serial-latency.rules";
} // namespace

std::string SlowAdapterNotice(const std::string& strTty, const AdapterInfo& info,
                              LowLatency latency) {
    if (!info.bUsb)
        return {};
    if (info.nLatencyMs > kFastLatencyMs) {
        return "The USB adapter on " + strTty + " holds received bytes for " +
               std::to_string(info.nLatencyMs) +
               " ms before passing them on, so the upload will be slower. To speed it up: "
               "echo 1 | sudo tee /sys/bus/usb-serial/devices/" +
               strTty + "/latency_timer (until it is plugged in again), or install the udev rule " +
               "shipped with the package (" + kUdevRule + ").";
    }
    if (info.nLatencyMs < 0 && latency == LowLatency::Refused) {
        return "The USB adapter on " + strTty +
               " refused low latency and may hold received bytes before passing them on, so "
               "the upload will be slower. To speed it up, install the udev rule shipped with "
               "the package (" +
               std::string(kUdevRule) + ") or use another adapter.";
    }
    return {};
}
