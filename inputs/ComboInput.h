#pragma once
// TComboInput: a caption and an editable combo box; adds the text the box shows, typed or picked.

#include "inputs/ByteText.h"
#include "inputs/StringizableInput.h"

#include <vector>

class QComboBox;
class QLabel;

class TComboInput : public TStringizableInput {
public:
    TComboInput(QWidget* owner, const TStringList& fields);

    std::string ToString() override;
    QWidget* GetFocusControl() override;

protected:
    /// A pick-only box when not editable.
    TComboInput(QWidget* owner, const TStringList& fields, bool editable);

    void SetupControls() override;
    int MinArgCount() override { return 1; }

    QComboBox* FComboBox;
    QLabel* FLabel;

private:
    void MakeEditable();

    const bool FEditable;
    std::vector<TByteText> FEntries;
};
