#pragma once

#include <string>
#include <string_view>

namespace tarvilo {

// Writes a CSV table to a file descriptor through a buffer of its own, so
// that a table of any length takes the same memory. Every record has the
// fields it is given, whatever they hold: a field with the separator, a
// quote, or a blank at either end is quoted; control characters become
// blanks and bytes that are not UTF-8 become U+FFFD, so that no text moves a
// line or a column. Numbers are the shortest text that reads back to the
// same double, with the given decimal separator. Lines end in LF.
class CsvWriter
{
public:
    CsvWriter(int fd, char separator, std::string decimalSeparator);
    ~CsvWriter(); // writes what is left, as flush() does

    CsvWriter(const CsvWriter &) = delete;
    CsvWriter &operator=(const CsvWriter &) = delete;

    void raw(std::string_view bytes); // as they are: a byte-order mark, say
    void text(std::string_view field);
    void number(double value);
    void empty();
    void endRecord();

    // Writes the buffer out; 0, or the system's error number of the first
    // write that failed (nothing more is written after it).
    int flush();
    int error() const { return m_error; }

private:
    void separate();
    void sanitized(std::string_view field);

    int m_fd;
    char m_separator;
    std::string m_decimalSeparator;
    bool m_quoteNumbers; // the decimal separator holds the field separator
    bool m_atStart = true; // no field yet in this record
    std::string m_buffer;
    int m_error = 0;
};

} // namespace tarvilo
