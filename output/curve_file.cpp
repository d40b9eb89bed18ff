#include "output/curve_file.h"

#include "core/number_format.h"
#include "core/run_fault.h"

#include <QSaveFile>
#include <QString>

namespace tarvilo {
namespace {

constexpr const char* kLineEnd = "\r\n";  // the file keeps CR LF on every system

void AppendField(std::string& line, const std::string& field)
{
    if (!line.empty()) line += "; ";
    line += field;
}

}  // namespace

std::string CurveFileText(const QvCurves& curves, const RegionalSettings& regional)
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

void WriteCurveFile(const QvCurves& curves, const RegionalSettings& regional, const std::string& path)
{
    const std::string text = CurveFileText(curves, regional);

    // QSaveFile writes beside the file and replaces it only on commit, so a
    // failed write never leaves half a file. In a read-only folder it may
    // still write a writable file in place, as a plain open would.
    QSaveFile file(QString::fromStdString(path));
    file.setDirectWriteFallback(true);
    const bool written = file.open(QIODevice::WriteOnly) &&
                         file.write(text.data(), static_cast<qint64>(text.size())) ==
                             static_cast<qint64>(text.size()) &&
                         file.commit();
    if (!written) {
        const std::string reason = file.errorString().toStdString();
        file.cancelWriting();
        throw RunFault(RunStep::CurveFile, "No se pudo escribir el archivo " + path +
                                               ". Compruebe que la carpeta de trabajo admite escritura (" +
                                               reason + ").");
    }
}

}  // namespace tarvilo
