#pragma once

#include <functional>
#include <optional>
#include <string>

#include "cli/CliOptions.h"

// Asks the operator on the terminal; nothing when there is none to ask or the
// question was left (end of input, a stop).
using TerminalAsk = std::function<std::optional<std::string>(const std::string& strQuestion)>;

// Answers the password prompts of one run. A given password (file, variable)
// and the prompt's default without a terminal are answered once: the module
// asking again means the password is wrong, and answering it again would only
// repeat the refusal, so the prompt is cancelled and onGiveUp is told (the
// program ends the run as a failed log-in). On a terminal every prompt is
// asked; an empty answer takes the default, as the prompt's untouched field.
class CPasswordAnswer {
public:
    CPasswordAnswer(PasswordSource source, std::string strGiven, TerminalAsk ask)
        : m_source(source), m_strGiven(std::move(strGiven)), m_ask(std::move(ask)) {}

    // As CWindowLayer::PasswordPrompt: IDOK with strEntered, or IDCANCEL.
    int Answer(const std::string& strDefault, std::string& strEntered);
    int Prompts() const { return m_nPrompts; }

    std::function<void()> onGiveUp;

private:
    int GiveUp();

    PasswordSource m_source;
    std::string m_strGiven;
    TerminalAsk m_ask; // empty: no terminal
    int m_nPrompts = 0;
};
