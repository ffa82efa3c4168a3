// What could differ between Linux and Windows: how the file is read, and file names.
#include "expect.hpp"

namespace {

// Bytes that a text-mode read would change: CR LF pairs shrink to LF, and 0x1A ends
// the read on Windows. They stand before the fields and inside them.
TEST(BinaryRead, LineEndAndEndOfFileBytesAreReadAsTheyAre)
{
    std::string before_fields;
    while (before_fields.size() < 146) {
        before_fields += "\x1a\r\n";
    }
    const CameraFile camera = CameraFile()
                                  .raw(0, before_fields.substr(0, 146))
                                  .text(spot::keyword, "A\r\nB\x1a"
                                                       "C")
                                  .number(spot::iso, 0x0D0A)
                                  .number(spot::width, 0x1A0D)
                                  .number(spot::height, 0x0A1A);
    std::string report = default_report();
    report.replace(0, report.find("         Size"),
                   "      Keyword: A\r\nB\x1a"
                   "C\n          ISO: 3338\n");
    report.replace(report.find("1344 x 1024"), 11, "6669 x 2586");
    expect_run(run_on_bytes(camera.bytes()), {report, "", 0});
}

// Names in any script reach the tool intact and come back unchanged in messages.
TEST(FileNames, NamesBeyondAsciiOpenAndEchoUnchanged)
{
    const TempDir dir;
    const std::string photo = dir.write("写真.jpg", CameraFile().bytes()).string();
    expect_run(run_tool({photo}), {default_report(), "", 0});

    const std::string missing = dir.path("存在しない é.jpg").string();
    expect_run(run_tool({missing}), {"", "ERROR: couldn't open file '" + missing + "'\n", 1});
}

} // namespace
