#pragma once
// TScanner: splits one template line into literal text runs, definition fields and line breaks.

#include <functional>
#include <string>

enum : int {
    TOKEN_END = 0,
    TOKEN_TEXT = 100,
    TOKEN_FIELD = 103,
    TOKEN_LAST_FIELD = 104,
    TOKEN_NEWLINE = 105,
};

/// How bytes 0x80-0xFF are read inside definitions.
enum class TLeadByteRule {
    SingleBytes,       ///< every byte stands alone (UTF-8 and single-byte character sets)
    DoubleByteCharset, ///< a byte 0x80-0xFF and the next byte form one character (Shift_JIS and kin)
};

class TScanner {
public:
    /// Receives each byte that no rule accepts (a stray ">", a line break inside a definition).
    using TEcho = std::function<void(char)>;

    /// By default stray bytes go to standard output.
    explicit TScanner(TLeadByteRule rule = TLeadByteRule::SingleBytes, TEcho echo = {});

    void SetScanInput(std::string text);
    /// The next token code; TOKEN_END once the input is used up, and again on every later call.
    int NextToken();
    /// The value of the token last returned (unchanged by TOKEN_END).
    const std::string& TokenValue() const { return FTokenValue; }

private:
    enum TState { STATE_TEXT, STATE_DEFINITION, STATE_QUOTED };

    int Scan();
    bool ScanText(int& token);
    bool ScanDefinition(int& token);
    void ScanQuoted();
    bool AtEnd() const { return FPos >= FInput.size(); }
    bool StartsWith(const char* bytes) const;
    bool AtCharacterPair() const;
    void AppendToField(size_t count);
    void Echo(char byte);

    TLeadByteRule FRule;
    TEcho FEcho;
    std::string FInput;
    size_t FPos = 0;
    TState FState = STATE_TEXT;
    std::string FFieldText;
    std::string FTokenValue;
};
