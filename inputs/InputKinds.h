#pragma once
// The input kinds by their letter in a definition's kind field.

#include <memory>

class QWidget;
class TStringList;
class TStringizableInput;

/// A new input of the kind that letter names, or null for a letter that names no kind.
std::unique_ptr<TStringizableInput> CreateInputOfKind(char letter, QWidget* owner, const TStringList& fields);
