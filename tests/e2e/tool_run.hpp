// Runs the built picprobe as a user would, directly or through a launcher such as wine,
// and captures what it wrote and how it ended.
#pragma once

#include <string>
#include <vector>

// How the tool under test is started; set once from the test program's arguments.
struct ToolUnderTest {
    std::vector<std::string> command; // launcher words, if any, then the executable
    bool windows = false;             // line ends come out as CR LF
};
ToolUnderTest& tool_under_test();

// Where the tool's streams lead.
enum class Wiring {
    separate,     // standard output and standard error each into its own pipe
    merged,       // both into one pipe, read as `out`
    terminal,     // both onto one pseudo-terminal, read as `out`
    terminal_out, // standard output onto a pseudo-terminal, standard error into a pipe
    terminal_err, // standard output into a pipe, standard error onto a pseudo-terminal
    output_full,  // standard output to /dev/full
    output_null,  // standard output to /dev/null, a character device but no terminal
};

struct ToolRun {
    std::string out;
    std::string err;
    int exit_code = -1; // -1 when it did not exit
    int signal = 0;     // the signal that ended it, if one did
};

// `input` becomes standard input through a pipe; `wrapper`, if any, starts the whole
// command (a tracer, say).
ToolRun run_tool(const std::vector<std::string>& args, Wiring wiring = Wiring::separate,
                 const std::string& input = {}, const std::vector<std::string>& wrapper = {});

// The text as the tool under test writes it: on Windows, every "\n" as "\r\n".
std::string as_written(const std::string& text);
