#include "template/StringFactory.h"

#include "app/ExpandEnvironment.h"
#include "inputs/InputKinds.h"
#include "inputs/StringizableInput.h"
#include "platform/FileCaption.h"
#include "platform/FileReader.h"
#include "platform/Locale.h"
#include "platform/StringList.h"
#include "template/EnvStr.h"
#include "template/KindField.h"
#include "template/StringString.h"
#include "template/TemplateError.h"

#include <QLayout>
#include <QWidget>

TStringFactory::TStringFactory(QWidget* owner, QWidget* container) : FOwner(owner), FContainer(container) {}

TStringFactory::~TStringFactory() = default;

void TStringFactory::LoadTemplate(std::string path)
{
    // Only the first line is used, so only the first line is read: what follows may be endless,
    // a pipe that stays open or a device, or just more than is worth splitting into lines.
    TStringList lines;
    lines.SetText(ReadFirstLine(path));

    TScanner scanner(LocaleHasAsciiTrailBytes() ? TLeadByteRule::DoubleByteCharset : TLeadByteRule::SingleBytes,
                     FEcho);
    scanner.SetScanInput(ExpandEnvironment(lines[0]));
    ConsumeTokens(scanner, *this);

    FitOwnerHeight();
    FOwner->setWindowTitle(QString::fromLocal8Bit(FileNameCaption(path)));
    if (FFocusControl)
        FFocusControl->setFocus();
}

void TStringFactory::AddText(const std::string& text)
{
    FOwnedTexts.push_back(std::make_unique<TStringString>(text));
    FStringizables.push_back(FOwnedTexts.back().get());
}

void TStringFactory::AddDefinition(const TStringList& fields)
{
    TStringizableInput* input = CreateInput(fields);
    FStringizables.push_back(input);
    FInputs.push_back(input);
}

TStringizableInput* TStringFactory::CreateInput(const TStringList& fields)
{
    const TKindField kind = ReadKindField(fields[0]);
    if (kind.IsReference)
        return ReferencedInput(fields[0], kind.Reference);
    return CreateNewInput(kind.Letter, kind.Marked, fields);
}

TStringizableInput* TStringFactory::CreateNewInput(char letter, bool marked, const TStringList& fields)
{
    std::unique_ptr<TStringizableInput> created = CreateInputOfKind(letter, FOwner, fields);
    if (!created)
        throw ETemplateError(fields[0] + "Unknown Command");
    TStringizableInput* input = created.get();
    FOwnedInputs.push_back(std::move(created));
    if (marked)
        FFocusControl = input->GetFocusControl();
    FContainer = input->Attach(FContainer);
    return input;
}

TStringizableInput* TStringFactory::ReferencedInput(const std::string& kind, int n) const
{
    if (n < 1 || static_cast<size_t>(n) > FInputs.size())
        throw ETemplateError("no input " + kind);
    return FInputs[static_cast<size_t>(n) - 1];
}

void TStringFactory::FitOwnerHeight()
{
    // Rows have fixed heights, so the layout's preferred height is exactly the rows plus the
    // button row: the form keeps its width and sheds the space no row takes.
    FOwner->resize(FOwner->width(), FOwner->layout() ? FOwner->layout()->sizeHint().height() : 0);
}
