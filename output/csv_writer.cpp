#include "output/csv_writer.h"

#include <cerrno>
#include <charconv>

#include <unistd.h>

namespace tarvilo {
namespace {

constexpr size_t kBufferSize = 64 * 1024;
constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// The length of the well-formed UTF-8 sequence at text[at], or 0.
size_t Utf8Length(std::string_view text, size_t at)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        if (lead == 0xED)
            high = 0x9F; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (at + length > text.size() || byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (size_t i = 2; i < length; ++i) {
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF)
            return 0;
    }
    return length;
}

bool NeedsQuotes(std::string_view field, char separator)
{
    if (field.empty())
        return false;
    if (field.front() == ' ' || field.back() == ' ')
        return true;
    return field.find(separator) != std::string_view::npos || field.find('"') != std::string_view::npos;
}

// Only printable ASCII, nothing to quote: the field as it is (nearly every field).
bool IsPlain(std::string_view field, char separator)
{
    for (const char c : field) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F || c == separator || c == '"')
            return false;
    }
    return field.empty() || (field.front() != ' ' && field.back() != ' ');
}

} // namespace

CsvWriter::CsvWriter(int fd, char separator, std::string decimalSeparator)
    : m_fd(fd),
      m_separator(separator),
      m_decimalSeparator(std::move(decimalSeparator)),
      m_quoteNumbers(m_decimalSeparator.find(separator) != std::string::npos)
{
    m_buffer.reserve(kBufferSize + 1024);
}

CsvWriter::~CsvWriter()
{
    flush();
}

void CsvWriter::raw(std::string_view bytes)
{
    m_buffer += bytes;
}

void CsvWriter::separate()
{
    if (!m_atStart)
        m_buffer += m_separator;
    m_atStart = false;
}

void CsvWriter::sanitized(std::string_view field)
{
    for (size_t at = 0; at < field.size();) {
        size_t run = at;
        while (run < field.size() && static_cast<unsigned char>(field[run]) >= 0x20
               && static_cast<unsigned char>(field[run]) < 0x7F)
            ++run;
        m_buffer.append(field, at, run - at);
        if (run == field.size())
            break;
        at = run;
        const auto c = static_cast<unsigned char>(field[at]);
        if (c < 0x80) {
            m_buffer += ' '; // a control character
            ++at;
        } else if (const size_t length = Utf8Length(field, at)) {
            m_buffer.append(field, at, length);
            at += length;
        } else {
            m_buffer += kReplacement;
            ++at;
        }
    }
}

void CsvWriter::text(std::string_view field)
{
    separate();
    if (IsPlain(field, m_separator)) {
        m_buffer += field;
    } else if (!NeedsQuotes(field, m_separator)) {
        sanitized(field);
    } else {
        m_buffer += '"';
        for (size_t at = 0; at < field.size();) {
            const size_t quote = field.find('"', at);
            sanitized(field.substr(at, quote == std::string_view::npos ? std::string_view::npos : quote - at));
            if (quote == std::string_view::npos)
                break;
            m_buffer += "\"\"";
            at = quote + 1;
        }
        m_buffer += '"';
    }
    if (m_buffer.size() >= kBufferSize)
        flush();
}

void CsvWriter::number(double value)
{
    char digits[32];
    const char *end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    std::string_view text(digits, static_cast<size_t>(end - digits));
    separate();
    const size_t point = text.find('.');
    if (point == std::string_view::npos) {
        m_buffer += text;
        return;
    }
    if (m_quoteNumbers)
        m_buffer += '"';
    m_buffer.append(text, 0, point);
    m_buffer += m_decimalSeparator;
    m_buffer.append(text, point + 1);
    if (m_quoteNumbers)
        m_buffer += '"';
}

void CsvWriter::empty()
{
    separate();
}

void CsvWriter::endRecord()
{
    m_buffer += '\n';
    m_atStart = true;
    if (m_buffer.size() >= kBufferSize)
        flush();
}

int CsvWriter::flush()
{
    size_t done = 0;
    while (m_error == 0 && done < m_buffer.size()) {
        const ssize_t written = write(m_fd, m_buffer.data() + done, m_buffer.size() - done);
        if (written >= 0)
            done += static_cast<size_t>(written);
        else if (errno != EINTR)
            m_error = errno;
    }
    m_buffer.clear();
    return m_error;
}

} // namespace tarvilo
