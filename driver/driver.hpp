// The command-line driver: run control, the report sequence and how their output is written.
#pragma once

#include "record/picture_record.hpp"

#include <span>
#include <string_view>

namespace exit_status {
inline constexpr int success = 0; // the whole report was written
inline constexpr int failure = 1; // open, identity, seek, read or write failure
inline constexpr int usage = 2;   // wrong argument count
} // namespace exit_status

// Whether a step left the run going or stopped it (its message already written).
enum class Progress { carry_on, stopped };

// The whole run: the argument list as the platform delivers it, program name first.
int run(std::span<char* const> args);

Progress check_identity(PictureFile& file);
Progress report_fields(PictureFile& file);
void cross_check_dates(std::string_view date1, std::string_view date2, std::string_view date3);

// Writes the message to standard error and stops the run.
Progress stop(const char* message);
// Stops the run with the message that matches a failed read.
Progress stop_on_failed_read(ReadOutcome outcome);

// Standard error, with standard output flushed first so that lines keep the order
// they were written in when both streams lead to one file or pipe.
std::FILE* error_stream();

// Text taken from the file as it may be shown on the stream: on a terminal, each control
// byte becomes '?' (copied into scratch), since it could start an escape sequence.
std::string_view shown_text(std::FILE* stream, std::string_view text, FieldBuffer& scratch);

// Reads the input up to the end of its line, or to its end: what ends the wait for Enter.
void await_line_end(std::FILE* input);

// printf's precision for a "%.*s" of text that is at most one field long.
constexpr int text_width(std::string_view text)
{
    return static_cast<int>(text.size());
}
