#include "inputs/InputKinds.h"

#include "inputs/CheckInput.h"
#include "inputs/ComboInput.h"
#include "inputs/EditInput.h"
#include "inputs/LabelSeparator.h"
#include "inputs/MenuInput.h"
#include "inputs/PathInput.h"
#include "inputs/RadioInput.h"

std::unique_ptr<TStringizableInput> CreateInputOfKind(char letter, QWidget* owner, const TStringList& fields)
{
    switch (letter) {
    case 'c': return std::make_unique<TComboInput>(owner, fields);
    case 'm': return std::make_unique<TMenuInput>(owner, fields);
    case 'p': return std::make_unique<TPathInput>(owner, fields);
    case 'r': return std::make_unique<TRadioInput>(owner, fields);
    case 's': return std::make_unique<TEditInput>(owner, fields);
    case 't': return std::make_unique<TLabelSeparator>(owner, fields);
    case 'x': return std::make_unique<TCheckInput>(owner, fields);
    default: return nullptr;
    }
}
