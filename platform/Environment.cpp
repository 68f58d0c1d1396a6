#include "platform/Environment.h"

#include <cstdlib>

void SetEnvironmentVariable(const std::string& name, const std::string& value)
{
    ::setenv(name.c_str(), value.c_str(), 1);
}

std::optional<std::string> GetEnvironmentVariable(const std::string& name)
{
    if (name.empty() || name.find('=') != std::string::npos)
        return std::nullopt;
    const char* value = std::getenv(name.c_str());
    if (!value)
        return std::nullopt;
    return std::string(value);
}
