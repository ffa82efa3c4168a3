// The report of a camera file: every line, every code, every early stop.
#include "expect.hpp"

namespace {

// The default report with one line changed (or dropped, when `to` is empty).
std::string report_with(const std::string& from, const std::string& to)
{
    std::string report = default_report();
    const std::size_t at = report.find(from);
    if (at == std::string::npos) {
        throw std::invalid_argument("no line " + from);
    }
    return report.replace(at, from.size(), to);
}

Expected full(std::string out, std::string err = "")
{
    return {std::move(out), std::move(err), 0};
}

const std::string shutter_line = "Shutter Speed: 60\n";
const std::string aperture_line = "    Aperature: 5.6\n";
const std::string dates_agree = "\n"
                                "        Date1: 1999:08:14 16:05:31\n"
                                "        Date2: 1999:08:14 16:05:31\n"
                                "        Date3: 1999:08:14 16:05:31\n";

class Report : public testing::TestWithParam<FileCase> {};

TEST_P(Report, PrintsEachValue)
{
    expect_run(run_on_bytes(GetParam().bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, Report,
    testing::Values(
        FileCase{"whole_report", CameraFile().bytes(), full(default_report())},
        FileCase{"empty_keyword", CameraFile().text(spot::keyword, "").bytes(),
                 full(report_with("      Keyword: SUMMER\n", ""))},
        FileCase{"keyword_fills_its_field",
                 CameraFile().text(spot::keyword, "ABCDEFGHIJKLMNOPQRST").bytes(),
                 full(report_with("SUMMER", "ABCDEFGHIJKLMNOPQRST"))},
        FileCase{"numbers_are_unsigned",
                 CameraFile()
                     .number(spot::iso, 65535)
                     .number(spot::width, 40000)
                     .number(spot::height, 32768)
                     .bytes(),
                 full(report_with("ISO: 100\n         Size: 1344 x 1024",
                                  "ISO: 65535\n         Size: 40000 x 32768"))},
        FileCase{"vga_size",
                 CameraFile().number(spot::width, 640).number(spot::height, 480).bytes(),
                 full(report_with("1344 x 1024", "640 x 480"))},
        FileCase{"quality_low", CameraFile().byte(spot::quality, 1).bytes(),
                 full(report_with("High", "Low"))},
        FileCase{"quality_medium", CameraFile().byte(spot::quality, 3).bytes(),
                 full(report_with("High", "Medium"))},
        FileCase{"quality_zero", CameraFile().byte(spot::quality, 0).bytes(),
                 full(report_with("      Quality: High\n", "ERROR: unknown Quality\n"))},
        FileCase{"quality_two", CameraFile().byte(spot::quality, 2).bytes(),
                 full(report_with("      Quality: High\n", "ERROR: unknown Quality\n"))},
        FileCase{"quality_255", CameraFile().byte(spot::quality, 255).bytes(),
                 full(report_with("      Quality: High\n", "ERROR: unknown Quality\n"))},
        FileCase{"fastest_shutter", CameraFile().number(spot::shutter_code, 1100).bytes(),
                 full(report_with(shutter_line, "Shutter Speed: 2000\n"))},
        FileCase{"slowest_shutter", CameraFile().number(spot::shutter_code, 400).bytes(),
                 full(report_with(shutter_line, "Shutter Speed: 15\n"))},
        FileCase{"shutter_off_the_step", CameraFile().number(spot::shutter_code, 410).bytes(),
                 full(report_with(shutter_line, ""), "ERROR: bad shutter speed value")},
        FileCase{"widest_aperture", CameraFile().number(spot::aperture_code, 225).bytes(),
                 full(report_with(aperture_line, "    Aperature: 2.2\n"))},
        FileCase{"aperture_eleven_keeps_its_decimal",
                 CameraFile().number(spot::aperture_code, 700).bytes(),
                 full(report_with(aperture_line, "    Aperature: 11.0\n"))},
        FileCase{"aperture_past_the_table", CameraFile().number(spot::aperture_code, 725).bytes(),
                 full(report_with(aperture_line, ""), "ERROR: bad aperature value")},
        FileCase{
            "both_codes_bad",
            CameraFile().number(spot::shutter_code, 0).number(spot::aperture_code, 65535).bytes(),
            full(report_with(shutter_line + aperture_line, ""),
                 "ERROR: bad shutter speed valueERROR: bad aperature value")}),
    case_name);

std::string dates(const std::string& date1, const std::string& date2, const std::string& date3)
{
    return "\n        Date1: " + date1 + "\n        Date2: " + date2 + "\n        Date3: " + date3 +
           "\n";
}

CameraFile dated(const std::string& date1, const std::string& date2, const std::string& date3)
{
    return CameraFile().text(spot::date1, date1).text(spot::date2, date2).text(spot::date3, date3);
}

const std::string date_a = "1999:08:14 16:05:31";
const std::string date_b = "1999:08:15 09:12:00";
const std::string date_c = "2000:01:01 00:00:00";

INSTANTIATE_TEST_SUITE_P(
    Dates, Report,
    testing::Values(
        FileCase{"first_differs", dated(date_b, date_a, date_a).bytes(),
                 full(report_with(dates_agree,
                                  dates(date_b, date_a, date_a) +
                                      "Dates 1 & 2 don't match\nDates 1 & 3 don't match\n"))},
        FileCase{"second_differs", dated(date_a, date_b, date_a).bytes(),
                 full(report_with(dates_agree,
                                  dates(date_a, date_b, date_a) +
                                      "Dates 1 & 2 don't match\nDates 2 & 3 don't match\n"))},
        FileCase{"third_differs", dated(date_a, date_a, date_b).bytes(),
                 full(report_with(dates_agree,
                                  dates(date_a, date_a, date_b) +
                                      "Dates 1 & 3 don't match\nDates 2 & 3 don't match\n"))},
        FileCase{
            "all_differ", dated(date_a, date_b, date_c).bytes(),
            full(report_with(dates_agree, dates(date_a, date_b, date_c) +
                                              "Dates 1 & 2 don't match\nDates 1 & 3 don't match\n"
                                              "Dates 2 & 3 don't match\n"))},
        // A shorter date is a different date, though the longer one begins with it.
        FileCase{"prefix_differs", dated(date_a, date_a, "1999:08:14").bytes(),
                 full(report_with(dates_agree,
                                  dates(date_a, date_a, "1999:08:14") +
                                      "Dates 1 & 3 don't match\nDates 2 & 3 don't match\n"))},
        // Bytes after a date's NUL are neither shown nor compared.
        FileCase{"differ_only_after_nul",
                 dated(std::string("1999:08:14\0AAAAAAAA", 19),
                       std::string("1999:08:14\0BBBBBBBB", 19), "1999:08:14")
                     .bytes(),
                 full(report_with(dates_agree, dates("1999:08:14", "1999:08:14", "1999:08:14")))},
        FileCase{"all_empty", dated("", "", "").bytes(),
                 full(report_with(dates_agree, dates("", "", "")))}),
    case_name);

// Each field is read only when its turn comes, so a file that ends early stops the
// report right after the last line whose field it still holds.
Expected stopped_after(const std::string& lines)
{
    return {lines, "ERROR: couldn't read file\n", 1};
}

const std::string to_iso = "      Keyword: SUMMER\n          ISO: 100\n";
const std::string to_size = to_iso + "         Size: 1344 x 1024\n";
const std::string to_quality = to_size + "      Quality: High\n";

INSTANTIATE_TEST_SUITE_P(
    Truncated, Report,
    testing::Values(
        FileCase{"ends_inside_iso", CameraFile().resize(241).bytes(),
                 stopped_after("      Keyword: SUMMER\n")},
        FileCase{"ends_before_width", CameraFile().resize(398).bytes(), stopped_after(to_iso)},
        FileCase{"ends_inside_width", CameraFile().resize(399).bytes(), stopped_after(to_iso)},
        // The width is printed as soon as it is read, so the size line stays open.
        FileCase{"ends_before_height", CameraFile().resize(410).bytes(),
                 stopped_after(to_iso + "         Size: 1344")},
        FileCase{"ends_inside_height", CameraFile().resize(411).bytes(),
                 stopped_after(to_iso + "         Size: 1344")},
        // The dates lie before the quality byte but are read after it.
        FileCase{"ends_inside_date3", CameraFile().resize(445).bytes(), stopped_after(to_size)},
        FileCase{"ends_before_quality", CameraFile().resize(459).bytes(), stopped_after(to_size)},
        FileCase{"ends_before_shutter", CameraFile().resize(466).bytes(),
                 stopped_after(to_quality)},
        FileCase{"ends_inside_aperture", CameraFile().resize(475).bytes(),
                 stopped_after(to_quality + shutter_line)},
        FileCase{"longer_than_the_record", CameraFile().resize(65536).bytes(),
                 full(default_report())}),
    case_name);

// When both streams lead into one pipe, every message stands where it was written.
TEST(SharedStream, MessagesKeepTheirPlaceAmongReportLines)
{
    struct Case {
        CameraFile camera;
        std::string written;
        int status;
    };
    const std::vector<Case> cases{
        {CameraFile().number(spot::shutter_code, 410),
         report_with(shutter_line, "ERROR: bad shutter speed value"), 0},
        {CameraFile().number(spot::aperture_code, 0),
         report_with(aperture_line, "ERROR: bad aperature value"), 0},
        {CameraFile().resize(411), to_iso + "         Size: 1344ERROR: couldn't read file\n", 1},
    };
    for (const Case& c : cases) {
        const ToolRun run = run_on_bytes(c.camera.bytes(), Wiring::merged);
        EXPECT_EQ(run.out, as_written(c.written));
        EXPECT_EQ(run.exit_code, c.status);
    }
}

} // namespace
