#include "inputs/PathInput.h"

#include "inputs/EditForPath.h"

TPathInput::TPathInput(QWidget* owner, const TStringList& fields)
    : TEditInput(owner, fields, CreateControl<TEditForPath>(owner))
{
}
