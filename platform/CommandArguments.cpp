#include "platform/CommandArguments.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

} // namespace

std::vector<std::string> SplitArguments(const std::string& text)
{
    std::vector<std::string> arguments;
    std::string current;
    bool started = false; // a quote starts an argument too, so that "" is kept as an empty one
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
            current += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
            started = true;
        } else if (!quoted && IsBlank(c)) {
            if (started)
                arguments.push_back(current);
            current.clear();
            started = false;
        } else {
            current += c;
            started = true;
        }
    }
    if (started)
        arguments.push_back(current);
    return arguments;
}
