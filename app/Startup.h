#pragma once
// The program's start-up: publishes the parameters, builds the dialog from the template and runs it.

#include <functional>
#include <string>
#include <vector>

class TMainForm;

/// Sets "1", "2", … to the parameters after the template file and "1*", "2*", … to each
/// parameter from that one on, quoted and followed by one blank. args[0] is the template file.
/// Throws Exception, publishing nothing, when the variables would take more than 64 MB.
void PublishParameters(const std::vector<std::string>& args);

/// Creates the form's factory and loads the template named by args[0] (empty when missing).
void BuildDialog(TMainForm* form, const std::vector<std::string>& args);

/// Shows why the dialog cannot open.
using TErrorReport = std::function<void(const std::string& message)>;

/// The entry once QApplication exists: 0 when the dialog was shown and closed, 1 when an error
/// stopped it from opening (reported through report).
int RunStartup(const std::vector<std::string>& args, const TErrorReport& report);

/// Writes the message to standard error and shows it in an error box.
void ReportStartupError(const std::string& message);
