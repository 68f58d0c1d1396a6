#include "platform/FileReader.h"

#include "platform/Exceptions.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string AbsolutePath(const std::string& path)
{
    if (path.empty())
        return path;
    std::error_code ignored;
    std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
    return absolute.empty() ? path : absolute.lexically_normal().string();
}

[[noreturn]] void ThrowOpenError(const std::string& path, int error)
{
    throw EFOpenError("Cannot open file \"" + AbsolutePath(path) + "\". " + std::strerror(error));
}

// Reads until the end of the data, or until the text holds one of the stop bytes.
std::string ReadFile(const std::string& path, std::string_view stopBytes)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        ThrowOpenError(path, errno);

    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        ThrowOpenError(path, EISDIR);
    }

    std::string text;
    if (S_ISREG(info.st_mode) && info.st_size > 0)
        text.reserve(static_cast<size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            int error = errno;
            ::close(fd);
            ThrowOpenError(path, error);
        }
        const size_t start = text.size();
        text.append(buffer, static_cast<size_t>(got));
        if (size_t stop = text.find_first_of(stopBytes, start); stop != std::string::npos) {
            text.resize(stop + 1);
            break;
        }
    }
    ::close(fd);
    return text;
}

} // namespace

std::string ReadFirstLine(const std::string& path)
{
    return ReadFile(path, std::string_view("\r\n\0", 3));
}
