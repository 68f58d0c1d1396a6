#include "inputs/EditInput.h"

#include "inputs/LabelFieldRow.h"

#include <QLabel>
#include <QLineEdit>

TEditInput::TEditInput(QWidget* owner, const TStringList& fields)
    : TEditInput(owner, fields, CreateControl<QLineEdit>(owner))
{
}

TEditInput::TEditInput(QWidget* owner, const TStringList& fields, QLineEdit* edit)
    : TStringizableInput(owner, fields), FEdit(edit), FLabel(CreateControl<QLabel>(owner))
{
}

std::string TEditInput::ToString()
{
    return FInitialText.ValueOf(FEdit->text());
}

QWidget* TEditInput::GetFocusControl()
{
    return FEdit;
}

void TEditInput::SetupControls()
{
    SetupLabelAndField(Row(), FLabel, FEdit, FArgs[1]);
    if (FArgs.Count() > 2) {
        FInitialText = TByteText(FArgs[2]);
        FEdit->setText(FInitialText.Shown());
    }
}
