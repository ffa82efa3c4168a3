// Times two commands in alternation, so that both see the same machine state, and
// prints the median wall time of each and their ratio.
//   paired_runs RUNS -- COMMAND_A... -- COMMAND_B...
// Both commands run with standard output and standard error sent to /dev/null.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double run_once(const std::vector<char*>& argv)
{
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    const double elapsed = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
    if (!WIFEXITED(status) || WEXITSTATUS(status) == 127) {
        std::fprintf(stderr, "paired_runs: %s did not run\n", argv[0]);
        std::exit(1);
    }
    return elapsed;
}

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    std::vector<char*> a;
    std::vector<char*> b;
    std::vector<char*>* filling = nullptr;
    for (int i = 2; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--") {
            filling = filling == nullptr ? &a : &b;
        } else if (filling != nullptr) {
            filling->push_back(argv[i]);
        }
    }
    const long runs = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 0;
    if (runs <= 0 || a.empty() || b.empty()) {
        std::fputs("usage: paired_runs RUNS -- COMMAND_A... -- COMMAND_B...\n", stderr);
        return 2;
    }
    a.push_back(nullptr);
    b.push_back(nullptr);

    std::vector<double> times_a;
    std::vector<double> times_b;
    for (long i = 0; i < runs; ++i) {
        times_a.push_back(run_once(a));
        times_b.push_back(run_once(b));
    }
    const double median_a = median(times_a);
    const double median_b = median(times_b);
    std::printf("median wall time over %ld paired runs:\n", runs);
    std::printf("  %-40s %8.1f us\n", a[0], median_a);
    std::printf("  %-40s %8.1f us\n", b[0], median_b);
    std::printf("ratio: %.3f\n", median_a / median_b);
    return 0;
}
