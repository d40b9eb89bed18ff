#pragma once

#include "core/run_host.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tarvilo::testing {

// A RunHost that records every operation in order, as short texts such as
// "read txtX", "label lblV2sup .9991", "file", "repaint 0", "message",
// "chart", and answers reads from the texts it was given.
class RecordingHost : public RunHost
{
public:
    explicit RecordingHost(std::map<InputBox, std::string> texts, int checkBoxValue = 0)
        : m_texts(std::move(texts)), m_checkBoxValue(checkBoxValue)
    {
    }

    std::string readInputText(InputBox box) override;
    int readCheckBoxValue() override;
    void setLabelCaption(ResultLabel label, const std::string &text) override;
    void WriteCurveFile(const QvCurves &curves) override;
    void RepaintChart(bool agregar) override;
    void showNoSolutionMessage() override;
    void LoadChart(double q2crit, const QvCurves &curves) override;

    const std::vector<std::string> &events() const { return m_events; }
    const std::map<ResultLabel, std::string> &captions() const { return m_captions; }
    // What the file and the chart were handed, for checks on their values.
    const std::vector<QvCurves> &filedCurves() const { return m_filedCurves; }
    const std::vector<double> &chartedQ2crit() const { return m_chartedQ2crit; }

    // Lets a test make the file or chart operation fail.
    std::function<void()> onWriteCurveFile;
    std::function<void()> onLoadChart;

private:
    std::map<InputBox, std::string> m_texts;
    int m_checkBoxValue;
    std::vector<std::string> m_events;
    std::map<ResultLabel, std::string> m_captions;
    std::vector<QvCurves> m_filedCurves;
    std::vector<double> m_chartedQ2crit;
};

// The window's names of the boxes and labels, as the events spell them.
const char *ControlName(InputBox box);
const char *ControlName(ResultLabel label);

// The six texts of an input set, in box order.
std::map<InputBox, std::string> InputTexts(const char *x, const char *b, const char *uinf, const char *pcarga,
                                           const char *qcarga, const char *qcap);

} // namespace tarvilo::testing
