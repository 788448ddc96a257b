// Start-up, watched from outside: an X client that sees each top-level window
// created on the display, asks the server (DAMAGE extension) to report the
// first drawing into it, and times from starting the program to the first
// drawing into a mapped window; the program needs no hook. After a short
// settling time the program is stopped and its peak resident memory read.
// The program and a baseline take turns, so that both see the same noise.
//
//   bench_startup [--smoke] --runs N --settle MS -- PROGRAM -- BASELINE
//
// Prints Markdown. A smoke run fails on loose bounds; a full run reports.

#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/uio.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

xcb_extension_t damageExtension = { "DAMAGE", 0 };

constexpr uint8_t DamageQueryVersion = 0;
constexpr uint8_t DamageCreate = 1;
constexpr uint8_t DamageReportRawRectangles = 0;
constexpr uint8_t DamageNotify = 0;

struct DamageQueryVersionRequest
{
    uint8_t majorOpcode;
    uint8_t minorOpcode;
    uint16_t length;
    uint32_t clientMajor;
    uint32_t clientMinor;
};

struct DamageCreateRequest
{
    uint8_t majorOpcode;
    uint8_t minorOpcode;
    uint16_t length;
    uint32_t damage;
    uint32_t drawable;
    uint8_t level;
    uint8_t pad[3];
};

struct DamageNotifyEvent
{
    uint8_t responseType;
    uint8_t level;
    uint16_t sequence;
    uint32_t drawable;
    uint32_t damage;
    uint32_t timestamp;
};

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "bench_startup: %s\n", what);
    std::exit(2);
}

template<typename Request>
unsigned sendRequest(xcb_connection_t* connection, Request& request, uint8_t opcode, bool hasReply)
{
    xcb_protocol_request_t protocol = { 2, &damageExtension, opcode, uint8_t(hasReply ? 0 : 1) };
    iovec parts[4] = {};
    parts[2].iov_base = &request;
    parts[2].iov_len = sizeof request;
    parts[3].iov_base = nullptr;
    parts[3].iov_len = -sizeof request & 3;
    return xcb_send_request(connection, hasReply ? XCB_REQUEST_CHECKED : 0, parts + 2, &protocol);
}

struct Measurement
{
    bool painted = false;
    double secondsToPaint = 0;
    double cpuSecondsToPaint = 0; // all threads, on a CPU
    long peakKiB = 0;
    long anonymousKiB = 0; // private memory, after settling
    long fileKiB = 0;      // mapped files (libraries, fonts): shared, clean
};

// CPU time so far of every thread of a process, from the scheduler's
// nanosecond counters.
double cpuSeconds(pid_t pid)
{
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    double total = 0;
    if (DIR* dir = opendir(tasks.c_str())) {
        while (dirent* entry = readdir(dir)) {
            if (entry->d_name[0] == '.')
                continue;
            if (FILE* file = std::fopen((tasks + "/" + entry->d_name + "/schedstat").c_str(), "r")) {
                unsigned long long nanoseconds = 0;
                if (std::fscanf(file, "%llu", &nanoseconds) == 1)
                    total += double(nanoseconds) / 1e9;
                std::fclose(file);
            }
        }
        closedir(dir);
    }
    return total;
}

// A "Name:   value kB" line of /proc/PID/status.
long statusKiB(pid_t pid, const char* name)
{
    long value = 0;
    if (FILE* file = std::fopen(("/proc/" + std::to_string(pid) + "/status").c_str(), "r")) {
        char line[256];
        const size_t length = std::strlen(name);
        while (std::fgets(line, sizeof line, file)) {
            if (std::strncmp(line, name, length) == 0 && line[length] == ':')
                value = std::atol(line + length + 1);
        }
        std::fclose(file);
    }
    return value;
}

class Watcher
{
public:
    Watcher()
    {
        m_connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(m_connection))
            fail("cannot connect to the X server named by DISPLAY");
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;

        const xcb_query_extension_reply_t* damage = xcb_get_extension_data(m_connection, &damageExtension);
        if (!damage || !damage->present)
            fail("the X server has no DAMAGE extension");
        m_damageEvent = damage->first_event + DamageNotify;
        DamageQueryVersionRequest version = { 0, 0, 0, 1, 1 };
        xcb_generic_error_t* error = nullptr;
        free(xcb_wait_for_reply(m_connection, sendRequest(m_connection, version, DamageQueryVersion, true), &error));
        if (error)
            fail("DAMAGE version negotiation failed");

        // Every window created at the top level, and every mapping there.
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    }

    ~Watcher() { xcb_disconnect(m_connection); }

    Measurement run(const std::vector<std::string>& command, int settleMilliseconds, int timeoutSeconds)
    {
        std::vector<char*> argv;
        for (const std::string& word : command)
            argv.push_back(const_cast<char*>(word.c_str()));
        argv.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

        std::map<uint32_t, bool> windows; // top-level window → mapped
        Measurement measurement;
        const auto start = Clock::now();
        pid_t child = 0;
        if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            fail("cannot start the program");
        posix_spawn_file_actions_destroy(&actions);

        const auto deadline = start + std::chrono::seconds(timeoutSeconds);
        while (!measurement.painted && Clock::now() < deadline) {
            pollfd watch = { xcb_get_file_descriptor(m_connection), POLLIN, 0 };
            poll(&watch, 1, 50);
            while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
                const uint8_t type = event->response_type & 0x7f;
                if (type == XCB_CREATE_NOTIFY) {
                    const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
                    if (created->parent == m_root) {
                        // Watch it before anything can be drawn into it: the
                        // program draws only after mapping and exposure.
                        windows[created->window] = false;
                        DamageCreateRequest request = { 0, 0, 0, xcb_generate_id(m_connection), created->window,
                                                        DamageReportRawRectangles, {} };
                        sendRequest(m_connection, request, DamageCreate, false);
                        xcb_flush(m_connection);
                    }
                } else if (type == XCB_MAP_NOTIFY) {
                    const auto* mapped = reinterpret_cast<xcb_map_notify_event_t*>(event);
                    if (windows.count(mapped->window))
                        windows[mapped->window] = true;
                } else if (type == m_damageEvent) {
                    const auto* damaged = reinterpret_cast<DamageNotifyEvent*>(event);
                    const auto it = windows.find(damaged->drawable);
                    if (it != windows.end() && it->second && !measurement.painted) {
                        measurement.painted = true;
                        measurement.secondsToPaint = std::chrono::duration<double>(Clock::now() - start).count();
                        measurement.cpuSecondsToPaint = cpuSeconds(child);
                    }
                }
                // Errors (a window gone before it could be watched) are ignored.
                free(event);
            }
            if (xcb_connection_has_error(m_connection))
                fail("lost the X server");
            int status = 0;
            if (waitpid(child, &status, WNOHANG) == child)
                fail("the program ended before it drew its window");
        }

        // Let start-up finish what it does after the first drawing, then
        // read the peak.
        usleep(useconds_t(settleMilliseconds) * 1000);
        measurement.anonymousKiB = statusKiB(child, "RssAnon");
        measurement.fileKiB = statusKiB(child, "RssFile");
        kill(child, SIGTERM);
        int status = 0;
        rusage usage = {};
        while (wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
        }
        measurement.peakKiB = usage.ru_maxrss;
        // Drain what the program's end left in the queue.
        free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection))
            free(event);
        return measurement;
    }

private:
    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = 0;
    uint8_t m_damageEvent = 0;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Series
{
    std::string name;
    std::vector<std::string> command;
    std::vector<double> seconds;
    std::vector<double> cpuSeconds;
    std::vector<double> peakMiB;
    std::vector<double> anonymousMiB;
    std::vector<double> fileMiB;
};

} // namespace

int main(int argc, char** argv)
{
    bool smoke = false;
    int runs = 10;
    int settle = 500;
    std::vector<std::vector<std::string>> commands(1);
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (commands.size() == 1 && commands[0].empty() && word == "--smoke")
            smoke = true;
        else if (commands.size() == 1 && commands[0].empty() && word == "--runs" && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else if (commands.size() == 1 && commands[0].empty() && word == "--settle" && i + 1 < argc)
            settle = std::atoi(argv[++i]);
        else if (word == "--")
            commands.emplace_back();
        else
            commands.back().push_back(word);
    }
    commands.erase(commands.begin());
    if (commands.size() != 2 || commands[0].empty() || commands[1].empty() || runs < 1)
        fail("usage: bench_startup [--smoke] [--runs N] [--settle MS] -- PROGRAM... -- BASELINE...");

    Series series[2] = { { "shiputong", commands[0], {}, {}, {}, {}, {} },
                         { "baseline window", commands[1], {}, {}, {}, {}, {} } };
    Watcher watcher;
    // One unrecorded run each first: files come into the page cache.
    for (Series& s : series) {
        if (!watcher.run(s.command, 0, 60).painted)
            fail("no drawing seen in the warm-up run");
    }
    for (int r = 0; r < runs; ++r) {
        // Alternate which goes first, so that neither always follows the other.
        for (int k = 0; k < 2; ++k) {
            Series& s = series[(r + k) % 2];
            const Measurement m = watcher.run(s.command, settle, 60);
            if (!m.painted)
                fail("no drawing seen within a minute");
            s.seconds.push_back(m.secondsToPaint);
            s.cpuSeconds.push_back(m.cpuSecondsToPaint);
            s.peakMiB.push_back(double(m.peakKiB) / 1024);
            s.anonymousMiB.push_back(double(m.anonymousKiB) / 1024);
            s.fileMiB.push_back(double(m.fileKiB) / 1024);
        }
    }

    const double timeGoal = smoke ? 3.0 : 1.3;
    const double memoryGoal = smoke ? 3.0 : 1.3;
    std::printf("\n### Start-up to the first drawing of the window\n\n"
                "From starting the process to the X server's first report (DAMAGE) of drawing into a "
                "mapped top-level window of it, watched from outside, and the CPU time its threads had "
                "used by then; then, %d ms later, its private and file-mapped resident memory are read, "
                "the process is stopped and its peak resident memory read. The baseline is a bare Qt Widgets window "
                "of the same size with one label (bench/baseline_window.cpp). The two take turns, %d "
                "runs each after one unrecorded run each. Goal: median time and median peak memory "
                "each at most %.1f× the baseline's.\n\n",
                settle, runs, timeGoal);
    std::printf("| program | median to first drawing | fastest | slowest | CPU time to first drawing | "
                "median peak memory | of it private | of it mapped files |\n"
                "| --- | --- | --- | --- | --- | --- | --- | --- |\n");
    for (const Series& s : series) {
        std::printf("| %s | %.1f ms | %.1f ms | %.1f ms | %.1f ms | %.1f MiB | %.1f MiB | %.1f MiB |\n", s.name.c_str(),
                    median(s.seconds) * 1e3, *std::min_element(s.seconds.begin(), s.seconds.end()) * 1e3,
                    *std::max_element(s.seconds.begin(), s.seconds.end()) * 1e3, median(s.cpuSeconds) * 1e3,
                    median(s.peakMiB), median(s.anonymousMiB), median(s.fileMiB));
    }
    const double timeRatio = median(series[0].seconds) / median(series[1].seconds);
    const double memoryRatio = median(series[0].peakMiB) / median(series[1].peakMiB);
    const bool timeMet = timeRatio <= timeGoal;
    const bool memoryMet = memoryRatio <= memoryGoal;
    std::printf("\n| ratio to the baseline | value | goal | verdict |\n| --- | --- | --- | --- |\n");
    std::printf("| time to first drawing | %.2f× | ≤ %.1f× | %s |\n", timeRatio, timeGoal,
                timeMet ? "met" : "**MISSED**");
    std::printf("| peak resident memory | %.2f× | ≤ %.1f× | %s |\n", memoryRatio, memoryGoal,
                memoryMet ? "met" : "**MISSED**");
    std::printf("\nGoals in this part: %d met, %d missed.\n", int(timeMet) + int(memoryMet),
                2 - int(timeMet) - int(memoryMet));
    return smoke && !(timeMet && memoryMet) ? 1 : 0;
}
