#include "inputs/CheckInput.h"

#include <QBoxLayout>
#include <QCheckBox>

TCheckInput::TCheckInput(QWidget* owner, const TStringList& fields)
    : TStringizableInput(owner, fields), FCheckBox(CreateControl<QCheckBox>(owner))
{
}

std::string TCheckInput::ToString()
{
    return FValues[FCheckBox->isChecked() ? 0 : 1];
}

QWidget* TCheckInput::GetFocusControl()
{
    return FCheckBox;
}

void TCheckInput::SetupControls()
{
    FCheckBox->setText(QString::fromLocal8Bit(FArgs[1]));
    Row()->addWidget(FCheckBox, 1, Qt::AlignTop);
    FCheckBox->show();
    FArgs.Delete(0);
    FArgs.Delete(0);
    FValues.Add(FArgs[0]);
    FValues.Add(FArgs.Count() >= 2 ? FArgs[1] : std::string());
}
