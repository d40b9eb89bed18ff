#pragma once

// A case file ("nombre.tarvilo"): the six inputs, the kept cases and the
// family's settings, as a small UTF-8 JSON document. Numbers are written in
// their shortest form that reads back to the same double, with "." whatever
// the regional settings; a box whose text is not a number keeps its text.

#include "core/goal_seek.h"
#include "core/per_unit.h"
#include "core/qv_types.h"
#include "core/regional_settings.h"
#include "core/run_host.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstddef>
#include <iterator>
#include <optional>
#include <variant>
#include <vector>

namespace tarvilo {

inline constexpr int kCaseFileVersion = 1;
inline constexpr qint64 kMaxCaseFileSize = 1024 * 1024;
inline constexpr int kMaxCaseFileKeptCases = 8;
inline constexpr int kMinFamilyCount = 2;
inline constexpr int kMaxFamilyCount = 25;

// What a box holds: the number its text reads as, or the text itself where
// it is none ("Error").
using BoxValue = std::variant<double, QString>;

struct CaseFamily
{
    InputBox quantity = InputBox::X;
    BoxValue first = 0.0;
    BoxValue last = 0.0;
    int count = 5;
};

// The sizing of "Márgenes y compensación": what it aims at, the goal (the
// box's text where it is no number) and the input it varies.
struct CaseSizing
{
    GoalTarget target = GoalTarget::MargenQ2;
    BoxValue goal = 0.0;
    GoalInput input = GoalInput::Qcap;
};

// The boxes of "Datos en unidades físicas...", in the dialog's order.
enum class UnitsBox { Sbase, Ubase, Longitud, Reactancia, Susceptancia, Ufuente, P, Q, Fp, Qbanco, Ubanco };
inline constexpr size_t kUnitsBoxCount = 11;

// What that dialog holds: its boxes and its choices.
struct CaseUnits
{
    std::array<BoxValue, kUnitsBoxCount> values{};
    LineValues lineValues = LineValues::PerKm;
    int circuits = 1;
    LoadValues loadValues = LoadValues::PowerAndReactive;
    PowerFactorKind powerFactorKind = PowerFactorKind::Inductive;
};

struct CaseDocument
{
    std::array<BoxValue, std::size(kInputBoxes)> inputs{};
    bool keepCases = false;
    std::vector<QvInputs> kept; // in the order they were kept, the oldest first
    std::optional<CaseFamily> family;
    std::optional<CaseSizing> sizing;
    std::optional<CaseUnits> units; // only when the physical-units dialog was used
};

// The inputs, kept cases, family settings, sizing and physical units are the
// same, and each case holds the same of the last three: a file saved now
// would hold the same. A family, sizing or physical data one of them lacks
// is a difference, so that work in those windows is never dropped unasked.
bool SameCase(const CaseDocument &a, const CaseDocument &b);

// A box's text as it is kept, read under the regional settings; and back, as
// the box shows it under them.
BoxValue BoxValueOf(const QString &text, const RegionalSettings &regional);
QString BoxText(const BoxValue &value, const RegionalSettings &regional);

QByteArray CaseFileText(const CaseDocument &document);

// A document, or what is wrong with it in a few Spanish words that follow
// the file's name ("el archivo está incompleto").
struct CaseReading
{
    std::optional<CaseDocument> document;
    QString problem;
    QByteArray text; // what ReadCaseFile read of the file
};

CaseReading ParseCaseText(const QByteArray &text);
// Also refuses a folder, a missing or unreadable file, and one larger than
// kMaxCaseFileSize, before reading it.
CaseReading ReadCaseFile(const QString &path);

// "No se pudo abrir el caso /ruta/completa/nombre.tarvilo: <problem>."
QString CaseOpenFailure(const QString &path, const QString &problem);

} // namespace tarvilo
