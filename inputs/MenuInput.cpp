#include "inputs/MenuInput.h"

#include <QComboBox>

TMenuInput::TMenuInput(QWidget* owner, const TStringList& fields) : TComboInput(owner, fields)
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

void TMenuInput::SetupControls()
{
    TComboInput::SetupControls();
    FComboBox->setEditable(false);
}
