#pragma once
// TLabelSeparator: a caption line, or an etched separator line for the caption "-"; adds no text.

#include "inputs/StringizableInput.h"

class QFrame;
class QLabel;

class TLabelSeparator : public TStringizableInput {
public:
    TLabelSeparator(QWidget* owner, const TStringList& fields);

    std::string ToString() override { return {}; }
    QWidget* GetFocusControl() override { return nullptr; }

protected:
    void SetupControls() override;
    int MinArgCount() override { return 1; }

private:
    QFrame* FBevel;
    QLabel* FLabel;
};
