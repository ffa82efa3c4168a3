// Untrusted bytes and a report that cannot be written.
#include "expect.hpp"

#include <fstream>
#include <unistd.h>

namespace {

// Escape sequences that would retitle the window and clear the screen, and a byte above 0x7F.
const std::string hostile_keyword = "\x1b]0;owned\x07\x1b[2J\x7f\xe9!";
const std::string hostile_date = "1999:08:14\r\x1b[1K\x9b"
                                 "2J";
const std::string hostile_maker = "EVIL\x1b[5m";
const std::string hostile_identity = hostile_maker + std::string(1, '\0');

CameraFile hostile_camera()
{
    return CameraFile()
        .text(spot::keyword, hostile_keyword)
        .text(spot::date1, hostile_date)
        .text(spot::date2, hostile_date)
        .text(spot::date3, hostile_date);
}

std::string hostile_report(const std::string& keyword, const std::string& date)
{
    return "      Keyword: " + keyword +
           "\n          ISO: 100\n         Size: 1344 x 1024\n      Quality: High\n"
           "Shutter Speed: 60\n    Aperature: 5.6\n\n        Date1: " +
           date + "\n        Date2: " + date + "\n        Date3: " + date + "\n";
}

TEST(TerminalSafety, ControlBytesReachATerminalAsQuestionMarks)
{
    SKIP_UNLESS_LINUX();
    // Bytes from 0x80 up pass unchanged: the tool converts no character set.
    EXPECT_EQ(run_on_bytes(hostile_camera().bytes(), Wiring::terminal).out,
              hostile_report("?]0;owned??[2J?\xe9!", "1999:08:14??[1K\x9b"
                                                     "2J"));
    EXPECT_EQ(run_on_bytes(CameraFile().raw(166, hostile_identity).bytes(), Wiring::terminal).out,
              "ERROR: not a \"SONY\" file.\n(EVIL?[5m)\n");
}

TEST(TerminalSafety, PipesAndFilesGetTheBytesUnchanged)
{
    expect_run(run_on_bytes(hostile_camera().bytes()),
               {hostile_report(hostile_keyword, hostile_date), "", 0});
    expect_run(run_on_bytes(CameraFile().raw(166, hostile_identity).bytes()),
               {"", "ERROR: not a \"SONY\" file.\n(" + hostile_maker + ")\n", 1});
}

TEST(TerminalSafety, PlainTextReachesATerminalUnchanged)
{
    SKIP_UNLESS_LINUX();
    EXPECT_EQ(run_on_bytes(CameraFile().bytes(), Wiring::terminal).out, default_report());
}

// Asking whether a stream is a terminal costs a system call; the common run does without.
TEST(TerminalSafety, OnlyAControlByteMakesTheToolAskWhatTheStreamIs)
{
    SKIP_UNLESS_LINUX();
    if (access("/usr/bin/strace", X_OK) != 0) {
        GTEST_SKIP() << "strace is not installed";
    }
    const TempDir dir;
    const std::string log = dir.path("ioctl.log").string();
    const auto terminal_queries = [&](const CameraFile& camera) {
        const std::string file = dir.write("camera.jpg", camera.bytes()).string();
        run_tool({file}, Wiring::separate, {},
                 {"/usr/bin/strace", "-f", "-qq", "-e", "trace=ioctl", "-o", log});
        std::ifstream lines(log);
        int count = 0;
        for (std::string line; std::getline(lines, line);) {
            count += line.find("TCGETS") != std::string::npos ? 1 : 0;
        }
        return count;
    };
    EXPECT_EQ(terminal_queries(CameraFile()), 0);
    EXPECT_GT(terminal_queries(hostile_camera()), 0);
}

// A report that cannot be written is a failure, also when the run itself went well.
TEST(WriteFailure, AFullDeviceFailsTheRun)
{
    SKIP_UNLESS_LINUX();
    struct Case {
        CameraFile camera;
        std::string err;
    };
    for (const Case& c : {Case{CameraFile(), "ERROR: couldn't write output\n"},
                          Case{CameraFile().resize(300),
                               "ERROR: couldn't read file\nERROR: couldn't write output\n"}}) {
        expect_run(run_on_bytes(c.camera.bytes(), Wiring::output_full), {"", c.err, 1});
    }
}

} // namespace
