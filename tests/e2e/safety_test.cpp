// Untrusted bytes and a report that cannot be written.
#include "expect.hpp"

#include <algorithm>
#include <fstream>
#include <unistd.h>

namespace {

// Escape sequences that would retitle the window and clear the screen, the last C0 control
// (0x1F), DEL and a byte above 0x7F.
const std::string hostile_keyword = "\x1b]0;owned\x07\x1b[2J\x1f\x7f\xe9!";
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

// Each stream is asked for itself: the keyword and the dates go to standard output, the
// maker text to standard error, and only what reaches a terminal is masked.
TEST(TerminalSafety, ControlBytesReachATerminalAsQuestionMarks)
{
    SKIP_UNLESS_LINUX();
    // Bytes from 0x80 up that are no C1 control pass unchanged, a lone 0x9B among them.
    const std::string masked = hostile_report("?]0;owned??[2J??\xe9!", "1999:08:14??[1K\x9b"
                                                                       "2J");
    const std::string unmasked = hostile_report(hostile_keyword, hostile_date);
    const std::string report = hostile_camera().bytes();
    const std::string identity = CameraFile().raw(166, hostile_identity).bytes();
    struct Case {
        const char* name;
        Wiring wiring;
        const std::string& bytes;
        std::string out; // with Wiring::terminal, both streams are read here
        std::string err;
    };
    const std::vector<Case> cases{
        {"report, both streams on the terminal", Wiring::terminal, report, masked, ""},
        {"report, standard output on the terminal", Wiring::terminal_out, report, masked, ""},
        {"report, standard error on the terminal", Wiring::terminal_err, report, unmasked, ""},
        {"maker, both streams on the terminal", Wiring::terminal, identity, not_sony("EVIL?[5m"),
         ""},
        {"maker, standard error on the terminal", Wiring::terminal_err, identity, "",
         not_sony("EVIL?[5m")},
        {"maker, standard output on the terminal", Wiring::terminal_out, identity, "",
         not_sony(hostile_maker)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ToolRun run = run_on_bytes(c.bytes, c.wiring);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, c.err);
    }
}

// A C1 control in UTF-8 (C2 80 to C2 9F) is one '?' on a terminal; U+009B is CSI, which
// xterm acts on. Other bytes from 0x80 up stay, so UTF-8 text is shown as it is.
TEST(TerminalSafety, C1ControlsReachATerminalAsOneQuestionMarkEach)
{
    SKIP_UNLESS_LINUX();
    struct Case {
        std::string text;
        std::string shown;
    };
    const std::string utf8_text = "\xc3\xa9 \xd0\x96 \xe2\x80\x9c"; // é Ж “
    const std::vector<Case> cases{
        {"A\xc2\x9b"
         "2J",
         "A?2J"},
        {"\xc2\x80-\xc2\x9f", "?-?"},          // both ends of the C1 range
        {utf8_text, utf8_text},                // tails 0x96, 0x80 and 0x9C are no C1 control
        {"\xc2\xa0\xc2\x7f", "\xc2\xa0\xc2?"}, // just past the range; C2 before a C0 control
        {"\x9b"
         "2J \xc2",
         "\x9b"
         "2J \xc2"}, // a lone CSI byte, and C2 as the text's last byte
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        const CameraFile camera = CameraFile()
                                      .text(spot::keyword, c.text)
                                      .text(spot::date1, c.text)
                                      .text(spot::date2, c.text)
                                      .text(spot::date3, c.text);
        const std::string identity = CameraFile().raw(166, c.text + '\0').bytes();
        EXPECT_EQ(run_on_bytes(camera.bytes(), Wiring::terminal_out).out,
                  hostile_report(c.shown, c.shown));
        EXPECT_EQ(run_on_bytes(identity, Wiring::terminal_err).err, not_sony(c.shown));
        // Pipes get every byte unchanged.
        EXPECT_EQ(run_on_bytes(camera.bytes()).out, as_written(hostile_report(c.text, c.text)));
        EXPECT_EQ(run_on_bytes(identity).err, as_written(not_sony(c.text)));
    }
}

TEST(TerminalSafety, PipesAndFilesGetTheBytesUnchanged)
{
    expect_run(run_on_bytes(hostile_camera().bytes()),
               {hostile_report(hostile_keyword, hostile_date), "", 0});
    expect_run(run_on_bytes(CameraFile().raw(166, hostile_identity).bytes()),
               {"", not_sony(hostile_maker), 1});
}

TEST(TerminalSafety, PlainTextReachesATerminalUnchanged)
{
    SKIP_UNLESS_LINUX();
    EXPECT_EQ(run_on_bytes(CameraFile().bytes(), Wiring::terminal).out, default_report());
}

// The system calls of one run on a file holding the bytes, as strace logs them.
std::vector<std::string> traced_calls(const std::string& bytes, Wiring wiring,
                                      const std::string& calls)
{
    const TempDir dir;
    const std::string file = dir.write("camera.jpg", bytes).string();
    const std::string log = dir.path("calls.log").string();
    run_tool({file}, wiring, {},
             {"/usr/bin/strace", "-f", "-qq", "-e", "trace=" + calls, "-o", log});
    std::ifstream lines(log);
    std::vector<std::string> logged;
    for (std::string line; std::getline(lines, line);) {
        logged.push_back(line);
    }
    return logged;
}

int count_containing(const std::vector<std::string>& lines, const std::string& part)
{
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.find(part) != std::string::npos;
    }));
}

#define SKIP_UNLESS_STRACE()                                                                       \
    if (access("/usr/bin/strace", X_OK) != 0)                                                      \
    GTEST_SKIP() << "strace is not installed"

// Asking whether a stream is a terminal costs a system call; the common run does without.
TEST(SystemCalls, OnlyAControlByteMakesTheToolAskWhatTheStreamIs)
{
    SKIP_UNLESS_LINUX();
    SKIP_UNLESS_STRACE();
    EXPECT_EQ(
        count_containing(traced_calls(CameraFile().bytes(), Wiring::separate, "ioctl"), "TCGETS"),
        0);
    EXPECT_GT(count_containing(traced_calls(hostile_camera().bytes(), Wiring::separate, "ioctl"),
                               "TCGETS"),
              0);
}

// A plain run's report leaves in one write, the input comes in a few block reads, and
// standard output on a character device such as /dev/null is never asked what it is.
TEST(SystemCalls, APlainRunWritesOnceAndReadsTheInputInFewBlocks)
{
    SKIP_UNLESS_LINUX();
    SKIP_UNLESS_STRACE();
    for (const Wiring wiring : {Wiring::separate, Wiring::output_null}) {
        const std::vector<std::string> calls =
            traced_calls(CameraFile().bytes(), wiring, "openat,read,write,ioctl");
        const auto opened = std::find_if(calls.begin(), calls.end(), [](const std::string& line) {
            return line.find("openat(") != std::string::npos &&
                   line.find("camera.jpg") != std::string::npos;
        });
        ASSERT_NE(opened, calls.end()) << "the input was never opened";
        // Reads before the open are the C library's or a sanitizer's, whatever the descriptor.
        const std::string input = opened->substr(opened->rfind("= ") + 2);
        const std::vector<std::string> since_open(opened, calls.end());
        EXPECT_EQ(count_containing(calls, "write(1,"), 1);
        EXPECT_LE(count_containing(since_open, "read(" + input + ","), 3);
        EXPECT_EQ(count_containing(calls, "TCGETS"), 0);
    }
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
