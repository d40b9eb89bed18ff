#pragma once

#include "core/run_host.h"

namespace tarvilo {

// A box of the window and the caption standing above it. Places in twips.
struct InputControl
{
    InputBox box;
    const char *name; // "txtX"
    int left, top; // every box is 1215 x 285
    const char *captionName; // "lblX"
    const char *caption; // "Reactancia [p.u.]"
    int captionLeft, captionTop, captionWidth; // captions are 255 high
};

// A result label of the frame "Resultados" and the title beside it.
struct ResultControl
{
    ResultLabel label;
    const char *name; // "lblV2sup"
    int top; // value at 1560, title at 120, both 255 high
    const char *titleName; // "lblV2sup_tit"
    const char *title; // "V2 sup [p.u.]"
    int titleWidth;
    const char *tooltip;
};

inline constexpr int kInputBoxWidth = 1215;
inline constexpr int kInputBoxHeight = 285;
inline constexpr int kCaptionHeight = 255;
inline constexpr int kResultValueLeft = 1560;
inline constexpr int kResultTitleLeft = 120;
inline constexpr int kResultWidth = 1335;
inline constexpr int kResultHeight = 255;

// In the order of InputBox.
inline constexpr InputControl kInputControls[] = {
    { InputBox::X, "txtX", 2640, 960, "lblX", "Reactancia [p.u.]", 2640, 720, 1335 },
    { InputBox::B, "txtB", 2640, 1800, "lblB", "Susceptancia [p.u.]", 2640, 1560, 1455 },
    { InputBox::Uinf, "txtUinf", 120, 1320, "lblUinf", "U inf [p.u.]", 120, 1080, 1335 },
    { InputBox::Pcarga, "txtPcarga", 7440, 480, "lblPcarga", "Pcarga [p.u.]", 7440, 240, 1335 },
    { InputBox::Qcarga, "txtQcarga", 7440, 1200, "lblQcarga", "Qcarga [p.u.]", 7440, 960, 1335 },
    { InputBox::Qcap, "txtQcap", 7440, 1920, "lblQcap", "Qcap [p.u.]", 7440, 1680, 1335 },
};

inline constexpr const char *kUpperPointTooltip =
        "Intersección entre la rama superior de la característica del sistema y de la carga";
inline constexpr const char *kLowerPointTooltip =
        "Intersección entre la rama inferior de la característica del sistema y de la carga";

// In the order of ResultLabel.
inline constexpr ResultControl kResultControls[] = {
    { ResultLabel::MargenQ2, "lblMargenQ2", 480, "lblMargenQ2_tit", "Margen Q2 [p.u.]", 1335,
      "Margen de reactivo disponible." },
    { ResultLabel::V2min, "lblV2min", 840, "lblV2min_tit", "V2 min [p.u.]", 1575,
      "Mínima tensión medida sobre la característica del sistema (corresponde a la rama inferior)" },
    { ResultLabel::V2sup, "lblV2sup", 1200, "lblV2sup_tit", "V2 sup [p.u.]", 1335, kUpperPointTooltip },
    { ResultLabel::Q2sup, "lblQ2sup", 1560, "lblQ2sup_tit", "Q2 sup [p.u.]", 1335, kUpperPointTooltip },
    { ResultLabel::V2inf, "lblV2inf", 1920, "lblV2inf_tit", "V2 inf [p.u.]", 1335, kLowerPointTooltip },
    { ResultLabel::Q2inf, "lblQ2inf", 2280, "lblQ2inf_tit", "Q2 inf [p.u.]", 1335, kLowerPointTooltip },
};

constexpr const InputControl &ControlOf(InputBox box)
{
    return kInputControls[static_cast<int>(box)];
}
constexpr const ResultControl &ControlOf(ResultLabel label)
{
    return kResultControls[static_cast<int>(label)];
}

} // namespace tarvilo
