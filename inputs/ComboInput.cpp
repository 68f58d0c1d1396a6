#include "inputs/ComboInput.h"

#include "inputs/LabelFieldRow.h"

#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>

#include <limits>

TComboInput::TComboInput(QWidget* owner, const TStringList& fields) : TComboInput(owner, fields, true) {}

TComboInput::TComboInput(QWidget* owner, const TStringList& fields, bool editable)
    : TStringizableInput(owner, fields), FComboBox(CreateControl<QComboBox>(owner)), FLabel(CreateControl<QLabel>(owner)),
      FEditable(editable)
{
}

std::string TComboInput::ToString()
{
    const QString text = FComboBox->currentText();
    const int index = FComboBox->currentIndex();
    if (index >= 0 && static_cast<size_t>(index) < FEntries.size())
        return FEntries[static_cast<size_t>(index)].ValueOf(text);
    return text.toLocal8Bit().toStdString();
}

QWidget* TComboInput::GetFocusControl()
{
    return FComboBox;
}

void TComboInput::SetupControls()
{
    const std::string caption = FArgs[1];
    FArgs.Delete(0);
    FArgs.Delete(0);
    // The entries are fields 2, 3, …: the first of them is also the initial text.
    for (int i = 0; i < FArgs.Count(); ++i) {
        FEntries.emplace_back(FArgs[i]);
        FComboBox->addItem(FEntries.back().Shown());
    }
    FComboBox->setCurrentIndex(FArgs.Count() > 0 ? 0 : -1);
    // Made editable once filled: an editable box has a list view already, which restarts a timer
    // for every entry added, and Qt's timers cost more the more of them are running.
    if (FEditable)
        MakeEditable();
    SetupLabelAndField(Row(), FLabel, FComboBox, caption);
}

void TComboInput::MakeEditable()
{
    FComboBox->setEditable(true);
    // As in a text field, an entry longer than a line edit's default limit is not cut: the new
    // line edit has cut the current entry already, so it is shown again once the limit is gone.
    FComboBox->lineEdit()->setMaxLength(std::numeric_limits<int>::max());
    if (FComboBox->currentIndex() >= 0)
        FComboBox->setEditText(FComboBox->itemText(FComboBox->currentIndex()));
    // The list is fixed by the template: Enter must not add the typed text to it, and completing
    // from it must not change the case of what the user typed.
    FComboBox->setInsertPolicy(QComboBox::NoInsert);
    FComboBox->completer()->setCaseSensitivity(Qt::CaseSensitive);
}
