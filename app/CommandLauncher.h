#pragma once
// RunCommand: splits the command line into a program part and a parameter part and launches it.

#include <optional>
#include <string>

class TLauncher;

struct TCommandParts {
    std::string Program;
    std::string Parameters;
};

/// Splits at the first blank or tab outside a double-quoted stretch; the separator belongs to
/// neither part, and both keep their bytes, quotes included. A stretch runs to the next double
/// quote or the end; the byte right after a closing quote can only separate, so a quote there
/// opens no new stretch. Without a separator the parameter part is empty.
TCommandParts SplitCommandLine(const std::string& command);

/// Hands the two parts to the launcher; the reason for the user when nothing could be started.
std::optional<std::string> RunCommand(const std::string& command, TLauncher& launcher);
