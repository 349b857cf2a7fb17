#pragma once

#include <cstdint>
#include <functional>

#include "console/Receiver.h"
#include "console/RunContext.h"

// Whether the text gathered at the new rate holds the module's answer (its
// menu, its prompt).
using RateAnswerTest = std::function<bool(const CReceivedChunk&)>;

// The module has been told to change its rate: close the line, open it again
// at nRate and wake the module there with a carriage return. A module
// switches some time after its notice has left it, and a CR that comes before
// the switch is lost; while no answer comes within kKnockWindowMs of a CR,
// another CR follows, up to kKnocks in all. The text that answered is held
// as the chunk of the run's next pass. pszAnswer names what is awaited in the
// notes of the knocks ("menu", "prompt"). False when no answer came.
bool ReopenLineAt(const CRunContext& ctx, CReceiver& receiver, int32_t nRate, const char* pszAnswer,
                  const RateAnswerTest& fnAnswered);

inline constexpr int kKnocks = 5;
inline constexpr int kKnockWindowMs = 500;
