#pragma once
// TCheckInput: a check box that adds one value when checked and another when not.

#include "inputs/StringizableInput.h"

class QCheckBox;

class TCheckInput : public TStringizableInput {
public:
    TCheckInput(QWidget* owner, const TStringList& fields);

    std::string ToString() override;
    QWidget* GetFocusControl() override;

protected:
    /// Needs field 2, the checked value: without it EStringListError (index 0) is thrown.
    void SetupControls() override;
    int MinArgCount() override { return 1; }

private:
    QCheckBox* FCheckBox;
    TStringList FValues; // the checked value, then the unchecked value
};
