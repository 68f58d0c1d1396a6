#pragma once
// The program's start-up: publishes the parameters, builds the dialog from the template and runs it.

#include "app/CommandLine.h"

#include <functional>
#include <string>
#include <vector>

class TMainForm;

/// Sets "1", "2", … to the parameters after the template file and "1*", "2*", … to each
/// parameter from that one on, quoted and followed by one blank; a double quote inside a parameter
/// is written as two. args[0] is the template file.
/// Throws Exception, publishing nothing, when the variables would take more than 64 MB.
void PublishParameters(const std::vector<std::string>& args);

/// Creates the form's factory and loads the template named by args[0] (empty when missing).
/// echo receives the bytes the scanner rejects; by default they go to standard output.
void BuildDialog(TMainForm* form, const std::vector<std::string>& args, std::function<void(char)> echo = {});

/// Shows why the dialog cannot open.
using TErrorReport = std::function<void(const std::string& message)>;

/// The entry once QApplication exists: 0 when the dialog was shown and closed, 1 when an error
/// stopped it from opening (reported through report). With line.Print, 1 also when the dialog
/// was closed without OK; with line.Check, 0 once the dialog is built, without showing it.
int RunStartup(const TCommandLine& line, const TErrorReport& report);
/// The same for a template file and its parameters without options.
int RunStartup(const std::vector<std::string>& args, const TErrorReport& report);

/// Writes the message to standard error and shows it in an error box.
void ReportStartupError(const std::string& message);
/// Writes the message to standard error only.
void ReportToStandardError(const std::string& message);
