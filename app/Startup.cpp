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
        starred = "\"" + args[i] + "\" " + starred;
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
