#include "output/curve_file.h"

#include "core/number_format.h"
#include "core/run_fault.h"
#include "output/file_replacement.h"

namespace tarvilo {
namespace {

constexpr const char *kLineEnd = "\r\n"; // the file keeps CR LF on every system

void AppendField(std::string &line, const std::string &field)
{
    if (!line.empty())
        line += "; ";
    line += field;
}

} // namespace

std::string CurveFileText(const QvCurves &curves, const RegionalSettings &regional)
{
    std::string text;
    text.reserve(64 * (kCurvePoints + 3));
    text += "Tarvilo";
    text += kLineEnd;
    text += "Valores de curvas.";
    text += kLineEnd;
    text += "q2       vu       q2       vl       qcapr     v2  ";
    text += kLineEnd;

    std::string line;
    for (int i = 1; i <= kCurvePoints; ++i) {
        // q2 stands in both branches' pairs: formatted once, written twice.
        const std::string q2 = FormatCurveFileField(curves.q2[i], regional);
        line.clear();
        AppendField(line, q2);
        AppendField(line, FormatCurveFileField(curves.vu[i], regional));
        AppendField(line, q2);
        AppendField(line, FormatCurveFileField(curves.vl[i], regional));
        AppendField(line, FormatCurveFileField(curves.qcapr[i], regional));
        AppendField(line, FormatCurveFileField(curves.v2[i], regional));
        text += line;
        text += kLineEnd;
    }
    return text;
}

void WriteCurveFile(const QvCurves &curves, const RegionalSettings &regional, const std::string &path)
{
    const int error = ReplaceFileContents(path, CurveFileText(curves, regional));
    if (error != 0)
        throw RunFault::fileNotWritten(AbsolutePathOf(path), FileFailureOf(error));
}

} // namespace tarvilo
