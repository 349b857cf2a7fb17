#pragma once

#include <functional>
#include <string>

#include "front/WindowCommandLine.h"
#include "window/WindowLayer.h"

// Makes the command line's choices in the initialised window as an operator
// would: clicks the module's radio button (fnClick, the window's own click),
// selects the rate in the rate list and the port in the port list. A port is
// the entry that opens its line (a simulator's link path selects the
// simulator's entry); a port the list does not offer is first kept offered
// by fnKeepPort. False when a choice could not be made (a rate the list
// does not hold).
bool PreselectChoices(const WindowChoices& choices, CWindowLayer& window,
                      const std::function<void(int nRadio)>& fnClick,
                      const std::function<void(const std::string& strPort)>& fnKeepPort);
