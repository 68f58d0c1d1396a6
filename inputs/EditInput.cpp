#include "inputs/EditInput.h"

#include "inputs/LabelFieldRow.h"

#include <QLabel>
#include <QLineEdit>

#include <limits>

TEditInput::TEditInput(QWidget* owner, const TStringList& fields)
    : TEditInput(owner, fields, CreateControl<QLineEdit>(owner))
{
}

TEditInput::TEditInput(QWidget* owner, const TStringList& fields, QLineEdit* edit)
    : TStringizableInput(owner, fields), FEdit(edit), FLabel(CreateControl<QLabel>(owner))
{
    // A line edit keeps 32767 characters unless told otherwise, and would cut a longer value
    // from the template without a sign: the command gets the value whole.
    FEdit->setMaxLength(std::numeric_limits<int>::max());
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
