#include "inputs/RadioInput.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QKeyEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>

namespace {

constexpr int kColumns = 2;

// 14 pixels for every pair of fields after the caption, plus 20 for the frame and title.
int DesignedHeight(int fieldsAfterCaption)
{
    return 14 * ((fieldsAfterCaption + 1) / 2) + 20;
}

// Up and Left select the previous button, Down and Right the next one, in entry order and
// round, whatever column the buttons stand in.
class TEntryOrderKeys : public QObject {
public:
    TEntryOrderKeys(QButtonGroup* buttons, QObject* parent) : QObject(parent), FButtons(buttons) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        int step = 0;
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Left)
            step = -1;
        else if (key->key() == Qt::Key_Down || key->key() == Qt::Key_Right)
            step = 1;
        if (step == 0 || key->modifiers() & ~Qt::KeypadModifier)
            return false;
        const QList<QAbstractButton*> buttons = FButtons->buttons();
        const qsizetype count = buttons.size();
        const qsizetype next = (buttons.indexOf(static_cast<QAbstractButton*>(watched)) + step + count) % count;
        buttons[next]->setFocus(Qt::TabFocusReason);
        buttons[next]->setChecked(true);
        return true;
    }

private:
    QButtonGroup* FButtons;
};

} // namespace

TRadioInput::TRadioInput(QWidget* owner, const TStringList& fields)
    : TStringizableInput(owner, fields), FRadioGroup(CreateControl<QGroupBox>(owner)),
      FButtons(new QButtonGroup(FRadioGroup))
{
}

std::string TRadioInput::ToString()
{
    const int index = ItemIndex();
    return index < 0 ? std::string() : FValues[index];
}

QWidget* TRadioInput::GetFocusControl()
{
    const int index = ItemIndex();
    return index < 0 ? static_cast<QWidget*>(FRadioGroup) : FButtons->button(index);
}

int TRadioInput::ItemIndex() const
{
    return FButtons->checkedId();
}

void TRadioInput::SetupControls()
{
    FRadioGroup->setTitle(QString::fromLocal8Bit(FArgs[1]));
    Row()->addWidget(FRadioGroup, 1, Qt::AlignTop);
    FArgs.Delete(0);
    FArgs.Delete(0);
    const int fieldsAfterCaption = FArgs.Count();
    // Texts and values alternate; split them in one pass, as deleting each value where it stands
    // would take time growing with the square of the number of buttons.
    TStringList texts;
    for (int i = 0; i < FArgs.Count(); ++i) {
        if (i % 2 == 1)
            FValues.Add(FArgs[i]);
        else
            texts.Add(FArgs[i]);
    }
    FArgs = texts;
    AddButtons();
    FButtons->button(0)->setChecked(true);
    // Never smaller than the group needs to show its title and buttons uncut in the dialog's font.
    FRadioGroup->setFixedHeight(std::max(DesignedHeight(fieldsAfterCaption), FRadioGroup->sizeHint().height()));
    FRadioGroup->show();
}

// Two columns filled one after the other: the first holds (n + 1) / 2 of the n buttons.
void TRadioInput::AddButtons()
{
    // An exclusive group also keeps a lone button from being unchecked by a click.
    auto* grid = new QGridLayout(FRadioGroup);
    auto* keys = new TEntryOrderKeys(FButtons, FRadioGroup);
    const int rows = (FArgs.Count() + 1) / kColumns;
    for (int i = 0; i < FArgs.Count(); ++i) {
        auto* button = new QRadioButton(QString::fromLocal8Bit(FArgs[i]), FRadioGroup);
        button->installEventFilter(keys);
        grid->addWidget(button, i % rows, i / rows);
        FButtons->addButton(button, i);
    }
}
