// Start of the program to its main window shown, against a bare Qt main window, each measured in
// a process of its own (startup_probe), the two alternating, a number of times; prints every
// run, then the medians and the ratios of time and resident memory. Last, the first opening of
// each child window in a freshly started program, the median of as many starts.
//
//   startup_bench [runs]      (default 15; QT_QPA_PLATFORM is set to offscreen unless set)

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Sample {
    double ms = 0;
    double rssMb = 0;
};

long long monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1'000'000'000LL + ts.tv_nsec;
}

std::string probePath(const char* self)
{
    std::string dir(self);
    const auto slash = dir.rfind('/');
    dir = slash == std::string::npos ? std::string(".") : dir.substr(0, slash);
    return dir + "/startup_probe";
}

// Runs the probe with the arguments and returns what it printed, or nothing when it failed.
bool runProbe(const std::string& probe, std::vector<std::string> arguments, std::string& text)
{
    int fds[2];
    if (pipe(fds) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    // The platform plugin's notes on stderr would drown the table; a failed start is reported below.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    arguments.insert(arguments.begin(), probe);
    arguments.push_back("--since");
    arguments.push_back(std::to_string(monotonicNs()));
    std::vector<char*> args;
    for (std::string& a : arguments)
        args.push_back(a.data());
    args.push_back(nullptr);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, probe.c_str(), &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
        close(fds[0]);
        return false;
    }
    char buf[256];
    ssize_t n = 0;
    while ((n = read(fds[0], buf, sizeof buf)) > 0)
        text.append(buf, static_cast<std::size_t>(n));
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool runProbe(const std::string& probe, const char* mode, Sample& out)
{
    std::string text;
    long long us = 0;
    long kb = 0;
    if (!runProbe(probe, {mode}, text) || std::sscanf(text.c_str(), "%lld %ld", &us, &kb) != 2)
        return false;
    out.ms = static_cast<double>(us) / 1000.0;
    out.rssMb = static_cast<double>(kb) / 1024.0;
    return true;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main(int argc, char* argv[])
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const std::string probe = probePath(argv[0]);

    // One start of each first, not counted: the files come into the page cache.
    Sample warm;
    if (!runProbe(probe, "--program", warm) || !runProbe(probe, "--bare", warm)) {
        std::fprintf(stderr, "startup_bench: %s did not report a start; run it with --program by hand to see why\n",
                     probe.c_str());
        return 1;
    }

    std::vector<double> programMs, bareMs, programMb, bareMb;
    std::printf("run  program ms   bare ms   program MB   bare MB\n");
    for (int i = 0; i < runs; ++i) {
        Sample p, b;
        // Alternate which of the two starts first.
        const bool programFirst = i % 2 == 0;
        const bool ok = programFirst ? runProbe(probe, "--program", p) && runProbe(probe, "--bare", b)
                                     : runProbe(probe, "--bare", b) && runProbe(probe, "--program", p);
        if (!ok) {
            std::fprintf(stderr, "startup_bench: a start of %s failed\n", probe.c_str());
            return 1;
        }
        programMs.push_back(p.ms);
        bareMs.push_back(b.ms);
        programMb.push_back(p.rssMb);
        bareMb.push_back(b.rssMb);
        std::printf("%3d  %10.1f  %8.1f  %11.1f  %8.1f\n", i + 1, p.ms, b.ms, p.rssMb, b.rssMb);
    }
    const double pm = median(programMs), bm = median(bareMs), pr = median(programMb), br = median(bareMb);
    std::printf("\nmedian of %d runs (%s)\n", runs, std::getenv("QT_QPA_PLATFORM"));
    std::printf("start to window shown: program %.1f ms, bare Qt window %.1f ms, ratio %.2f (target <= 1.1)\n", pm, bm,
                pm / bm);
    std::printf("resident memory then:  program %.1f MB, bare Qt window %.1f MB, ratio %.2f (target <= 1.2)\n", pr, br,
                pr / br);

    std::printf(
        "\nfirst opening of a child window in a freshly started program, median of %d starts (target <= 20 ms)\n",
        runs);
    const char* names[] = {"Fo", "Fo23", "Form1", "Form2", "Form3", "Form4"};
    // The kinds in turn within each round, so that a busy spell of the machine weighs on all alike.
    std::vector<double> ms[6];
    for (int i = 0; i < runs; ++i) {
        for (int kind = 0; kind < 6; ++kind) {
            std::string text;
            if (!runProbe(probe, {"--program", "--open", std::to_string(kind)}, text)) {
                std::fprintf(stderr, "startup_bench: opening %s failed\n", names[kind]);
                return 1;
            }
            ms[kind].push_back(std::atof(text.c_str()) / 1000.0);
        }
    }
    for (int kind = 0; kind < 6; ++kind)
        std::printf("  %-5s %6.1f ms\n", names[kind], median(ms[kind]));
    return 0;
}
