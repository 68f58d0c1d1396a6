#include "inputs/StringizableInput.h"

#include "template/TemplateError.h"

#include <QBoxLayout>
#include <QWidget>

TStringizableInput::TStringizableInput(QWidget* owner, const TStringList& fields)
    : FPanel(CreateControl<QWidget>(owner))
{
    // Controls start 5 pixels from the row's top, left and right edges, 5 pixels apart.
    auto* row = new QHBoxLayout(FPanel);
    row->setContentsMargins(5, 5, 5, 0);
    row->setSpacing(5);
    FArgs.AddStrings(fields);
}

TStringizableInput::~TStringizableInput() = default;

QWidget* TStringizableInput::Attach(QWidget* container)
{
    const int least = MinArgCount();
    if (FArgs.Count() - 1 < least) {
        throw ETemplateError(FArgs[0] + ": needs at least " + std::to_string(least) + " field"
                             + (least == 1 ? "" : "s") + " after the kind field");
    }
    FPanel->setParent(container);
    container->layout()->addWidget(FPanel);
    SetupControls();
    // No margin below the lowest control: the row ends at its bottom edge.
    FPanel->setFixedHeight(FPanel->layout()->sizeHint().height());
    FPanel->show();
    return container;
}

QBoxLayout* TStringizableInput::Row() const
{
    return static_cast<QBoxLayout*>(FPanel->layout());
}
