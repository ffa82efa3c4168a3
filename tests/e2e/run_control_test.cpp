// Arguments, opening the file and the identity check.
#include "expect.hpp"

namespace {

const std::string usage_text = "usage: picprobe <filename>\n"
                               "where <filename> is the name of a .jpg file taken with\n"
                               "\ta SONY DSC-D700 digital camera.\n"
                               "\n"
                               "This program will read the picture data encoded in the file\n"
                               "\t(shutter speed, aperature, etc).\n"
                               "\n"
                               "picprobe 1.0.0, picture data reader for the SONY DSC-D700\n";

TEST(Usage, AnyArgumentCountButOneGetsTheUsageText)
{
    const TempDir dir;
    const std::string camera = dir.write("camera.jpg", CameraFile().bytes()).string();
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, {camera, camera}, {camera, camera, camera}}) {
        expect_run(run_tool(args), {"", usage_text, 2});
    }
}

TEST(Open, AMissingFileIsNamedExactlyAsTyped)
{
    const TempDir dir;
    // printf directives in the name come out literally: the name is never a format.
    const std::string name = dir.path("no such %s%n%x.jpg").string();
    expect_run(run_tool({name}), {"", "ERROR: couldn't open file '" + name + "'\n", 1});
}

class Identity : public testing::TestWithParam<FileCase> {};

TEST_P(Identity, DecidesWhetherTheFileIsTheCamera)
{
    expect_run(run_on_bytes(GetParam().bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, Identity,
    testing::Values(
        FileCase{"empty_file", "", {"", not_sony(""), 1}},
        FileCase{"other_maker",
                 CameraFile().raw(166, std::string("XYZ\0", 4)).bytes(),
                 {"", not_sony("XYZ"), 1}},
        // All 15 bytes and nothing beyond them, though the byte after is not NUL either.
        FileCase{"no_nul_in_identity",
                 CameraFile().raw(166, "ABCDEFGHIJKLMNOPQ").bytes(),
                 {"", not_sony("ABCDEFGHIJKLMNO"), 1}},
        FileCase{
            "sony_then_space", CameraFile().raw(166, "SONY ").bytes(), {"", not_sony("SONY "), 1}},
        FileCase{
            "lower_case_sony", CameraFile().raw(166, "sony").bytes(), {"", not_sony("sony"), 1}},
        // The text matches, but nine bytes are too few to be the camera's file.
        FileCase{"identity_cut_to_nine_bytes",
                 CameraFile().resize(175).bytes(),
                 {"", not_sony("SONY"), 1}},
        FileCase{
            "identity_one_byte_short", CameraFile().resize(180).bytes(), {"", not_sony("SONY"), 1}},
        // Only the maker text and its NUL decide: another SONY model passes.
        FileCase{"other_sony_model",
                 CameraFile().raw(166, std::string("SONY\0\0DSC-F505\0", 15)).bytes(),
                 {default_report(), "", 0}},
        FileCase{
            "cut_after_300_bytes",
            CameraFile().resize(300).bytes(),
            {"      Keyword: SUMMER\n          ISO: 100\n", "ERROR: couldn't read file\n", 1}}),
    case_name);

TEST(Seek, InputThatCannotBePositionedStopsTheRun)
{
    SKIP_UNLESS_LINUX();
    expect_run(run_tool({"/dev/stdin"}, Wiring::separate, CameraFile().bytes()),
               {"", "ERROR: couldn't seek\n", 1});
}

TEST(Read, AFileThatCannotBeReadStopsTheRun)
{
    SKIP_UNLESS_LINUX(); // Linux opens a directory as a file; reading it then fails
    const TempDir dir;
    expect_run(run_tool({dir.path("").string()}), {"", "ERROR: couldn't read file\n", 1});
}

} // namespace
