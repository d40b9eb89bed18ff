#include "cli/progress_line.h"

#include <charconv>
#include <string>

namespace tarvilo {
namespace {

std::string Integer(long long value)
{
    char digits[24];
    return std::string(digits, std::to_chars(std::begin(digits), std::end(digits), value).ptr);
}

} // namespace

ProgressLine::ProgressLine(std::FILE *terminal) : m_terminal(terminal) { }

ProgressLine::~ProgressLine()
{
    if (m_visible)
        std::fputs("\n", m_terminal);
}

void ProgressLine::finish(long long rows)
{
    if (m_visible)
        show(rows, true);
}

void ProgressLine::show(long long rows, bool last)
{
    using namespace std::chrono;
    const auto now = steady_clock::now();
    if (!last && (now - m_start < seconds(1) || now - m_shown < milliseconds(250)))
        return;
    m_shown = now;
    const double elapsed = duration<double>(now - m_start).count();
    const auto rate = static_cast<long long>(elapsed > 0 ? rows / elapsed : 0);
    const std::string line = "\r" + Integer(rows) + " filas, " + Integer(rate) + " filas/s\033[K";
    std::fputs(line.c_str(), m_terminal);
    std::fflush(m_terminal);
    m_visible = true;
}

} // namespace tarvilo
