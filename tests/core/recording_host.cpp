#include "recording_host.h"

namespace tarvilo::testing {

const char *ControlName(InputBox box)
{
    static const char *const names[] = { "txtX", "txtB", "txtUinf", "txtPcarga", "txtQcarga", "txtQcap" };
    return names[static_cast<int>(box)];
}

const char *ControlName(ResultLabel label)
{
    static const char *const names[] = { "lblMargenQ2", "lblV2min", "lblV2sup", "lblQ2sup", "lblV2inf", "lblQ2inf" };
    return names[static_cast<int>(label)];
}

std::string RecordingHost::readInputText(InputBox box)
{
    m_events.push_back(std::string("read ") + ControlName(box));
    return m_texts[box];
}

int RecordingHost::readCheckBoxValue()
{
    m_events.emplace_back("read chkAgregar");
    return m_checkBoxValue;
}

void RecordingHost::setLabelCaption(ResultLabel label, const std::string &text)
{
    m_events.push_back(std::string("label ") + ControlName(label) + " " + text);
    m_captions[label] = text;
}

void RecordingHost::WriteCurveFile(const QvCurves &curves)
{
    m_events.emplace_back("file");
    if (onWriteCurveFile)
        onWriteCurveFile();
    m_filedCurves.push_back(curves);
}

void RecordingHost::RepaintChart(bool agregar)
{
    m_events.push_back(agregar ? "repaint 1" : "repaint 0");
}

void RecordingHost::showNoSolutionMessage()
{
    m_events.emplace_back("message");
}

void RecordingHost::LoadChart(double q2crit, const QvCurves &)
{
    m_events.emplace_back("chart");
    if (onLoadChart)
        onLoadChart();
    m_chartedQ2crit.push_back(q2crit);
}

std::map<InputBox, std::string> InputTexts(const char *x, const char *b, const char *uinf, const char *pcarga,
                                           const char *qcarga, const char *qcap)
{
    return { { InputBox::X, x },           { InputBox::B, b },           { InputBox::Uinf, uinf },
             { InputBox::Pcarga, pcarga }, { InputBox::Qcarga, qcarga }, { InputBox::Qcap, qcap } };
}

} // namespace tarvilo::testing
