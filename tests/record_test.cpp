// The field reader and its helpers, on real files.
#include "record/layout.hpp"
#include "support/camera_file.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, CloseFile>;

File open_binary(const std::filesystem::path& path)
{
    File file(std::fopen(path.string().c_str(), "rb"));
    if (!file) {
        throw std::runtime_error("cannot open " + path.string());
    }
    return file;
}

std::string arrived(const FieldBuffer& buffer, const FieldRead& read)
{
    return {buffer.data(), read.count};
}

struct SizeCase {
    const char* name;
    std::size_t file_size;
    FieldSpec field;
    ReadOutcome outcome;
    std::size_t count;
};

void PrintTo(const SizeCase& c, std::ostream* os)
{
    *os << c.name;
}

class ReadFieldBySize : public testing::TestWithParam<SizeCase> {};

TEST_P(ReadFieldBySize, ReportsOutcomeAndCount)
{
    const SizeCase& c = GetParam();
    const TempDir dir;
    const CameraFile camera = CameraFile().resize(c.file_size);
    const File file = open_binary(dir.write("camera.jpg", camera.bytes()));

    FieldBuffer buffer{};
    const FieldRead read = read_field(*file, c.field, buffer);

    EXPECT_EQ(read.outcome, c.outcome);
    ASSERT_EQ(read.count, c.count);
    // Whatever arrived is the file's own bytes at the field, even when the read came up short.
    if (c.count > 0) {
        EXPECT_EQ(arrived(buffer, read), camera.bytes().substr(c.field.offset, c.count));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, ReadFieldBySize,
    testing::Values(
        SizeCase{"full_file_last_field", 476, layout::aperture_code, ReadOutcome::ok, 2},
        SizeCase{"one_byte_short_last_field", 475, layout::aperture_code, ReadOutcome::short_read,
                 1},
        SizeCase{"identity_exactly", 181, layout::identity, ReadOutcome::ok, 15},
        SizeCase{"identity_one_short", 180, layout::identity, ReadOutcome::short_read, 14},
        SizeCase{"identity_nine_bytes", 175, layout::identity, ReadOutcome::short_read, 9},
        SizeCase{"empty_file", 0, layout::identity, ReadOutcome::short_read, 0},
        // Positioning past the end succeeds; the read then gets nothing.
        SizeCase{"field_past_the_end", 200, layout::iso, ReadOutcome::short_read, 0}),
    [](const testing::TestParamInfo<SizeCase>& param) { return std::string(param.param.name); });

TEST(ReadField, EachReadPositionsAfresh)
{
    const TempDir dir;
    const File file = open_binary(dir.write("camera.jpg", CameraFile().resize(300).bytes()));
    FieldBuffer buffer{};

    EXPECT_EQ(read_field(*file, layout::aperture_code, buffer).outcome, ReadOutcome::short_read);
    const FieldRead identity = read_field(*file, layout::identity, buffer);
    EXPECT_EQ(identity.outcome, ReadOutcome::ok);
    EXPECT_EQ(arrived(buffer, identity), std::string("SONY\0\0DSC-D700\0", 15));
    EXPECT_EQ(read_field(*file, layout::keyword, buffer).outcome, ReadOutcome::ok);
    EXPECT_EQ(field_text(buffer), "SUMMER");
}

#ifndef _WIN32
TEST(ReadField, InputThatCannotBePositionedFailsToSeek)
{
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    const std::string bytes = CameraFile().bytes();
    ASSERT_EQ(write(ends[1], bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    close(ends[1]);
    const File file(fdopen(ends[0], "rb"));
    ASSERT_TRUE(file);

    FieldBuffer buffer{};
    const FieldRead read = read_field(*file, layout::identity, buffer);
    EXPECT_EQ(read.outcome, ReadOutcome::seek_failed);
    EXPECT_EQ(read.count, 0U);
}

// A directory opens as a stream on Linux, but reading it fails, and comes up short too:
// the error is what counts.
TEST(ReadField, FailedReadIsAReadErrorNotAShortRead)
{
    const TempDir dir;
    const File file = open_binary(dir.path(""));

    FieldBuffer buffer{};
    const FieldRead read = read_field(*file, layout::identity, buffer);
    EXPECT_EQ(read.outcome, ReadOutcome::read_error);
    EXPECT_EQ(read.count, 0U);
}
#endif

TEST(Be16, FirstByteIsMostSignificantAndNeverNegative)
{
    struct Case {
        char high;
        char low;
        std::uint16_t value;
    };
    for (const Case& c :
         {Case{'\x01', '\x90', 400}, Case{'\xFF', '\xFF', 65535}, Case{'\x80', '\x00', 32768},
          Case{'\x00', '\xFF', 255}, Case{'\x00', '\x00', 0}}) {
        EXPECT_EQ(be16(c.high, c.low), c.value) << int{c.high} << ' ' << int{c.low};
    }
}

TEST(FieldText, EndsAtTheFirstNul)
{
    struct Case {
        std::string bytes;
        std::string text;
    };
    for (const Case& c :
         {Case{"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOPQRST"}, Case{std::string("\0BC", 3), ""},
          Case{std::string("AB\0CD", 5), "AB"}, Case{"", ""}}) {
        EXPECT_EQ(field_text(c.bytes), c.text) << c.bytes;
    }
}

} // namespace
