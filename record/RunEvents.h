#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "record/RunListener.h"

// The run's events, handed to every listener in the order they were added.
// The dialog owns one; the line reports into it as its observer.
class CRunEvents : public CLineObserver {
public:
    // Listeners are not owned; one added twice hears everything twice.
    void Add(CRunListener& listener) { m_listeners.push_back(&listener); }
    void Remove(CRunListener& listener);

    void RunStarted(const RunStart& start);
    void StateEntered(std::string_view strName);
    void StatusShown(const std::string& strText);
    void ProgressMoved(int32_t nPos, int32_t nUpper);
    void BoxAnswered(const std::string& strText, const std::string& strCaption, int nAnswer);
    void PasswordPromptAnswered(int nAnswer);
    void Notice(const std::string& strText);
    void RunEnded(const RunEnd& end);

    void OnLineOpened(const LineOpening& opening) override;
    void OnLineClosed() override;
    void OnLineSent(std::string_view bytes, bool bSecret) override;
    void OnLineReceived(std::string_view bytes) override;

private:
    std::vector<CRunListener*> m_listeners;
};
