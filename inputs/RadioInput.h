#pragma once
// TRadioInput: a captioned group of radio buttons in two columns; adds the selected button's value.

#include "inputs/StringizableInput.h"

class QButtonGroup;
class QGroupBox;

class TRadioInput : public TStringizableInput {
public:
    TRadioInput(QWidget* owner, const TStringList& fields);

    /// Empty while no button is selected; EStringListError for a button without a value.
    std::string ToString() override;
    /// The group itself before the buttons exist, then the selected button.
    QWidget* GetFocusControl() override;

protected:
    void SetupControls() override;
    int MinArgCount() override { return 2; }

private:
    int ItemIndex() const;
    void AddButtons();

    QGroupBox* FRadioGroup;
    QButtonGroup* FButtons; // the buttons in entry order, each with its index as id
    TStringList FValues;
};
