#include "inputs/MenuInput.h"

#include <QComboBox>

// Pick-only from the start: a box made editable and then not again would leave its line edit
// to be deleted later, by an event loop that loading does not run.
TMenuInput::TMenuInput(QWidget* owner, const TStringList& fields) : TComboInput(owner, fields, false)
{
    // One pass: deleting each value where it stands would take time growing with the square of
    // the number of entries.
    TStringList shown;
    for (int i = 0; i < FArgs.Count(); ++i) {
        if (i >= 3 && (i - 3) % 2 == 0)
            FValues.Add(FArgs[i]);
        else
            shown.Add(FArgs[i]);
    }
    FArgs = shown;
}

std::string TMenuInput::ToString()
{
    return FValues[FComboBox->currentIndex()];
}

