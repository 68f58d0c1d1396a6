#include "inputs/LabelSeparator.h"

#include "inputs/LabelFieldRow.h"

#include <QBoxLayout>
#include <QFrame>
#include <QLabel>

namespace {

// A caption without a field to jump to still follows the "&" convention: "&x" shows x, "&&" shows &.
std::string WithoutMnemonics(const std::string& caption)
{
    std::string shown;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        shown += caption[i];
    }
    return shown;
}

} // namespace

TLabelSeparator::TLabelSeparator(QWidget* owner, const TStringList& fields)
    : TStringizableInput(owner, fields), FBevel(CreateControl<QFrame>(owner)), FLabel(CreateControl<QLabel>(owner))
{
}

void TLabelSeparator::SetupControls()
{
    if (FArgs[1] == "-") {
        FBevel->setFrameStyle(QFrame::HLine | QFrame::Sunken);
        FBevel->setFixedHeight(2);
        Row()->addWidget(FBevel, 1, Qt::AlignTop);
        FBevel->show();
        return;
    }
    SetCaption(FLabel, WithoutMnemonics(FArgs[1]));
    Row()->addWidget(FLabel, 1, Qt::AlignTop);
    FLabel->show();
}
