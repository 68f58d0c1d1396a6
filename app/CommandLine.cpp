#include "app/CommandLine.h"

namespace {

bool IsOption(const std::string& argument)
{
    return argument.size() > 1 && argument[0] == '-';
}

} // namespace

TCommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    TCommandLine line;
    size_t i = 0;
    for (; i < arguments.size() && IsOption(arguments[i]); ++i) {
        const std::string& option = arguments[i];
        if (option == "--") {
            ++i;
            break;
        }
        if (option == "-h" || option == "--help")
            line.Action = TCommandLine::ShowHelp;
        else if (option == "-V" || option == "--version")
            line.Action = TCommandLine::ShowVersion;
        else if (option == "-p" || option == "--print")
            line.Print = true;
        else if (option == "--check")
            line.Check = true;
        else {
            line.Action = TCommandLine::UsageError;
            line.Error = "unknown option '" + option + "'";
            return line;
        }
    }
    line.Args.assign(arguments.begin() + static_cast<std::ptrdiff_t>(i), arguments.end());
    return line;
}

std::string UsageHint()
{
    return "Usage: cmdform [OPTION]... TEMPLATE-FILE [ARGUMENT]...\n"
           "Try 'cmdform --help' for more information.\n";
}

std::string HelpText()
{
    return R"(Usage: cmdform [OPTION]... TEMPLATE-FILE [ARGUMENT]...
Shows a dialog built from the first line of TEMPLATE-FILE and, on OK, runs the
command line made of the template's text and the values entered.

Options (only before TEMPLATE-FILE; everything after it is an argument):
  -p, --print    on OK, print the command line instead of running it
      --check    load the template without showing it and report the first error
  -h, --help     show this help and exit
  -V, --version  show the version and exit
      --         end of options

Template language:
  Text outside <...> is literal command text; <<> stands for < and <>> for >.
  <KIND|CAPTION|...> defines an input; "@" before the kind gives it the focus.
    <It|Caption>  <It|->                 caption line, separator line
    <Is|Name|initial text>               text field
    <Ip|File|initial path>               path field with file-system completion
    <Ic|Browser|firefox|chromium>        editable combo box
    <Im|Mode|Fast|-f|Slow|-s>            pick-only list: shown text, value, ...
    <Ix|Verbose|-v|-q>                   check box: checked, unchecked value
    <Ir|Level|Low|1|High|2>              radio buttons: text, value, ...
    <2>                                  the value of the second definition again
  %1%, %2%, ... are the arguments; %1*% is every argument from the first on,
  each quoted; any %NAME% of the environment is replaced by its value.

Keys: Enter = OK; Shift+OK runs and keeps the dialog open; Alt+OK shows the
command line; Escape = Cancel.

Exit status:
  0  the command was started, or the dialog was closed (with --print: OK)
  1  an error kept the dialog from opening (with --print: also Cancel)
  2  the command line was wrong
)";
}
