#pragma once
// ConsumeTokens: groups the scanner's tokens into literal texts and complete definitions.

#include <string>

class TScanner;
class TStringList;

/// Receives the parts of a template line in order.
class TTemplateSink {
public:
    virtual void AddText(const std::string& text) = 0;
    virtual void AddDefinition(const TStringList& fields) = 0;

protected:
    ~TTemplateSink() = default;
};

/// Reads tokens until TOKEN_END. Line breaks are dropped; a definition that the line ends in
/// after at least one "|" throws ETemplateError "not exists: >".
void ConsumeTokens(TScanner& scanner, TTemplateSink& sink);
