#pragma once
// The process environment: the variables that the program and everything it starts see.

#include <optional>
#include <string>

void SetEnvironmentVariable(const std::string& name, const std::string& value);
std::optional<std::string> GetEnvironmentVariable(const std::string& name);
