#include "output/line_reader.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace tarvilo {
namespace {

constexpr size_t kReadSize = 64 * 1024;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

} // namespace

LineReader::LineReader(int fd, size_t maxLength) : m_fd(fd), m_maxLength(maxLength), m_buffer(maxLength + 1 + kReadSize)
{
}

bool LineReader::fill()
{
    if (m_atEnd || m_error)
        return false;
    if (m_begin > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_begin = 0;
    }
    for (;;) {
        const ssize_t count = read(m_fd, m_buffer.data() + m_end, m_buffer.size() - m_end);
        if (count > 0) {
            m_end += static_cast<size_t>(count);
            m_bytesRead += count;
            return true;
        }
        if (count == 0) {
            m_atEnd = true;
            return false;
        }
        if (errno != EINTR) {
            m_error = errno;
            return false;
        }
    }
}

bool LineReader::skipRestOfLine()
{
    for (;;) {
        const void *newline = std::memchr(m_buffer.data() + m_begin, '\n', m_end - m_begin);
        if (newline) {
            m_begin = static_cast<size_t>(static_cast<const char *>(newline) - m_buffer.data()) + 1;
            return true;
        }
        m_begin = m_end; // nothing of it is kept
        if (!fill())
            return m_error == 0;
    }
}

bool LineReader::next(Line &line)
{
    size_t searched = m_begin;
    for (;;) {
        const void *newline = std::memchr(m_buffer.data() + searched, '\n', m_end - searched);
        const size_t lineEnd =
                newline ? static_cast<size_t>(static_cast<const char *>(newline) - m_buffer.data()) : m_end;
        size_t length = lineEnd - m_begin;
        if (length > 0 && m_buffer[lineEnd - 1] == '\r')
            --length; // the CR of a CR LF
        if (length > m_maxLength) {
            ++m_number;
            line = { {}, m_number, true };
            m_begin = lineEnd; // a newline found there ends the skip at once
            return skipRestOfLine() || m_error == 0;
        }
        if (newline || (m_atEnd && m_begin < m_end)) {
            ++m_number;
            std::string_view text(m_buffer.data() + m_begin, length);
            if (m_number == 1 && text.starts_with(kByteOrderMark))
                text.remove_prefix(kByteOrderMark.size());
            line = { text, m_number, false };
            m_begin = newline ? lineEnd + 1 : m_end;
            return true;
        }
        searched = m_end - m_begin; // after the move that fill() makes
        // At the end, what is left is the last line, without its LF.
        if (!fill() && (m_error != 0 || m_begin == m_end))
            return false;
    }
}

} // namespace tarvilo
