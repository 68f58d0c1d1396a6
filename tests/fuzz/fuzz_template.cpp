// libFuzzer target: arbitrary bytes through every step of loading a template that needs no
// widgets — the first line of the file, %NAME% expansion, the scanner under both lead-byte rules,
// the token loop and the reading of each definition's kind field.
//
// A template that cannot be loaded must fail with one of the program's own exceptions, which the
// program shows in an error box. Anything else is a finding: a crash, a hang, a leak, undefined
// behaviour, another exception escaping, or one of the invariants below broken.

#include "app/CommandLauncher.h"
#include "app/ExpandEnvironment.h"
#include "platform/CommandArguments.h"
#include "platform/Launcher.h"
#include "platform/Exceptions.h"
#include "platform/StringList.h"
#include "template/EnvStr.h"
#include "template/KindField.h"
#include "template/TemplateError.h"
#include "template/TokenLoop.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

[[noreturn]] void Broken(const char* invariant)
{
    std::fprintf(stderr, "invariant broken: %s\n", invariant);
    std::abort();
}

#define CHECK(condition)                                                                                     \
    do {                                                                                                     \
        if (!(condition))                                                                                    \
            Broken(#condition);                                                                              \
    } while (0)

// The variables a template may meet: parameters as the start-up publishes them, and values that
// hold the template's own syntax, a line feed, lead bytes and a long run.
std::optional<std::string> FakeVariable(const std::string& name)
{
    static const std::map<std::string, std::string> variables = {
        {"1", "foo"},
        {"2", "a b.txt"},
        {"1*", "\"foo\" \"a b.txt\" "},
        {"2*", "\"a b.txt\" "},
        {"HOME", "/home/me"},
        {"lf", "a\nb"},
        {"crlf", "a\r\nb"},
        {"syntax", "<Is|x|%1%>|\"<<>"},
        {"pct", "%"},
        {"empty", ""},
        {"lead", "\x81|\x81>\x81"},
        {"long", std::string(5000, 'v')},
    };
    const auto it = variables.find(name);
    return it == variables.end() ? std::nullopt : std::optional(it->second);
}

std::optional<std::string> NoVariable(const std::string&)
{
    return std::nullopt;
}

// Text with no variable defined comes back unchanged, however its percent signs stand.
std::string CheckExpansion(const std::string& text)
{
    CHECK(ExpandEnvironment(text, NoVariable) == text);
    return ExpandEnvironment(text, FakeVariable);
}

// Drives the scanner by hand: every token is known, consumes input, and hands out bytes of the
// input at most once; the end stays the end.
void CheckScanner(const std::string& input, TLeadByteRule rule)
{
    const size_t length = std::min(input.size(), input.find('\0'));
    size_t echoed = 0;
    TScanner scanner(rule, [&echoed](char byte) {
        CHECK(byte == '>' || byte == '\n');
        ++echoed;
    });
    scanner.SetScanInput(input);

    size_t tokens = 0;
    size_t tokenBytes = 0;
    int token;
    while ((token = scanner.NextToken()) != TOKEN_END) {
        CHECK(token == TOKEN_TEXT || token == TOKEN_FIELD || token == TOKEN_LAST_FIELD || token == TOKEN_NEWLINE);
        CHECK(token != TOKEN_NEWLINE || scanner.TokenValue() == "\n");
        CHECK(token != TOKEN_TEXT || !scanner.TokenValue().empty());
        ++tokens;
        tokenBytes += scanner.TokenValue().size();
        CHECK(tokens <= length);
        CHECK(tokenBytes + echoed <= length);
    }
    const std::string last = scanner.TokenValue();
    CHECK(scanner.NextToken() == TOKEN_END);
    CHECK(scanner.TokenValue() == last);
}

// The number a back-reference names, read another way: decimal digits up to 2147483647, or "0x"
// and hexadecimal digits up to FFFFFFFF, taken as a signed 32-bit number.
std::optional<int> ReferenceNumber(const std::string& text)
{
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* first = text.data() + (hex ? 2 : 0);
    const char* last = text.data() + text.size();
    uint64_t value = 0;
    const auto [end, error] = std::from_chars(first, last, value, hex ? 16 : 10);
    if (first == last || error != std::errc() || end != last || value > (hex ? UINT32_MAX : INT32_MAX))
        return std::nullopt;
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

// Stands in for the dialog: records the texts and reads each definition's kind field as the
// loader does, counting inputs so that back-references are resolved, and builds the command
// the dialog would start with, each input yielding its definition's last field.
class TRecordingSink : public TTemplateSink {
public:
    void AddText(const std::string& text) override
    {
        CHECK(!text.empty());
        Command += text;
    }

    void AddDefinition(const TStringList& fields) override
    {
        CHECK(fields.Count() >= 1);
        const bool digit = !fields[0].empty() && fields[0][0] >= '0' && fields[0][0] <= '9';
        const std::optional<int> number = digit ? ReferenceNumber(fields[0]) : std::nullopt;
        TKindField kind;
        try {
            kind = ReadKindField(fields[0]);
        } catch (const EConvertError&) {
            CHECK(digit && !number);
            throw;
        }
        CHECK(kind.IsReference == digit);
        if (kind.IsReference) {
            CHECK(number && *number == kind.Reference);
            if (kind.Reference < 1 || static_cast<size_t>(kind.Reference) > FValues.size())
                throw ETemplateError("no input " + fields[0]);
            Command += FValues[static_cast<size_t>(kind.Reference) - 1];
            return;
        }
        FValues.push_back(fields[fields.Count() - 1]);
        Command += FValues.back();
    }

    std::string Command;

private:
    std::vector<std::string> FValues;
};

// The loader's steps from the file's bytes to the command line; empty when the template
// fails to load with one of the program's own errors.
std::optional<std::string> Load(const std::string& bytes, TLeadByteRule rule)
{
    try {
        TStringList lines;
        lines.SetText(bytes);
        for (int i = 0; i < lines.Count(); ++i)
            CHECK(lines[i].find_first_of(std::string("\r\n\0", 3)) == std::string::npos);
        const std::string line = CheckExpansion(lines[0]);
        TScanner scanner(rule, [](char) {});
        scanner.SetScanInput(line);
        TRecordingSink sink;
        ConsumeTokens(scanner, sink);
        return sink.Command;
    } catch (const Exception& e) {
        CHECK(!e.Message().empty());
        return std::nullopt;
    }
}

// Takes the parts the launcher is handed instead of starting anything.
class TRecordingLauncher : public TLauncher {
public:
    std::optional<std::string> Open(const std::string& programPart, const std::string& parameterPart) override
    {
        Parts = {programPart, parameterPart};
        return std::nullopt;
    }
    TCommandParts Parts;
};

// The split loses no byte but the one separator, a blank or tab, and each part becomes
// arguments made of its own bytes less the quotes and separators.
void CheckLaunch(const std::string& command)
{
    const TCommandParts parts = SplitCommandLine(command);
    if (parts.Program.size() == command.size()) {
        CHECK(parts.Program == command && parts.Parameters.empty());
    } else {
        CHECK(parts.Program.size() + 1 + parts.Parameters.size() == command.size());
        CHECK(command.compare(0, parts.Program.size(), parts.Program) == 0);
        const char separator = command[parts.Program.size()];
        CHECK(separator == ' ' || separator == '\t');
        CHECK(command.compare(parts.Program.size() + 1, std::string::npos, parts.Parameters) == 0);
    }

    TRecordingLauncher launcher;
    CHECK(!RunCommand(command, launcher));
    CHECK(launcher.Parts.Program == parts.Program && launcher.Parts.Parameters == parts.Parameters);

    for (const std::string* part : {&parts.Program, &parts.Parameters}) {
        size_t bytes = 0;
        for (const std::string& argument : SplitArguments(*part))
            bytes += argument.size();
        CHECK(bytes <= part->size());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CheckLaunch(bytes);
    for (TLeadByteRule rule : {TLeadByteRule::SingleBytes, TLeadByteRule::DoubleByteCharset}) {
        CheckScanner(bytes, rule);
        if (const std::optional<std::string> command = Load(bytes, rule))
            CheckLaunch(*command);
    }
    return 0;
}
