#pragma once

#include <chrono>
#include <cstdio>

namespace tarvilo {

// The rows done and the rate, on one line of a terminal that it rewrites,
// once a batch has run for longer than a second; nothing on anything else.
class ProgressLine
{
public:
    explicit ProgressLine(std::FILE *terminal); // nullptr: no line
    ~ProgressLine(); // ends the line, if it was shown

    void rowsDone(long long rows)
    {
        if (m_terminal && (rows & 0x3FF) == 0)
            show(rows, false);
    }
    void finish(long long rows);

private:
    void show(long long rows, bool last);

    std::FILE *m_terminal;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point m_shown{};
    bool m_visible = false;
};

} // namespace tarvilo
