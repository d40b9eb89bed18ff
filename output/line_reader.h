#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace tarvilo {

// Reads a text file line by line in constant memory, whatever its size and
// whatever it holds. A line ends at LF; a CR before the LF and a UTF-8
// byte-order mark at the start of the file are dropped. A line longer than
// maxLength bytes is not kept: it is reported as too long and the rest of it
// is skipped up to its end.
class LineReader
{
public:
    struct Line
    {
        std::string_view text; // valid until the next call
        long long number = 0; // from 1
        bool tooLong = false; // text is then empty
    };

    LineReader(int fd, size_t maxLength);

    // False at the end of the file or at a failed read; error() tells which.
    bool next(Line &line);
    int error() const { return m_error; } // the system's error number, 0 at the end
    long long bytesRead() const { return m_bytesRead; }

private:
    bool fill(); // reads more after what is kept; false at the end or on error
    bool skipRestOfLine();

    int m_fd;
    size_t m_maxLength;
    std::vector<char> m_buffer;
    size_t m_begin = 0;
    size_t m_end = 0;
    bool m_atEnd = false;
    int m_error = 0;
    long long m_number = 0;
    long long m_bytesRead = 0;
};

} // namespace tarvilo
