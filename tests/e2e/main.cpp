// The end-to-end tests run the tool named on the command line:
//   picprobe_e2e --picprobe PATH [--launcher PROGRAM] [--env NAME=VALUE] [--windows]
// --launcher starts the tool through another program (wine for picprobe.exe), with
// the --env settings in its environment;
// --windows expects CR LF line ends and skips the cases that only Linux can set up.
#include "tool_run.hpp"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string_view>

int main(int argc, char* argv[])
{
    testing::InitGoogleTest(&argc, argv);
    // A tool that ends before reading its input must not take the harness down with it.
    std::signal(SIGPIPE, SIG_IGN);
    ToolUnderTest& tool = tool_under_test();
    std::string executable;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--picprobe" && i + 1 < argc) {
            executable = argv[++i];
        } else if (arg == "--launcher" && i + 1 < argc) {
            tool.command.emplace_back(argv[++i]);
        } else if (arg == "--env" && i + 1 < argc) {
            putenv(argv[++i]); // NAME=VALUE, for the launcher
        } else if (arg == "--windows") {
            tool.windows = true;
        } else {
            std::fprintf(
                stderr,
                "usage: %s --picprobe PATH [--launcher PROGRAM] [--env NAME=VALUE] [--windows]\n",
                argv[0]);
            return 2;
        }
    }
    if (executable.empty() && !GTEST_FLAG_GET(list_tests)) {
        std::fprintf(stderr, "%s: --picprobe PATH is required\n", argv[0]);
        return 2;
    }
    tool.command.push_back(executable);
    return RUN_ALL_TESTS();
}
