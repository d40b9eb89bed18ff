#include "ui/main/number_input_box.h"

#include "core/number_reading.h"
#include "core/calculation_run.h"
#include "ui/common/regional_locale.h"

namespace tarvilo {

NumberInputBox::NumberInputBox(const QString &text, const RegionalSettings &regional, QWidget *parent)
    : SteppingLineEdit(text, regional, parent)
{
    connect(this, &QLineEdit::textChanged, this, [this] { check(); });
}

void NumberInputBox::check()
{
    // The run reads the box with the same rule, so a text left standing here
    // can always be read by the run. A text a step gave is such a number.
    const QLatin1String error(kErrorText);
    if (!isStepping() && text() != error && !ReadRegionalNumber(NumberTextOf(text()), regional())) {
        setText(error); // which tells its own change
        return;
    }
    emit checkedChange();
}

} // namespace tarvilo
