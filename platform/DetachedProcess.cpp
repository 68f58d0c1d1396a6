#include "platform/DetachedProcess.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <linux/close_range.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// What the children need, prepared before fork: after it only async-signal-safe calls are allowed.
struct TExecution {
    const char* Path;
    std::vector<char*> Argv;
    int HighestDescriptor;
    int ErrorPipe; // write end; the exec closes it, a failure writes errno to it
};

[[noreturn]] void FailIn(const TExecution& execution)
{
    const int error = errno;
    [[maybe_unused]] ssize_t written = ::write(execution.ErrorPipe, &error, sizeof error);
    ::_exit(127);
}

void CloseOtherDescriptorsOnExec(const TExecution& execution)
{
    if (::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC) == 0)
        return;
    for (int fd = 3; fd <= execution.HighestDescriptor; ++fd) {
        const int flags = ::fcntl(fd, F_GETFD);
        if (flags >= 0)
            ::fcntl(fd, F_SETFD, flags | FD_CLOEXEC);
    }
}

[[noreturn]] void ExecuteInGrandchild(const TExecution& execution)
{
    ::setsid(); // leaves cmdform's session: Ctrl+C on cmdform's terminal no longer reaches it
    const pid_t grandchild = ::fork();
    if (grandchild < 0)
        FailIn(execution);
    if (grandchild > 0)
        ::_exit(0);

    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    CloseOtherDescriptorsOnExec(execution);
    ::execve(execution.Path, execution.Argv.data(), environ);
    FailIn(execution);
}

std::string ErrorText(int error) { return std::strerror(error); }

int HighestDescriptor()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur > 1 << 20)
        return 1 << 20;
    return static_cast<int>(limit.rlim_cur) - 1;
}

// The exec's outcome: end of file when it succeeded, since the pipe closes on exec.
int ReadChildError(int fd)
{
    int error = 0;
    ssize_t got;
    do
        got = ::read(fd, &error, sizeof error);
    while (got < 0 && errno == EINTR);
    return got == static_cast<ssize_t>(sizeof error) ? error : 0;
}

} // namespace

std::optional<std::string> StartDetached(const std::string& path, const std::vector<std::string>& arguments)
{
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0)
        return ErrorText(errno);
    TExecution execution{path.c_str(), {}, HighestDescriptor(), pipe[1]};
    for (const std::string& argument : arguments)
        execution.Argv.push_back(const_cast<char*>(argument.c_str()));
    execution.Argv.push_back(nullptr);

    const pid_t child = ::fork();
    if (child == 0)
        ExecuteInGrandchild(execution);
    const int forkError = errno;
    ::close(pipe[1]);
    if (child < 0) {
        ::close(pipe[0]);
        return ErrorText(forkError);
    }
    // The child only forks and exits, so this wait is short and leaves no zombie behind.
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
    const int error = ReadChildError(pipe[0]);
    ::close(pipe[0]);
    if (error != 0)
        return ErrorText(error);
    return std::nullopt;
}
