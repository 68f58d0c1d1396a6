#pragma once
// TDesktopLauncher: the Linux launcher; runs programs without a shell, hands documents to the desktop.

#include "platform/Launcher.h"

#include <functional>
#include <vector>

class QUrl;

class TDesktopLauncher : public TLauncher {
public:
    /// Opens a document, folder or URL with its default application; false when none could be started.
    using TOpener = std::function<bool(const QUrl& url)>;

    /// Without an opener, documents go to QDesktopServices::openUrl (xdg-open).
    explicit TDesktopLauncher(TOpener opener = {});

    /// Both parts become arguments by SplitArguments; the program part must give exactly one, the
    /// program. A name with "/" is a path, any other is looked up in PATH; an executable regular
    /// file is started detached with the parameters. Otherwise an existing file or folder, or a
    /// URL with a scheme, goes to the opener without the parameters.
    std::optional<std::string> Open(const std::string& programPart, const std::string& parameterPart) override;

private:
    std::optional<std::string> Start(const std::string& program, const std::vector<std::string>& arguments);

    TOpener FOpener;
};
