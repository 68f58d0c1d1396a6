#pragma once
// TStringFactory: loads a template into the dialog and builds the command line from it.

#include "template/AbstractStringFactory.h"
#include "template/TokenLoop.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QWidget;
class TStringList;
class TStringString;
class TStringizableInput;

class TStringFactory : public TAbstractStringFactory, private TTemplateSink {
public:
    /// owner: the form that owns every control and whose height, caption and focus are set;
    /// container: where the first input row goes.
    TStringFactory(QWidget* owner, QWidget* container);
    ~TStringFactory() override;

    /// Reads the template's first line, expands it, creates its pieces and inputs, then fits the
    /// form's height, captions it with the file name and focuses the marked input.
    void LoadTemplate(std::string path);
    /// Creates the input a definition names and places its row, or returns the earlier input a
    /// back-reference names.
    TStringizableInput* CreateInput(const TStringList& fields);

    /// Where the bytes go that no scanner rule accepts (a stray ">"); standard output by default.
    void SetEcho(std::function<void(char)> echo) { FEcho = std::move(echo); }

    QWidget* FocusControl() const { return FFocusControl; }
    const std::vector<TStringizableInput*>& Inputs() const { return FInputs; }

private:
    void AddText(const std::string& text) override;
    void AddDefinition(const TStringList& fields) override;
    TStringizableInput* CreateNewInput(char letter, bool marked, const TStringList& fields);
    TStringizableInput* ReferencedInput(const std::string& kind, int n) const;
    void FitOwnerHeight();

    QWidget* const FOwner;
    QWidget* FContainer;
    QWidget* FFocusControl = nullptr;
    std::vector<TStringizableInput*> FInputs;
    std::function<void(char)> FEcho;

    // The lists above and in the base only point at pieces; these own them.
    std::vector<std::unique_ptr<TStringString>> FOwnedTexts;
    std::vector<std::unique_ptr<TStringizableInput>> FOwnedInputs;
};
