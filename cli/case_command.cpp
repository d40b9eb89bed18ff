#include "cli/case_command.h"

#include "cli/console.h"
#include "cli/result_names.h"
#include "core/batch_row.h"
#include "core/calculation_run.h"
#include "core/number_format.h"
#include "output/curve_file.h"
#include "document/case_file.h"
#include "ui/common/case_remark.h"
#include "ui/common/fault_message.h"
#include "ui/common/qv_margin_text.h"
#include "ui/common/regional_locale.h"

#include <QFileInfo>
#include <QLocale>

#include <array>
#include <charconv>
#include <string>

namespace tarvilo {
namespace {

// The window's run with the case file in its boxes and nothing on screen:
// the labels' texts are kept, the curve file is written as the window writes
// it, and there is no chart to load (nor its scale to exceed).
class ConsoleHost : public RunHost
{
public:
    ConsoleHost(const CaseDocument &document, const RegionalSettings &regional)
        : m_document(document), m_regional(regional)
    {
    }

    std::string readInputText(InputBox box) override
    {
        return BoxText(m_document.inputs[static_cast<size_t>(box)], m_regional).toStdString();
    }
    int readCheckBoxValue() override { return m_document.keepCases ? 1 : 0; }
    void setLabelCaption(ResultLabel label, const std::string &text) override
    {
        m_captions[static_cast<size_t>(label)] = text;
    }
    void WriteCurveFile(const QvCurves &curves) override { tarvilo::WriteCurveFile(curves, m_regional); }
    void RepaintChart(bool) override { }
    void showNoSolutionMessage() override { }
    void LoadChart(double, const QvCurves &) override { }

    const std::string &caption(ResultLabel label) const { return m_captions[static_cast<size_t>(label)]; }

private:
    const CaseDocument &m_document;
    const RegionalSettings &m_regional;
    std::array<std::string, std::size(kResultLabels)> m_captions;
};

// name, value and unit as the labels show them; a number that does not
// exist says why in the window's words, or has no line.
QString TextResults(const BatchRow &row, const ConsoleHost &host, const RegionalSettings &regional)
{
    const bool exporting = row.inputs.Pcarga < 0;
    const CaseNumbers numbers = NumbersOf(row);
    QString text;
    for (const CaseNumber number : kCaseNumbers) {
        QString value;
        if (number <= CaseNumber::Q2inf) {
            value = QString::fromStdString(host.caption(static_cast<ResultLabel>(number)));
        } else if (const auto &found = numbers[static_cast<size_t>(number)]) {
            value = QString::fromStdString(FormatWithPattern(*found, kLabelPattern, regional));
        } else if (number == CaseNumber::MargenQV) {
            value = QvMarginValue(row.margin, false, regional);
        }
        if (value.isEmpty())
            continue;
        text += TitleOf(number, exporting) + QLatin1Char('\t') + value + QLatin1Char('\t') + QLatin1String(kPerUnit)
                + QLatin1Char('\n');
    }
    return text;
}

// Written by hand rather than through QJsonDocument: the numbers go through
// to_chars, the program's one conversion, and -0 keeps its sign; the keys
// are fixed ASCII names that need no escaping.
QString JsonResults(const BatchRow &row)
{
    const CaseNumbers numbers = NumbersOf(row);
    std::string json = "{";
    for (const CaseNumber number : kCaseNumbers) {
        json += number == CaseNumber::MargenQ2 ? "\n  \"" : ",\n  \"";
        json += KeyOf(number);
        json += "\": ";
        if (const auto &value = numbers[static_cast<size_t>(number)]) {
            char digits[32];
            json.append(digits, std::to_chars(std::begin(digits), std::end(digits), *value).ptr);
        } else {
            json += "null";
        }
    }
    json += "\n}\n";
    return QString::fromStdString(json);
}

} // namespace

int RunCaseCommand(const QString &path, CaseFormat format)
{
    const RegionalSettings regional = RegionalSettingsOf(QLocale::system());
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const CaseReading reading = ReadCaseFile(absolute);
    if (!reading.document) {
        Print(stderr, CaseOpenFailure(absolute, reading.problem) + QLatin1Char('\n'));
        return 1;
    }

    ConsoleHost host(*reading.document, regional);
    QvInputs inputs;
    QvResults results;
    QvCurves curves;
    try {
        RunCalculation(host, regional, inputs, results, curves);
    } catch (const RunFault &fault) {
        const bool inputsRead = fault.step() != RunStep::ReadInputs;
        Print(stderr, FaultMessage(fault, regional, inputsRead ? &inputs : nullptr) + QLatin1Char('\n'));
        return 1;
    }

    const BatchRow row = RowOfCase(inputs, { results, std::nullopt });
    Print(stdout, format == CaseFormat::Json ? JsonResults(row) : TextResults(row, host, regional));
    if (!results.HasSolution) {
        Print(stderr, QString::fromLatin1(kNoSolutionText) + QLatin1Char('\n'));
        return 3;
    }
    return 0;
}

} // namespace tarvilo
