#pragma once
// TMenuInput: a caption and a pick-only list whose shown texts stand for other values.

#include "inputs/ComboInput.h"

class TMenuInput : public TComboInput {
public:
    /// Moves the value fields 3, 5, 7, … into FValues; fields 2, 4, 6, … stay as the shown texts.
    TMenuInput(QWidget* owner, const TStringList& fields);

    /// The value at the position of the picked entry; EStringListError when it has none.
    std::string ToString() override;

private:
    TStringList FValues;
};
