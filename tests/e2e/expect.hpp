// What a run is expected to write and return, and the checks that compare it byte for byte.
#pragma once

#include "support/camera_file.hpp"
#include "tool_run.hpp"

#include <gtest/gtest.h>

#include <string>

struct Expected {
    std::string out;
    std::string err;
    int status;
};

// A case of the table tests: a file's bytes and what the tool must make of them.
struct FileCase {
    std::string name;
    std::string bytes;
    Expected expected;
};

// Test listings name a case instead of dumping its bytes.
inline void PrintTo(const FileCase& c, std::ostream* os)
{
    *os << c.name;
}

inline std::string case_name(const testing::TestParamInfo<FileCase>& info)
{
    return info.param.name;
}

// A controlled failure is an exit status; a crash is a signal, and never passes.
inline void expect_run(const ToolRun& run, const Expected& expected)
{
    EXPECT_EQ(run.signal, 0) << "the tool was killed by a signal";
    EXPECT_EQ(run.out, as_written(expected.out));
    EXPECT_EQ(run.err, as_written(expected.err));
    EXPECT_EQ(run.exit_code, expected.status);
}

// Runs the tool on a file holding the bytes.
inline ToolRun run_on_bytes(const std::string& bytes, Wiring wiring = Wiring::separate)
{
    const TempDir dir;
    return run_tool({dir.write("camera.jpg", bytes).string()}, wiring);
}

// The two messages for a file that is not the camera's, the second showing what was found.
inline std::string not_sony(const std::string& found)
{
    return "ERROR: not a \"SONY\" file.\n(" + found + ")\n";
}

// A macro, since GTEST_SKIP returns only from the function it stands in.
#define SKIP_UNLESS_LINUX()                                                                        \
    if (tool_under_test().windows)                                                                 \
    GTEST_SKIP() << "Linux only: the case needs a pipe, a directory, a device or a terminal"
