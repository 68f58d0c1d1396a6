#pragma once
// TLauncher: the desktop's default action on a program part and a parameter part of a command line.

#include <optional>
#include <string>

class TLauncher {
public:
    virtual ~TLauncher() = default;
    /// Starts the program, or opens the document, folder or URL, that programPart names, and
    /// returns without waiting for it. The text for the user when that failed, naming the program.
    virtual std::optional<std::string> Open(const std::string& programPart, const std::string& parameterPart) = 0;
};
