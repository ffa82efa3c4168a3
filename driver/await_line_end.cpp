// The end of the wait on a console of its own, kept apart from the console code so that
// every platform can test it: reading stops at a line end and at the end of the input.
#include "driver.hpp"

void await_line_end(std::FILE* input)
{
    // The end of the input (Ctrl+Z then Enter on a Windows console) comes back as EOF
    // for ever: a loop that waited only for '\n' would spin.
    for (int c = std::fgetc(input); c != EOF && c != '\n'; c = std::fgetc(input)) {
    }
}
