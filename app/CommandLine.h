#pragma once
// The command line: options before the template file, then the template file and its parameters.

#include <string>
#include <vector>

struct TCommandLine {
    enum TAction { ShowDialog, ShowHelp, ShowVersion, UsageError };

    TAction Action = ShowDialog;
    bool Print = false; ///< OK prints the command line instead of running it
    bool Check = false; ///< load the template without showing it, report the first error
    /// The template file, then its parameters, exactly as given.
    std::vector<std::string> Args;
    /// For UsageError: what is wrong.
    std::string Error;
};

/// Options are recognised only before the template file; "--" ends them.
TCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

/// The text of --help.
std::string HelpText();
/// "Usage: …" and the hint to --help, for a usage error.
std::string UsageHint();
