#pragma once
// ExpandEnvironment: replaces %NAME% references to defined environment variables by their values.

#include <functional>
#include <optional>
#include <string>

using TVariableLookup = std::function<std::optional<std::string>(const std::string& name)>;

/// A "%" that a later "%" closes names a variable. A defined variable replaces the whole
/// reference; otherwise only the first "%" is copied and the scan goes on right after it, so the
/// closing "%" may open the next reference. Values are inserted as they are, never expanded again.
std::string ExpandEnvironment(const std::string& text, const TVariableLookup& lookup);
/// The same against the process environment.
std::string ExpandEnvironment(const std::string& text);
