#pragma once
// TEditInput: a caption and a single-line text field; adds the field's text.

#include "inputs/ByteText.h"
#include "inputs/StringizableInput.h"

class QLabel;
class QLineEdit;

class TEditInput : public TStringizableInput {
public:
    TEditInput(QWidget* owner, const TStringList& fields);

    std::string ToString() override;
    QWidget* GetFocusControl() override;

protected:
    /// For kinds whose field is a special line edit.
    TEditInput(QWidget* owner, const TStringList& fields, QLineEdit* edit);

    void SetupControls() override;
    int MinArgCount() override { return 1; }

    QLineEdit* FEdit;
    QLabel* FLabel;

private:
    TByteText FInitialText;
};
