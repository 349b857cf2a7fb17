#pragma once

#include <string>

// What a window shows of a run besides its template's controls: the time the
// upload has left, under the progress bar, and one line about a slow adapter
// at the window's foot (an empty text hides either).
class CFigureView {
public:
    virtual ~CFigureView() = default;
    virtual void ShowTimeLeft(const std::string& strText) = 0;
    virtual void ShowSlowAdapter(const std::string& strText) = 0;
};
