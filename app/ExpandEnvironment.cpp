#include "app/ExpandEnvironment.h"

#include "platform/Environment.h"

std::string ExpandEnvironment(const std::string& text, const TVariableLookup& lookup)
{
    std::string result;
    result.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        size_t open = text.find('%', pos);
        if (open == std::string::npos)
            break;
        result.append(text, pos, open - pos);
        size_t close = text.find('%', open + 1);
        if (close == std::string::npos) {
            pos = open;
            break;
        }
        std::optional<std::string> value;
        if (close > open + 1)
            value = lookup(text.substr(open + 1, close - open - 1));
        if (value) {
            result += *value;
            pos = close + 1;
        } else {
            result += '%';
            pos = open + 1;
        }
    }
    result.append(text, pos, std::string::npos);
    return result;
}

std::string ExpandEnvironment(const std::string& text)
{
    return ExpandEnvironment(text, GetEnvironmentVariable);
}
