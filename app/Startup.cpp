#include "app/Startup.h"

#include "app/MainUnit.h"
#include "platform/Environment.h"
#include "platform/Exceptions.h"
#include "template/StringFactory.h"

#include <QMessageBox>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <new>

namespace {

// The starred variables repeat every parameter after their own, so their size grows with the
// square of the number of parameters: ten thousand short ones would take half a gigabyte and
// many seconds. Beyond this size the parameters are refused instead.
constexpr uint64_t kMaxPublishedBytes = 64 * 1024 * 1024;

// A double quote inside a parameter is written twice, so that splitting a starred value into
// arguments gives every parameter back unchanged.
std::string Quoted(const std::string& parameter)
{
    std::string quoted = "\"";
    for (char c : parameter) {
        quoted += c;
        if (c == '"')
            quoted += c;
    }
    return quoted + "\" ";
}

// Standard output carries the command line alone in print mode and nothing in a check, so the
// bytes the scanner rejects go to standard error, or nowhere.
std::function<void(char)> RejectedBytes(const TCommandLine& line)
{
    if (line.Check)
        return [](char) {};
    if (line.Print)
        return [](char byte) { std::fputc(static_cast<unsigned char>(byte), stderr); };
    return {};
}

} // namespace

void PublishParameters(const std::vector<std::string>& args)
{
    // Parameter i stands alone in "i" and quoted, with a blank, in "1*" to "i*".
    uint64_t published = 0;
    for (size_t i = 1; i < args.size(); ++i)
        published += args[i].size() + (args[i].size() + 3) * i;
    if (published > kMaxPublishedBytes) {
        throw Exception("Too many parameters: their variables would take " + std::to_string(published >> 20)
                        + " MB, more than " + std::to_string(kMaxPublishedBytes >> 20) + " MB");
    }

    std::string starred;
    for (size_t i = args.size(); i-- > 1;) {
        starred = Quoted(args[i]) + starred;
        SetEnvironmentVariable(std::to_string(i), args[i]);
        SetEnvironmentVariable(std::to_string(i) + "*", starred);
    }
}

void BuildDialog(TMainForm* form, const std::vector<std::string>& args, std::function<void(char)> echo)
{
    form->FFactory = std::make_unique<TStringFactory>(form, form->RowArea());
    if (echo)
        form->FFactory->SetEcho(std::move(echo));
    form->FFactory->LoadTemplate(args.empty() ? std::string() : args[0]);
    form->ChainTabOrder();
}

int RunStartup(const TCommandLine& line, const TErrorReport& report)
{
    std::string failure;
    try {
        PublishParameters(line.Args);
        TMainForm form;
        form.FPrintOnly = line.Print;
        BuildDialog(&form, line.Args, RejectedBytes(line));
        if (line.Check)
            return 0;
        const int result = form.exec();
        return line.Print && result != QDialog::Accepted ? 1 : 0;
    } catch (const std::bad_alloc&) {
        failure = "Out of memory";
    } catch (const std::exception& e) {
        failure = e.what();
    }
    report(failure);
    return 1;
}

int RunStartup(const std::vector<std::string>& args, const TErrorReport& report)
{
    TCommandLine line;
    line.Args = args;
    return RunStartup(line, report);
}

void ReportToStandardError(const std::string& message)
{
    std::fprintf(stderr, "cmdform: %s\n", message.c_str());
}

void ReportStartupError(const std::string& message)
{
    ReportToStandardError(message);
    QMessageBox box(QMessageBox::Critical, QStringLiteral("cmdform"), QString::fromLocal8Bit(message),
                    QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
