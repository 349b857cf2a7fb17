#pragma once

// A USB adapter holds received bytes for its latency timer before passing
// them on. Timers up to this many ms keep the upload at the line's pace; a
// longer one is reported when the line opens, with the way to shorten it.
constexpr int kFastLatencyMs = 2;
