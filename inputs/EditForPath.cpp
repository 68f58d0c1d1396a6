#include "inputs/EditForPath.h"

#include "inputs/PathCompleter.h"

TEditForPath::TEditForPath(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, &TEditForPath::Change);
}

void TEditForPath::Change()
{
    if (FAutoCompleteFlags == 0)
        return;
    FAutoCompleteFlags = 0;
    disconnect(this, &QLineEdit::textChanged, this, &TEditForPath::Change);
    if (hasFocus())
        InstallCompleter();
}

// Completion only serves a field the user types into: building the file-system model waits
// until the field has the focus, so that an initial path costs the dialog's opening nothing.
void TEditForPath::focusInEvent(QFocusEvent* event)
{
    if (!CompletionPending() && !completer())
        InstallCompleter();
    QLineEdit::focusInEvent(event);
}

void TEditForPath::InstallCompleter()
{
    setCompleter(new TPathCompleter(this));
}
