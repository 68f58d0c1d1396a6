#include "app/Startup.h"

#include "app/MainUnit.h"
#include "platform/Environment.h"
#include "template/StringFactory.h"

#include <QMessageBox>

#include <cstdio>
#include <memory>
#include <new>

namespace {

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

} // namespace

void PublishParameters(const std::vector<std::string>& args)
{
    std::string starred;
    for (size_t i = args.size(); i-- > 1;) {
        starred = Quoted(args[i]) + starred;
        SetEnvironmentVariable(std::to_string(i), args[i]);
        SetEnvironmentVariable(std::to_string(i) + "*", starred);
    }
}

void BuildDialog(TMainForm* form, const std::vector<std::string>& args)
{
    form->FFactory = std::make_unique<TStringFactory>(form, form->RowArea());
    form->FFactory->LoadTemplate(args.empty() ? std::string() : args[0]);
    form->ChainTabOrder();
}

int RunStartup(const std::vector<std::string>& args, const TErrorReport& report)
{
    std::string failure;
    try {
        PublishParameters(args);
        TMainForm form;
        BuildDialog(&form, args);
        form.exec();
        return 0;
    } catch (const std::bad_alloc&) {
        failure = "Out of memory";
    } catch (const std::exception& e) {
        failure = e.what();
    }
    report(failure);
    return 1;
}

void ReportStartupError(const std::string& message)
{
    std::fprintf(stderr, "cmdform: %s\n", message.c_str());
    QMessageBox box(QMessageBox::Critical, QStringLiteral("cmdform"), QString::fromLocal8Bit(message),
                    QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
