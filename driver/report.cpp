// The report: each value printed as soon as it is read, in the camera's fixed order,
// then the three date stamps together and whether they agree.
#include "driver.hpp"
#include "record/layout.hpp"

#include <cstdio>

namespace {

// Reads one field of the report; a read that is not ok has stopped the run.
bool fetch(PictureFile& file, const FieldSpec& field, FieldBuffer& buffer)
{
    const FieldRead read = read_field(file, field, buffer);
    if (read.outcome != ReadOutcome::ok) {
        stop_on_failed_read(read.outcome);
        return false;
    }
    return true;
}

std::string_view text_of(const FieldBuffer& buffer, const FieldSpec& field)
{
    return field_text(std::span(buffer).first(field.length));
}

// The two-byte fields (numbers and codes) are read into the front of the buffer.
std::uint16_t number_of(const FieldBuffer& buffer)
{
    return be16(buffer[0], buffer[1]);
}

void print_keyword(std::string_view keyword)
{
    if (keyword.empty()) {
        return;
    }
    FieldBuffer scratch{};
    const std::string_view shown = shown_text(stdout, keyword, scratch);
    std::printf("      Keyword: %.*s\n", text_width(shown), shown.data());
}

void print_quality(std::uint8_t code)
{
    const std::optional<Quality> quality = decode_quality(code);
    if (!quality) {
        std::fputs("ERROR: unknown Quality\n", stdout);
        return;
    }
    switch (*quality) {
    case Quality::low:
        std::fputs("      Quality: Low\n", stdout);
        break;
    case Quality::medium:
        std::fputs("      Quality: Medium\n", stdout);
        break;
    case Quality::high:
        std::fputs("      Quality: High\n", stdout);
        break;
    }
}

void print_shutter(std::uint16_t code)
{
    if (const std::optional<std::int32_t> speed = decode_shutter(code)) {
        std::printf("Shutter Speed: %d\n", static_cast<int>(*speed));
    } else {
        std::fputs("ERROR: bad shutter speed value", error_stream());
    }
}

void print_aperture(std::uint16_t code)
{
    if (const std::optional<double> f_number = decode_aperture(code)) {
        std::printf("    Aperature: %.1f\n", *f_number);
    } else {
        std::fputs("ERROR: bad aperature value", error_stream());
    }
}

void print_dates(std::string_view date1, std::string_view date2, std::string_view date3)
{
    FieldBuffer scratch1{};
    FieldBuffer scratch2{};
    FieldBuffer scratch3{};
    const std::string_view shown1 = shown_text(stdout, date1, scratch1);
    const std::string_view shown2 = shown_text(stdout, date2, scratch2);
    const std::string_view shown3 = shown_text(stdout, date3, scratch3);
    std::printf("\n        Date1: %.*s\n", text_width(shown1), shown1.data());
    std::printf("        Date2: %.*s\n", text_width(shown2), shown2.data());
    std::printf("        Date3: %.*s\n", text_width(shown3), shown3.data());
}

} // namespace

Progress report_fields(PictureFile& file)
{
    FieldBuffer buffer{};

    if (!fetch(file, layout::keyword, buffer)) {
        return Progress::stopped;
    }
    print_keyword(text_of(buffer, layout::keyword));

    if (!fetch(file, layout::iso, buffer)) {
        return Progress::stopped;
    }
    std::printf("          ISO: %d\n", int{number_of(buffer)});

    if (!fetch(file, layout::width, buffer)) {
        return Progress::stopped;
    }
    std::printf("         Size: %d", int{number_of(buffer)}); // the height completes the line

    if (!fetch(file, layout::height, buffer)) {
        return Progress::stopped;
    }
    std::printf(" x %d\n", int{number_of(buffer)});

    if (!fetch(file, layout::quality, buffer)) {
        return Progress::stopped;
    }
    print_quality(static_cast<std::uint8_t>(buffer[0]));

    if (!fetch(file, layout::shutter_code, buffer)) {
        return Progress::stopped;
    }
    print_shutter(number_of(buffer));

    if (!fetch(file, layout::aperture_code, buffer)) {
        return Progress::stopped;
    }
    print_aperture(number_of(buffer));

    // The dates are kept until all three are in hand: a stop among them prints none.
    FieldBuffer date1{};
    FieldBuffer date2{};
    FieldBuffer date3{};
    if (!fetch(file, layout::date1, date1) || !fetch(file, layout::date2, date2) ||
        !fetch(file, layout::date3, date3)) {
        return Progress::stopped;
    }
    const std::string_view text1 = text_of(date1, layout::date1);
    const std::string_view text2 = text_of(date2, layout::date2);
    const std::string_view text3 = text_of(date3, layout::date3);
    print_dates(text1, text2, text3);
    cross_check_dates(text1, text2, text3);
    return Progress::carry_on;
}

// Dates are compared as the camera wrote them, each up to its first NUL.
void cross_check_dates(std::string_view date1, std::string_view date2, std::string_view date3)
{
    if (date1 != date2) {
        std::fputs("Dates 1 & 2 don't match\n", stdout);
    }
    if (date1 != date3) {
        std::fputs("Dates 1 & 3 don't match\n", stdout);
    }
    if (date2 != date3) {
        std::fputs("Dates 2 & 3 don't match\n", stdout);
    }
}
