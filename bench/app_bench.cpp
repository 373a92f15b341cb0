// Start-up and idle cost of the whole program, beside a minimal Qt 6 window measured in the
// same run. The program runs as program_probe (app/main.cpp plus a probe that prints when the
// first window paints), offscreen unless QT_QPA_PLATFORM says otherwise, with its app folder in
// a fresh temporary folder.
//
//   start-up:  from spawning the process to its first window painted, and resident memory
//              1.5 s later; program and minimal window alternate run by run.
//   idle:      CPU (schedstat) and wake-ups (voluntary + involuntary context switches) of all
//              threads per second over a stretch of idling, not connected and connected to the processor
//              emulator on loopback; the threads that wake most are listed.
//
// usage: app_bench [--runs N] [--idle-seconds S] [--emulator-ip 127.0.0.x] [--no-idle]
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

double NowMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

struct Stats {
    double min = 0, median = 0;
};

Stats Summarise(std::vector<double> v)
{
    Stats s;
    if (v.empty()) return s;
    std::sort(v.begin(), v.end());
    s.min = v.front();
    s.median = v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
    return s;
}

// A child process with its standard input and output on pipes.
struct Child {
    pid_t pid = -1;
    int in = -1;   // our end of its standard input
    int out = -1;  // our end of its standard output
    std::string buffered;

    bool Spawn(const std::string& path, const std::vector<std::string>& args, const std::vector<std::string>& env)
    {
        int inPipe[2], outPipe[2];
        if (pipe2(inPipe, O_CLOEXEC) != 0 || pipe2(outPipe, O_CLOEXEC) != 0) return false;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, inPipe[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
        std::vector<char*> argv{const_cast<char*>(path.c_str())};
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
        envp.push_back(nullptr);
        const int rc = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        ::close(inPipe[0]);
        ::close(outPipe[1]);
        in = inPipe[1];
        out = outPipe[0];
        if (rc != 0) pid = -1;
        return rc == 0;
    }
    // The next line of its output, or empty when none comes within ms.
    std::string ReadLine(double ms)
    {
        const double end = NowMs() + ms;
        for (;;) {
            const auto nl = buffered.find('\n');
            if (nl != std::string::npos) {
                std::string line = buffered.substr(0, nl);
                buffered.erase(0, nl + 1);
                return line;
            }
            const double left = end - NowMs();
            if (left <= 0) return {};
            pollfd p{out, POLLIN, 0};
            if (poll(&p, 1, static_cast<int>(left) + 1) <= 0) continue;
            char chunk[512];
            const ssize_t got = ::read(out, chunk, sizeof chunk);
            if (got <= 0) return {};
            buffered.append(chunk, static_cast<size_t>(got));
        }
    }
    // Waits ms while draining its output (nothing else wakes us meanwhile).
    void Idle(double ms)
    {
        const double end = NowMs() + ms;
        while (NowMs() < end) {
            pollfd p{out, POLLIN, 0};
            if (poll(&p, 1, static_cast<int>(end - NowMs()) + 1) > 0) {
                char chunk[512];
                if (::read(out, chunk, sizeof chunk) <= 0) p.fd = -1;
            }
        }
    }
    // Closes its standard input (the probes end on that), then SIGTERM if it lingers.
    int Finish(bool terminate = false)
    {
        if (pid < 0) return -1;
        if (terminate) ::kill(pid, SIGTERM);
        ::close(in);
        int status = 0;
        for (int waited = 0; waited < 100; ++waited) {
            if (waitpid(pid, &status, WNOHANG) == pid) break;
            pollfd p{out, POLLIN, 0};
            if (poll(&p, 1, 100) > 0) {
                char chunk[512];
                (void)::read(out, chunk, sizeof chunk);
            }
            if (waited == 50) ::kill(pid, SIGKILL);
        }
        ::close(out);
        pid = -1;
        return status;
    }
};

std::vector<std::string> ChildEnvironment(const std::string& appDir)
{
    std::vector<std::string> env;
    bool platformSet = false;
    for (char** e = environ; *e; ++e) {
        if (!std::strncmp(*e, "SVP_APP_DIR=", 12)) continue;
        if (!std::strncmp(*e, "QT_QPA_PLATFORM=", 16)) platformSet = true;
        env.emplace_back(*e);
    }
    if (!platformSet) env.emplace_back("QT_QPA_PLATFORM=offscreen");
    env.push_back("SVP_APP_DIR=" + appDir);
    return env;
}

std::string MakeAppDir(const fs::path& buildDir)
{
    char pattern[] = "/tmp/svp-app-bench-XXXXXX";
    const char* dir = mkdtemp(pattern);
    if (!dir) return {};
    std::error_code ec;
    const fs::path languages = buildDir / "app" / "Language";
    if (fs::exists(languages)) fs::copy(languages, fs::path(dir) / "Language", fs::copy_options::recursive, ec);
    return std::string(dir) + "/";
}

long ResidentKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> value;
            return value;
        }
        std::string rest;
        std::getline(status, rest);
    }
    return 0;
}

// The system call a thread sleeps in, by number (x86-64), for telling threads apart.
std::string WaitingIn(const std::string& taskDir)
{
    std::ifstream f(taskDir + "/syscall");
    std::string number;
    f >> number;
    static const std::map<std::string, std::string> names{
        {"0", "read"},   {"7", "poll"},           {"23", "select"},       {"35", "nanosleep"},  {"202", "futex"},
        {"230", "clock_nanosleep"}, {"232", "epoll_wait"}, {"270", "pselect6"}, {"271", "ppoll"}, {"281", "epoll_pwait"}};
    const auto it = names.find(number);
    return it != names.end() ? it->second : "syscall " + number;
}

struct ThreadSample {
    std::string name;
    double cpuNs = 0;  // from schedstat: finer than the ticks
    double switches = 0;
};

std::map<std::string, ThreadSample> SampleThreads(pid_t pid)
{
    std::map<std::string, ThreadSample> out;
    const std::string taskDir = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(taskDir.c_str());
    if (!dir) return out;
    while (dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.') continue;
        const std::string base = taskDir + "/" + entry->d_name;
        ThreadSample s;
        std::ifstream comm(base + "/comm");
        std::getline(comm, s.name);
        s.name = (std::to_string(pid) == entry->d_name ? "UI thread" : "thread " + std::string(entry->d_name)) + " (" +
                 s.name + ", waits in " + WaitingIn(base) + ")";
        std::ifstream schedstat(base + "/schedstat");
        schedstat >> s.cpuNs;
        std::ifstream status(base + "/status");
        std::string line;
        while (std::getline(status, line))
            if (!line.rfind("voluntary_ctxt_switches:", 0) || !line.rfind("nonvoluntary_ctxt_switches:", 0))
                s.switches += std::atof(line.substr(line.find(':') + 1).c_str());
        out[entry->d_name] = s;
    }
    closedir(dir);
    return out;
}

struct IdleFigures {
    double cpuPercent = 0;
    double wakeups = 0;
    std::vector<std::pair<double, std::string>> byThread;  // wake-ups/s, thread name and CPU
};

IdleFigures MeasureIdle(Child& child, double seconds)
{
    const auto before = SampleThreads(child.pid);
    const double start = NowMs();
    child.Idle(seconds * 1000);
    const auto after = SampleThreads(child.pid);
    const double elapsed = (NowMs() - start) / 1000;
    IdleFigures f;
    for (const auto& [tid, s] : after) {
        const auto it = before.find(tid);
        const double cpuNs = s.cpuNs - (it == before.end() ? 0 : it->second.cpuNs);
        const double sw = s.switches - (it == before.end() ? 0 : it->second.switches);
        f.cpuPercent += cpuNs / 1e9 / elapsed * 100;
        f.wakeups += sw / elapsed;
        char cpu[48];
        std::snprintf(cpu, sizeof cpu, ", CPU %.4f %%", cpuNs / 1e9 / elapsed * 100);
        f.byThread.emplace_back(sw / elapsed, s.name + cpu);
    }
    std::sort(f.byThread.rbegin(), f.byThread.rend());
    return f;
}

bool ConnectionTo(int port)
{
    std::ifstream tcp("/proc/net/tcp");
    std::string line;
    char wanted[8];
    std::snprintf(wanted, sizeof wanted, "%04X", port);
    std::getline(tcp, line);
    while (std::getline(tcp, line)) {
        std::istringstream f(line);
        std::string slot, local, remote, state;
        f >> slot >> local >> remote >> state;
        if (state == "01" && remote.size() > 5 && remote.substr(remote.size() - 4) == wanted) return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    int runs = 5;
    double idleSeconds = 20;
    bool idle = true;
    std::string emulatorIp = "127.0.0.1";
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--runs") && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--idle-seconds") && i + 1 < argc) idleSeconds = std::max(1.0, std::atof(argv[++i]));
        else if (!std::strcmp(argv[i], "--emulator-ip") && i + 1 < argc) emulatorIp = argv[++i];
        else if (!std::strcmp(argv[i], "--no-idle")) idle = false;
    }
    if (emulatorIp.rfind("127.", 0) != 0) {
        std::fprintf(stderr, "app_bench: the emulator runs on loopback only (127.x.x.x)\n");
        return 2;
    }
    const fs::path benchDir = fs::canonical("/proc/self/exe").parent_path();
    const fs::path buildDir = benchDir.parent_path();
    const std::string program = (benchDir / "program_probe").string();
    const std::string minimal = (benchDir / "minimal_window_probe").string();
    const std::string emulator = (buildDir / "tools" / "emulator" / "processor-emulator").string();

    std::printf("app_bench: %d runs; min and median over runs\n\n", runs);
    std::vector<double> startProgram, startMinimal, rssProgram, rssMinimal, cpuProgram, cpuMinimal;
    for (int r = 0; r < runs; ++r) {
        for (int which = 0; which < 2; ++which) {
            const std::string appDir = MakeAppDir(buildDir);
            Child child;
            const double spawned = NowMs();
            if (!child.Spawn(which == 0 ? program : minimal, {}, ChildEnvironment(appDir))) {
                std::fprintf(stderr, "cannot start %s\n", which == 0 ? program.c_str() : minimal.c_str());
                return 1;
            }
            const std::string line = child.ReadLine(30000);
            if (line.rfind("shown ", 0) != 0) {
                std::fprintf(stderr, "no window shown (%s)\n", line.c_str());
                child.Finish(true);
                return 1;
            }
            double shown = 0, cpu = 0;
            std::sscanf(line.c_str() + 6, "%lf %lf", &shown, &cpu);
            shown /= 1e6;
            // The CPU time (all threads) holds on a busy machine, where the wall time does not.
            (which == 0 ? cpuProgram : cpuMinimal).push_back(cpu / 1e6);
            child.Idle(1500);
            (which == 0 ? startProgram : startMinimal).push_back(shown - spawned);
            (which == 0 ? rssProgram : rssMinimal).push_back(static_cast<double>(ResidentKb(child.pid)) / 1024);
            child.Finish();
            std::error_code ec;
            fs::remove_all(appDir, ec);
        }
    }
    const Stats sp = Summarise(startProgram), sm = Summarise(startMinimal);
    const Stats mp = Summarise(rssProgram), mm = Summarise(rssMinimal);
    const Stats cp = Summarise(cpuProgram), cm = Summarise(cpuMinimal);
    std::printf("start-up to first window painted   program %7.1f / %7.1f ms   minimal window %6.1f / %6.1f ms   ratio %.2f (medians)\n",
                sp.min, sp.median, sm.min, sm.median, sp.median / sm.median);
    std::printf("CPU time until first window        program %7.1f / %7.1f ms   minimal window %6.1f / %6.1f ms   ratio %.2f (medians)\n",
                cp.min, cp.median, cm.min, cm.median, cp.median / cm.median);
    std::printf("resident memory 1.5 s after        program %7.1f / %7.1f MB   minimal window %6.1f / %6.1f MB   ratio %.2f (medians)\n",
                mp.min, mp.median, mm.min, mm.median, mp.median / mm.median);
    if (!idle) return 0;

    // Idle: not connected, then connected to the emulator.
    Child emu;
    bool emulatorUp = false;
    if (fs::exists(emulator) &&
        emu.Spawn(emulator, {"--ip", emulatorIp, "--port", "61213", "--udp-port", "61213"}, ChildEnvironment("/tmp/"))) {
        emulatorUp = emu.ReadLine(10000).rfind("address", 0) == 0;
    }
    if (!emulatorUp) std::fprintf(stderr, "processor emulator did not start on %s:61213; connected figures left out\n", emulatorIp.c_str());

    for (int connected = 0; connected < (emulatorUp ? 2 : 1); ++connected) {
        std::vector<double> cpu, wakeups;
        std::vector<IdleFigures> all;
        bool linked = true;
        for (int r = 0; r < std::max(1, (runs + 1) / 2); ++r) {
            const std::string appDir = MakeAppDir(buildDir);
            Child child;
            std::vector<std::string> args;
            if (connected) args = {"--connect", emulatorIp};
            child.Spawn(program, args, ChildEnvironment(appDir));
            if (child.ReadLine(30000).rfind("shown ", 0) != 0) {
                std::fprintf(stderr, "no window shown\n");
                child.Finish(true);
                return 1;
            }
            child.Idle(3000);  // let start-up (and the connection) settle
            if (connected) linked = linked && ConnectionTo(61213);
            all.push_back(MeasureIdle(child, idleSeconds));
            cpu.push_back(all.back().cpuPercent);
            wakeups.push_back(all.back().wakeups);
            child.Finish();
            std::error_code ec;
            fs::remove_all(appDir, ec);
        }
        const Stats c = Summarise(cpu), w = Summarise(wakeups);
        std::printf("\nidle %s, %.0f s:  CPU %.4f / %.4f %%   wake-ups %.1f / %.1f per s%s\n",
                    connected ? "connected to the emulator" : "not connected", idleSeconds, c.min, c.median, w.min,
                    w.median, connected && !linked ? "  (NO TCP CONNECTION SEEN)" : "");
        // The threads of the run with the median wake-ups.
        const auto median = std::min_element(all.begin(), all.end(), [&](const auto& a, const auto& b) {
            return std::abs(a.wakeups - w.median) < std::abs(b.wakeups - w.median);
        });
        for (const auto& [rate, name] : median->byThread)
            if (rate >= 0.05) std::printf("    %6.1f wake-ups/s  %s\n", rate, name.c_str());
    }
    if (emulatorUp) emu.Finish(true);
    return 0;
}
