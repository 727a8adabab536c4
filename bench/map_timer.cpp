// Starts a program on the X display named by DISPLAY and reports, one "name value" pair a line:
//   startup_us    from fork to the MapNotify of the program's first top-level window
//   startup_cpu_us CPU time of the program's threads by then; less disturbed by other load than the clock
//   peak_rss_kb   the program's VmHWM one second after that map
//   idle_cpu_us   CPU time of all its threads over the following idle period (--idle seconds)
//   idle_wakeups  context switches of all its threads over that period; a running timer shows here
// The root window's SubstructureNotify is selected before the fork, so the map cannot be missed and
// the wait is on the X connection, not a polling loop. Without a window manager a top-level window
// is a child of the root; it is recognised as the program's by _NET_WM_PID.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <signal.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

long WindowPid(Display *display, Window window)
{
    const Atom netWmPid = XInternAtom(display, "_NET_WM_PID", False);
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char *data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display, window, netWmPid, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after, &data) == Success
        && data && format == 32 && items == 1)
        pid = static_cast<long>(*reinterpret_cast<unsigned long *>(data));
    if (data)
        XFree(data);
    return pid;
}

long StatusField(pid_t pid, const char *name)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    const std::size_t length = std::strlen(name);
    while (std::getline(status, line))
        if (line.compare(0, length, name) == 0 && line.size() > length && line[length] == ':')
            return std::strtol(line.c_str() + length + 1, nullptr, 10);
    return -1;
}

struct CpuUse {
    long long runNs = 0;     // sum of the threads' on-CPU time (schedstat, nanoseconds)
    long long switches = 0;  // sum of the threads' voluntary and involuntary context switches
};

CpuUse ReadCpuUse(pid_t pid)
{
    CpuUse use;
    const std::string taskDir = "/proc/" + std::to_string(pid) + "/task";
    DIR *dir = opendir(taskDir.c_str());
    if (!dir)
        return use;
    while (const dirent *entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        const std::string task = taskDir + "/" + entry->d_name;
        std::ifstream schedstat(task + "/schedstat");
        long long run = 0;
        if (schedstat >> run)
            use.runNs += run;
        std::ifstream status(task + "/status");
        std::string line;
        while (std::getline(status, line))
            if (line.rfind("voluntary_ctxt_switches:", 0) == 0 || line.rfind("nonvoluntary_ctxt_switches:", 0) == 0)
                use.switches += std::strtoll(line.c_str() + line.find(':') + 1, nullptr, 10);
    }
    closedir(dir);
    return use;
}

int Usage()
{
    std::fputs("usage: map_timer [--idle SECONDS] [--timeout SECONDS] -- PROGRAM [ARGUMENTS...]\n", stderr);
    return 2;
}

void Stop(pid_t child)
{
    kill(child, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (waitpid(child, nullptr, WNOHANG) == child)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

} // namespace

int main(int argc, char *argv[])
{
    double idleSeconds = 0;
    double timeoutSeconds = 30;
    int first = 1;
    for (; first < argc; ++first) {
        const std::string argument = argv[first];
        if (argument == "--") {
            ++first;
            break;
        }
        if (argument == "--idle" && first + 1 < argc)
            idleSeconds = std::atof(argv[++first]);
        else if (argument == "--timeout" && first + 1 < argc)
            timeoutSeconds = std::atof(argv[++first]);
        else
            return Usage();
    }
    if (first >= argc)
        return Usage();

    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fputs("map_timer: cannot open the display named by DISPLAY\n", stderr);
        return 1;
    }
    fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("map_timer: fork");
        return 1;
    }
    if (child == 0) {
        execvp(argv[first], argv + first);
        std::perror("map_timer: exec");
        _exit(127);
    }

    Clock::time_point mapped;
    CpuUse mappedCpu;
    bool found = false;
    const Clock::time_point deadline = start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(timeoutSeconds));
    while (!found) {
        while (!found && XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != MapNotify || event.xmap.event != root)
                continue;
            const Clock::time_point now = Clock::now();
            if (WindowPid(display, event.xmap.window) == child) {
                mapped = now;
                mappedCpu = ReadCpuUse(child);
                found = true;
            }
        }
        if (found)
            break;
        if (waitpid(child, nullptr, WNOHANG) == child) {
            std::fputs("map_timer: the program ended before it mapped a window\n", stderr);
            return 1;
        }
        if (Clock::now() > deadline) {
            std::fputs("map_timer: no window mapped before the timeout\n", stderr);
            Stop(child);
            return 1;
        }
        // Wakes on the next X event; the timeout only notices a program that died without a window.
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, 100);
    }
    std::printf("startup_us %lld\n", static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(mapped - start).count()));
    std::printf("startup_cpu_us %lld\n", mappedCpu.runNs / 1000);
    std::fflush(stdout);

    std::this_thread::sleep_until(mapped + std::chrono::seconds(1));
    std::printf("peak_rss_kb %ld\n", StatusField(child, "VmHWM"));
    std::printf("rss_kb %ld\n", StatusField(child, "VmRSS"));
    std::fflush(stdout);

    if (idleSeconds > 0) {
        const CpuUse before = ReadCpuUse(child);
        const Clock::time_point idleStart = Clock::now();
        std::this_thread::sleep_for(std::chrono::duration<double>(idleSeconds));
        const CpuUse after = ReadCpuUse(child);
        const double elapsed = std::chrono::duration<double>(Clock::now() - idleStart).count();
        std::printf("idle_seconds %.3f\n", elapsed);
        std::printf("idle_cpu_us %lld\n", (after.runNs - before.runNs) / 1000);
        std::printf("idle_wakeups %lld\n", after.switches - before.switches);
        std::printf("threads %ld\n", StatusField(child, "Threads"));
    }

    Stop(child);
    XCloseDisplay(display);
    return 0;
}
