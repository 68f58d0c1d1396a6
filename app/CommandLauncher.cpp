#include "app/CommandLauncher.h"

#include "platform/Launcher.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

size_t SeparatorPosition(const std::string& command)
{
    bool quoted = false;
    for (size_t i = 0; i < command.size(); ++i) {
        const char c = command[i];
        if (quoted) {
            if (c != '"')
                continue;
            quoted = false;
            if (i + 1 < command.size() && IsBlank(command[i + 1]))
                return i + 1;
            ++i; // the byte after a closing quote is ordinary, even a quote
        } else if (IsBlank(c)) {
            return i;
        } else if (c == '"') {
            quoted = true;
        }
    }
    return std::string::npos;
}

} // namespace

TCommandParts SplitCommandLine(const std::string& command)
{
    const size_t separator = SeparatorPosition(command);
    if (separator == std::string::npos)
        return {command, std::string()};
    return {command.substr(0, separator), command.substr(separator + 1)};
}

std::optional<std::string> RunCommand(const std::string& command, TLauncher& launcher)
{
    const TCommandParts parts = SplitCommandLine(command);
    return launcher.Open(parts.Program, parts.Parameters);
}
