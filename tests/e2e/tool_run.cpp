#include "tool_run.hpp"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace {

void check(bool ok, const char* what)
{
    if (!ok) {
        throw std::runtime_error(std::string(what) + " failed");
    }
}

struct Pipe {
    int read_end = -1;
    int write_end = -1;
    Pipe()
    {
        int ends[2];
        check(pipe2(ends, O_CLOEXEC) == 0, "pipe");
        read_end = ends[0];
        write_end = ends[1];
    }
};

// Reads each descriptor to its end; a pseudo-terminal reports its end as EIO.
void drain(std::vector<std::pair<int, std::string*>> sources)
{
    while (!sources.empty()) {
        std::vector<pollfd> polls;
        polls.reserve(sources.size());
        for (const auto& source : sources) {
            polls.push_back({source.first, POLLIN, 0});
        }
        check(poll(polls.data(), polls.size(), -1) >= 0 || errno == EINTR, "poll");
        for (std::size_t i = polls.size(); i-- > 0;) {
            if (polls[i].revents == 0) {
                continue;
            }
            char chunk[4096];
            const ssize_t got = read(polls[i].fd, chunk, sizeof chunk);
            if (got > 0) {
                sources[i].second->append(chunk, static_cast<std::size_t>(got));
            } else if (got == 0 || errno != EINTR) {
                close(polls[i].fd);
                sources.erase(sources.begin() + static_cast<std::ptrdiff_t>(i));
            }
        }
    }
}

[[noreturn]] void exec_tool(const std::vector<std::string>& wrapper,
                            const std::vector<std::string>& args)
{
    std::vector<std::string> words = wrapper;
    words.insert(words.end(), tool_under_test().command.begin(), tool_under_test().command.end());
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    argv.reserve(words.size() + 1);
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
}

} // namespace

ToolUnderTest& tool_under_test()
{
    static ToolUnderTest tool;
    return tool;
}

ToolRun run_tool(const std::vector<std::string>& args, Wiring wiring, const std::string& input,
                 const std::vector<std::string>& wrapper)
{
    Pipe in;
    Pipe out;
    Pipe err;
    int terminal = -1;
    int terminal_side = -1;
    const bool on_terminal = wiring == Wiring::terminal || wiring == Wiring::terminal_out ||
                             wiring == Wiring::terminal_err;
    if (on_terminal) {
        check(openpty(&terminal, &terminal_side, nullptr, nullptr, nullptr) == 0, "openpty");
        termios raw{};
        tcgetattr(terminal_side, &raw);
        cfmakeraw(&raw); // the test compares bytes, so no "\n" to "\r\n" in the terminal
        tcsetattr(terminal_side, TCSANOW, &raw);
    }

    const pid_t child = fork();
    check(child >= 0, "fork");
    if (child == 0) {
        signal(SIGPIPE, SIG_DFL); // the tool gets the default its users give it
        dup2(in.read_end, 0);
        switch (wiring) {
        case Wiring::separate:
            dup2(out.write_end, 1);
            dup2(err.write_end, 2);
            break;
        case Wiring::merged:
            dup2(out.write_end, 1);
            dup2(out.write_end, 2);
            break;
        case Wiring::terminal:
            setsid();
            dup2(terminal_side, 1);
            dup2(terminal_side, 2);
            break;
        case Wiring::terminal_out:
            setsid();
            dup2(terminal_side, 1);
            dup2(err.write_end, 2);
            break;
        case Wiring::terminal_err:
            setsid();
            dup2(out.write_end, 1);
            dup2(terminal_side, 2);
            break;
        case Wiring::output_full:
            dup2(open("/dev/full", O_WRONLY), 1);
            dup2(err.write_end, 2);
            break;
        case Wiring::output_null:
            dup2(open("/dev/null", O_WRONLY), 1);
            dup2(err.write_end, 2);
            break;
        }
        exec_tool(wrapper, args);
    }

    close(in.read_end);
    close(out.write_end);
    close(err.write_end);
    if (terminal_side >= 0) {
        close(terminal_side);
    }
    // The input is small enough for the pipe's buffer, so writing it all first cannot block.
    // The tool may have ended without reading it: that is no failure of the harness.
    const ssize_t written = write(in.write_end, input.data(), input.size());
    check(written == static_cast<ssize_t>(input.size()) || errno == EPIPE,
          "write to standard input");
    close(in.write_end);

    ToolRun run;
    std::vector<std::pair<int, std::string*>> sources{{out.read_end, &run.out},
                                                      {err.read_end, &run.err}};
    if (terminal >= 0) {
        sources.emplace_back(terminal, wiring == Wiring::terminal_err ? &run.err : &run.out);
    }
    drain(sources);

    int status = 0;
    check(waitpid(child, &status, 0) == child, "waitpid");
    if (WIFEXITED(status)) {
        run.exit_code = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        run.signal = WTERMSIG(status);
    }
    return run;
}

std::string as_written(const std::string& text)
{
    if (!tool_under_test().windows) {
        return text;
    }
    std::string written;
    for (const char c : text) {
        if (c == '\n') {
            written += '\r';
        }
        written += c;
    }
    return written;
}
