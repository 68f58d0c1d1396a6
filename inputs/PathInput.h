#pragma once
// TPathInput: a caption and a path field that completes from the file system.

#include "inputs/EditInput.h"

class TPathInput : public TEditInput {
public:
    TPathInput(QWidget* owner, const TStringList& fields);
};
