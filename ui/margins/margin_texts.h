#pragma once

#include "core/goal_seek.h"
#include "core/qv_method_margin.h"
#include "core/regional_settings.h"
#include "core/run_host.h"
#include "core/stability_margins.h"

#include <QString>

namespace tarvilo {

// The words of frmMargenes: why a quantity has no value, what a sizing
// aims at and varies, and why it found no value.

// A short reason in place of a value: "sin punto de operación".
QString AbsenceText(MarginAbsence absence);
// Margen QV as a value of the tables, "#.####", or why there is none.
QString QvMarginText(const QvMethodMargin &margin, const RegionalSettings &regional);

// What "Objetivo" and "Variar" list, in their order.
inline constexpr GoalTarget kGoalTargets[] = { GoalTarget::MargenQ2, GoalTarget::MargenQV, GoalTarget::V2sup,
                                               GoalTarget::MargenP, GoalTarget::IndexL };
inline constexpr GoalInput kGoalInputs[] = { GoalInput::Qcap, GoalInput::X,      GoalInput::B,
                                             GoalInput::Uinf, GoalInput::Pcarga, GoalInput::Qcarga };

QString TargetName(GoalTarget target); // "Margen Q2", "índice L"
QString TargetUnit(GoalTarget target); // "p.u.", "" for the index
// The key of the case file, the program's own name: "MargenQ2", "IndiceL".
QString TargetKey(GoalTarget target);
InputBox BoxOf(GoalInput input);

// Why no value of the input reaches the goal, in a sentence: with the
// reachable value nearest the goal where the seek gives one. Never a value
// of the input as if it were found.
QString GoalFailureText(const GoalSeekResult &result, GoalTarget target, double goal, GoalInput input,
                        const RegionalSettings &regional);

} // namespace tarvilo
