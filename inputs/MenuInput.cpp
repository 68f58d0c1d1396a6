#include "inputs/MenuInput.h"

#include <QComboBox>

// Pick-only from the start: a box made editable and then not again would leave its line edit
// to be deleted later, by an event loop that loading does not run.
TMenuInput::TMenuInput(QWidget* owner, const TStringList& fields) : TComboInput(owner, fields, false)
{
    for (int i = 3; i < FArgs.Count(); ++i) {
        FValues.Add(FArgs[i]);
        FArgs.Delete(i);
    }
}

std::string TMenuInput::ToString()
{
    return FValues[FComboBox->currentIndex()];
}

