// Where a run starts and ends: arguments, opening the file, the identity check,
// and the one place where a failure becomes a message.
#include "driver.hpp"
#include "platform.hpp"
#include "record/layout.hpp"

#include <cstdio>
#include <memory>

namespace {

// The maker text the camera writes at the identity field, as the camera stores it.
// Only "SONY" and its NUL take part in the check, so any SONY camera's file passes.
constexpr std::string_view identity_text{"SONY\0\0DSC-D700\0", 15};

int print_usage()
{
    std::fputs("usage: picprobe <filename>\n"
               "where <filename> is the name of a .jpg file taken with\n"
               "\ta SONY DSC-D700 digital camera.\n"
               "\n"
               "This program will read the picture data encoded in the file\n"
               "\t(shutter speed, aperature, etc).\n"
               "\n"
               "picprobe " PICPROBE_VERSION ", picture data reader for the SONY DSC-D700\n",
               error_stream());
    return exit_status::usage;
}

Progress not_a_camera_file(std::span<const char> arrived)
{
    FieldBuffer scratch{};
    const std::string_view maker = field_text(identity_text);
    const std::string_view found = shown_text(stderr, field_text(arrived), scratch);
    std::FILE* err = error_stream();
    std::fprintf(err, "ERROR: not a \"%.*s\" file.\n", text_width(maker), maker.data());
    std::fprintf(err, "(%.*s)\n", text_width(found), found.data());
    return Progress::stopped;
}

// The name comes back as typed. On a Windows console it is written as characters: its
// UTF-8 bytes would show in the console's code page. Elsewhere it stays bytes.
void print_cannot_open(const char* name)
{
    std::FILE* err = error_stream();
    if (platform::write_to_console(err, "ERROR: couldn't open file '")) {
        platform::write_to_console(err, name);
        platform::write_to_console(err, "'\n");
        return;
    }
    std::fprintf(err, "ERROR: couldn't open file '%s'\n", name);
}

// A report that could not be written is a failure, not a success.
int finish(int status)
{
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        std::fputs("ERROR: couldn't write output\n", stderr);
        return exit_status::failure;
    }
    return status;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

int probe(const char* name)
{
    const std::unique_ptr<PictureFile, FileCloser> file(platform::open_for_reading(name));
    if (!file) {
        print_cannot_open(name);
        return exit_status::failure;
    }
    // Every field lies in the first 512 bytes: one buffer of that size holds them all.
    static std::array<char, 512> input_buffer{};
    std::setvbuf(file.get(), input_buffer.data(), _IOFBF, input_buffer.size());
    if (check_identity(*file) == Progress::stopped || report_fields(*file) == Progress::stopped) {
        return exit_status::failure;
    }
    return exit_status::success;
}

} // namespace

int run(std::span<char* const> args)
{
    // The two messages that end without a line feed must not wait in a buffer.
    std::setvbuf(stderr, nullptr, _IONBF, 0);
    // The whole report fits one buffer and leaves in one write; stdio need not ask
    // what standard output is to choose a buffer for it.
    static std::array<char, 4096> report_buffer{};
    std::setvbuf(stdout, report_buffer.data(), _IOFBF, report_buffer.size());
    if (args.size() != 2) {
        return finish(print_usage());
    }
    return finish(probe(args[1]));
}

Progress check_identity(PictureFile& file)
{
    FieldBuffer buffer{};
    const FieldRead read = read_field(file, layout::identity, buffer);
    const std::span<const char> arrived(buffer.data(), read.count);
    switch (read.outcome) {
    case ReadOutcome::seek_failed:
    case ReadOutcome::read_error:
        return stop_on_failed_read(read.outcome);
    case ReadOutcome::short_read: // too short to be the camera's file: not a read failure
        return not_a_camera_file(arrived);
    case ReadOutcome::ok:
        break;
    }
    if (field_text(arrived) != field_text(identity_text)) {
        return not_a_camera_file(arrived);
    }
    return Progress::carry_on;
}

Progress stop(const char* message)
{
    std::fputs(message, error_stream());
    return Progress::stopped;
}

Progress stop_on_failed_read(ReadOutcome outcome)
{
    if (outcome == ReadOutcome::seek_failed) {
        return stop("ERROR: couldn't seek\n");
    }
    return stop("ERROR: couldn't read file\n");
}

std::FILE* error_stream()
{
    std::fflush(stdout);
    return stderr;
}
