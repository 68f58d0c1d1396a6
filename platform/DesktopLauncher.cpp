#include "platform/DesktopLauncher.h"

#include "platform/CommandArguments.h"
#include "platform/DetachedProcess.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string CannotRun(const std::string& program, const std::string& reason)
{
    return "Cannot run \"" + program + "\": " + reason;
}

// Qt works on names decoded from the locale's encoding; a name that does not come back as the
// same bytes could reach a different file, so it is not looked up at all.
std::optional<QString> DecodedName(const std::string& name)
{
    const QString decoded = QFile::decodeName(QByteArray::fromStdString(name));
    if (QFile::encodeName(decoded).toStdString() != name)
        return std::nullopt;
    return decoded;
}

bool IsExecutableFile(const std::string& path)
{
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

std::optional<std::string> FindProgram(const std::string& program)
{
    if (program.find('/') != std::string::npos)
        return IsExecutableFile(program) ? std::optional(program) : std::nullopt;
    const std::optional<QString> name = DecodedName(program);
    if (!name)
        return std::nullopt;
    const QString found = QStandardPaths::findExecutable(*name);
    if (found.isEmpty())
        return std::nullopt;
    return QFile::encodeName(found).toStdString();
}

// An existing file or folder as a file URL, or a text that is a URL with a scheme.
std::optional<QUrl> DocumentUrl(const std::string& program)
{
    struct stat status {};
    if (::stat(program.c_str(), &status) == 0) {
        const std::optional<QString> name = DecodedName(program);
        if (!name)
            return std::nullopt;
        return QUrl::fromLocalFile(QFileInfo(*name).absoluteFilePath());
    }
    const QUrl url(QString::fromLocal8Bit(program.c_str()), QUrl::StrictMode);
    if (url.isValid() && !url.scheme().isEmpty())
        return url;
    return std::nullopt;
}

bool HoldsNulByte(const std::vector<std::string>& arguments)
{
    return std::any_of(arguments.begin(), arguments.end(),
                       [](const std::string& argument) { return argument.find('\0') != std::string::npos; });
}

} // namespace

TDesktopLauncher::TDesktopLauncher(TOpener opener) : FOpener(std::move(opener))
{
    if (!FOpener)
        FOpener = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

std::optional<std::string> TDesktopLauncher::Open(const std::string& programPart, const std::string& parameterPart)
{
    const std::vector<std::string> names = SplitArguments(programPart);
    if (names.empty() || names[0].empty())
        return CannotRun("", "the command line names no program");
    if (names.size() > 1)
        return CannotRun(programPart, "its quotes leave more than one program name");

    std::vector<std::string> arguments = names;
    const std::vector<std::string> parameters = SplitArguments(parameterPart);
    arguments.insert(arguments.end(), parameters.begin(), parameters.end());
    return Start(names[0], arguments);
}

std::optional<std::string> TDesktopLauncher::Start(const std::string& program, const std::vector<std::string>& arguments)
{
    // A NUL byte would silently cut an argument short: the program would get another command.
    if (HoldsNulByte(arguments))
        return CannotRun(program, "the command line holds a NUL byte");
    if (const std::optional<std::string> path = FindProgram(program)) {
        if (const std::optional<std::string> reason = StartDetached(*path, arguments))
            return CannotRun(program, *reason);
        return std::nullopt;
    }
    if (const std::optional<QUrl> url = DocumentUrl(program)) {
        if (FOpener(*url))
            return std::nullopt;
        return CannotRun(program, "it is not a program, and no application to open it could be started");
    }
    return CannotRun(program, std::strerror(ENOENT));
}
