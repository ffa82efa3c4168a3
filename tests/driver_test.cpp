// The driver's parts that a test can call directly.
#include "driver/driver.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The wait for Enter ends at the first line end and at the end of the input; a wait that
// missed the end of the input would never return (the test's time limit catches that).
TEST(AwaitLineEnd, StopsAtTheLineEndOrTheEndOfTheInput)
{
    struct Case {
        const char* typed;
        const char* left_unread;
    };
    for (const Case& c : {Case{"\n", ""}, Case{"ok\nnext line\n", "next line\n"},
                          Case{"no line end", ""}, Case{"", ""}}) {
        SCOPED_TRACE(c.typed);
        const std::unique_ptr<std::FILE, FileCloser> input(std::tmpfile());
        ASSERT_NE(input, nullptr);
        std::fputs(c.typed, input.get());
        std::rewind(input.get());
        await_line_end(input.get());
        std::string rest;
        for (int ch = std::fgetc(input.get()); ch != EOF; ch = std::fgetc(input.get())) {
            rest += static_cast<char>(ch);
        }
        EXPECT_EQ(rest, c.left_unread);
    }
}

} // namespace
