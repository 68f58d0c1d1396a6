/* mapwait: how long a program takes to put its first window on the screen.
 *
 *   mapwait [-t TIMEOUT_MS] [-s SETTLE_MS] -- COMMAND [ARGUMENT ...]
 *   mapwait -w [-t TIMEOUT_MS]
 *
 * Watches the root window of $DISPLAY for SubstructureNotify, starts COMMAND and prints one line
 *
 *   MAP_MS PEAK_RSS_KIB EXEC_MONOTONIC_MS CPU_MS
 *
 * MAP_MS: milliseconds from just before exec to the first MapNotify of a top-level window (a child
 * of the root: the client itself or the frame a reparenting window manager maps for it);
 * PEAK_RSS_KIB: the child's peak resident set once it has been killed, SETTLE_MS (default 300)
 * after the map so that it has painted; EXEC_MONOTONIC_MS: CLOCK_MONOTONIC just before exec, to
 * relate the child's own timeline to it; CPU_MS: the processor time all the child's threads had
 * used when the map arrived (from /proc/PID/task/TID/schedstat), which other load on the machine
 * disturbs far less than MAP_MS.
 *
 * -w waits until a window manager holds the screen's WM_Sn selection and prints nothing.
 *
 * Exit status: 0 measured, 1 the command could not be started or ended before mapping,
 * 2 usage or no display, 3 timeout.
 */
#define _GNU_SOURCE
#include <X11/Xlib.h>

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

static int usage(void)
{
    fprintf(stderr, "usage: mapwait [-t TIMEOUT_MS] [-s SETTLE_MS] -- COMMAND [ARGUMENT ...]\n"
                    "       mapwait -w [-t TIMEOUT_MS]\n");
    return 2;
}

/* Waits up to ms milliseconds for the X connection to become readable; 0 on timeout. */
static int wait_readable(Display* dpy, double ms)
{
    if (XPending(dpy))
        return 1;
    struct pollfd pfd = {.fd = ConnectionNumber(dpy), .events = POLLIN};
    int timeout = ms < 0 ? 0 : (int)ms + 1;
    int ready;
    do
        ready = poll(&pfd, 1, timeout);
    while (ready < 0 && errno == EINTR);
    return ready > 0;
}

static int wait_for_window_manager(Display* dpy, double timeout_ms)
{
    char name[32];
    snprintf(name, sizeof name, "WM_S%d", DefaultScreen(dpy));
    Atom selection = XInternAtom(dpy, name, False);
    double deadline = now_ms() + timeout_ms;
    while (XGetSelectionOwner(dpy, selection) == None) {
        if (now_ms() > deadline) {
            fprintf(stderr, "mapwait: no window manager after %.0f ms\n", timeout_ms);
            return 3;
        }
        usleep(10000);
    }
    return 0;
}

/* The processor time, in ms, that every thread of pid has used so far; -1 when unknown. */
static double cpu_ms(pid_t pid)
{
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/task", (int)pid);
    DIR* tasks = opendir(path);
    if (!tasks)
        return -1;
    double total_ns = 0;
    struct dirent* task;
    while ((task = readdir(tasks))) {
        if (task->d_name[0] == '.')
            continue;
        char stat_path[320];
        snprintf(stat_path, sizeof stat_path, "/proc/%d/task/%s/schedstat", (int)pid, task->d_name);
        FILE* stat = fopen(stat_path, "r");
        double ns = 0;
        if (stat && fscanf(stat, "%lf", &ns) == 1)
            total_ns += ns;
        if (stat)
            fclose(stat);
    }
    closedir(tasks);
    return total_ns / 1e6;
}

static long peak_rss_after_kill(pid_t pid)
{
    struct rusage usage;
    int status;
    kill(pid, SIGKILL);
    while (wait4(pid, &status, 0, &usage) < 0) {
        if (errno != EINTR)
            return -1;
    }
    return usage.ru_maxrss; /* KiB on Linux */
}

int main(int argc, char* argv[])
{
    double timeout_ms = 10000, settle_ms = 300;
    int wm_only = 0, opt;
    while ((opt = getopt(argc, argv, "+t:s:w")) != -1) {
        switch (opt) {
        case 't': timeout_ms = atof(optarg); break;
        case 's': settle_ms = atof(optarg); break;
        case 'w': wm_only = 1; break;
        default: return usage();
        }
    }
    if (wm_only != (optind == argc))
        return usage();

    Display* dpy = XOpenDisplay(NULL);
    if (!dpy) {
        fprintf(stderr, "mapwait: cannot open display %s\n", XDisplayName(NULL));
        return 2;
    }
    if (wm_only)
        return wait_for_window_manager(dpy, timeout_ms);

    Window root = DefaultRootWindow(dpy);
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XSync(dpy, True); /* selected before the child exists; nothing older is counted */

    /* The child sends the clock reading it takes just before exec through this pipe, which exec
     * closes; a failed exec sends its errno after it instead. */
    int report[2];
    if (pipe2(report, O_CLOEXEC) < 0) {
        perror("mapwait: pipe");
        return 1;
    }
    pid_t pid = fork();
    if (pid < 0) {
        perror("mapwait: fork");
        return 1;
    }
    if (pid == 0) {
        close(report[0]);
        close(ConnectionNumber(dpy));
        double exec_ms = now_ms();
        if (write(report[1], &exec_ms, sizeof exec_ms) != sizeof exec_ms)
            _exit(127);
        execvp(argv[optind], argv + optind);
        int error = errno;
        if (write(report[1], &error, sizeof error) != sizeof error)
            _exit(127);
        _exit(127);
    }
    close(report[1]);
    double exec_ms = 0;
    int error = 0;
    ssize_t got = read(report[0], &exec_ms, sizeof exec_ms);
    ssize_t failed = got == sizeof exec_ms ? read(report[0], &error, sizeof error) : 0;
    close(report[0]);
    if (got != sizeof exec_ms || failed > 0) {
        fprintf(stderr, "mapwait: cannot run %s: %s\n", argv[optind], failed > 0 ? strerror(error) : "fork failed");
        peak_rss_after_kill(pid);
        return 1;
    }

    double deadline = exec_ms + timeout_ms;
    for (;;) {
        double left = deadline - now_ms();
        /* Wake up now and then to notice a child that ended without a window. */
        if (!wait_readable(dpy, left < 50 ? left : 50)) {
            int status;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                fprintf(stderr, "mapwait: %s ended before mapping a window\n", argv[optind]);
                return 1;
            }
            if (now_ms() >= deadline) {
                fprintf(stderr, "mapwait: %s mapped no window within %.0f ms\n", argv[optind], timeout_ms);
                peak_rss_after_kill(pid);
                return 3;
            }
            continue;
        }
        XEvent event;
        XNextEvent(dpy, &event);
        if (event.type == MapNotify && event.xmap.event == root) {
            double map_ms = now_ms() - exec_ms;
            double cpu = cpu_ms(pid);
            if (settle_ms > 0)
                usleep((useconds_t)(settle_ms * 1000));
            long rss = peak_rss_after_kill(pid);
            printf("%.3f %ld %.3f %.3f\n", map_ms, rss, exec_ms, cpu);
            return 0;
        }
    }
}
