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
    setCompleter(new TPathCompleter(this));
}
