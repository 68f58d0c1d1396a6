#include "template/EnvStr.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

TScanner::TScanner(TLeadByteRule rule, TEcho echo) : FRule(rule), FEcho(std::move(echo)) {}

void TScanner::SetScanInput(std::string text)
{
    // The input ends at its first NUL byte, as a C string would.
    if (size_t nul = text.find('\0'); nul != std::string::npos)
        text.resize(nul);
    FInput = std::move(text);
    FPos = 0;
    FState = STATE_TEXT;
    FFieldText.clear();
}

int TScanner::NextToken()
{
    try {
        return Scan();
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "%s\n", "fatal error - scanner input buffer overflow");
        std::exit(2);
    }
}

int TScanner::Scan()
{
    int token = TOKEN_END;
    while (!AtEnd()) {
        switch (FState) {
        case STATE_TEXT:
            if (ScanText(token))
                return token;
            break;
        case STATE_DEFINITION:
            if (ScanDefinition(token))
                return token;
            break;
        case STATE_QUOTED:
            ScanQuoted();
            break;
        }
    }
    // A field left unfinished at the end of the input is dropped.
    return TOKEN_END;
}

bool TScanner::ScanText(int& token)
{
    const char c = FInput[FPos];
    if (c == '<') {
        if (StartsWith("<<>") || StartsWith("<>>")) {
            FTokenValue.assign(1, FInput[FPos + 1] == '<' ? '<' : '>');
            FPos += 3;
            token = TOKEN_TEXT;
            return true;
        }
        ++FPos;
        FFieldText.clear();
        FState = STATE_DEFINITION;
        return false;
    }
    if (c == '\n') {
        ++FPos;
        FTokenValue = "\n";
        token = TOKEN_NEWLINE;
        return true;
    }
    if (c == '>') {
        ++FPos;
        Echo(c);
        return false;
    }
    size_t end = FInput.find_first_of("<>\n", FPos);
    if (end == std::string::npos)
        end = FInput.size();
    FTokenValue.assign(FInput, FPos, end - FPos);
    FPos = end;
    token = TOKEN_TEXT;
    return true;
}

bool TScanner::ScanDefinition(int& token)
{
    const char c = FInput[FPos];
    if (AtCharacterPair()) {
        AppendToField(2);
        return false;
    }
    switch (c) {
    case '"':
        AppendToField(1);
        FState = STATE_QUOTED;
        return false;
    case '>':
        ++FPos;
        FTokenValue = FFieldText;
        FState = STATE_TEXT;
        token = TOKEN_LAST_FIELD;
        return true;
    case '|':
        ++FPos;
        FTokenValue = FFieldText;
        FFieldText.clear();
        token = TOKEN_FIELD;
        return true;
    case '\n':
        ++FPos;
        Echo(c);
        return false;
    default:
        AppendToField(1);
        return false;
    }
}

void TScanner::ScanQuoted()
{
    const char c = FInput[FPos];
    if (AtCharacterPair()) {
        AppendToField(2);
    } else if (c == '\n') {
        ++FPos;
        Echo(c);
    } else {
        if (c == '"')
            FState = STATE_DEFINITION;
        AppendToField(1);
    }
}

bool TScanner::StartsWith(const char* bytes) const
{
    return FInput.compare(FPos, std::strlen(bytes), bytes) == 0;
}

bool TScanner::AtCharacterPair() const
{
    return FRule == TLeadByteRule::DoubleByteCharset && static_cast<unsigned char>(FInput[FPos]) >= 0x80
        && FPos + 1 < FInput.size() && FInput[FPos + 1] != '\n';
}

void TScanner::AppendToField(size_t count)
{
    FFieldText.append(FInput, FPos, count);
    FPos += count;
}

void TScanner::Echo(char byte)
{
    if (FEcho)
        FEcho(byte);
    else
        std::fputc(static_cast<unsigned char>(byte), stdout);
}
