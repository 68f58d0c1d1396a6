#include "inputs/InputKinds.h"

#include "inputs/EditInput.h"
#include "inputs/LabelSeparator.h"
#include "inputs/PathInput.h"

std::unique_ptr<TStringizableInput> CreateInputOfKind(char letter, QWidget* owner, const TStringList& fields)
{
    switch (letter) {
    case 'p': return std::make_unique<TPathInput>(owner, fields);
    case 's': return std::make_unique<TEditInput>(owner, fields);
    case 't': return std::make_unique<TLabelSeparator>(owner, fields);
    default: return nullptr;
    }
}
