#include "picture_record.hpp"

FieldRead read_field(PictureFile& file, const FieldSpec& field, FieldBuffer& buffer)
{
    // Positioning past the end is not an error: the read that follows simply gets nothing.
    if (std::fseek(&file, static_cast<long>(field.offset), SEEK_SET) != 0) {
        return {ReadOutcome::seek_failed, 0};
    }
    const std::size_t count = std::fread(buffer.data(), 1, field.length, &file);
    // The error test comes first: a read that fails and comes up short is a read error.
    if (std::ferror(&file) != 0) {
        return {ReadOutcome::read_error, count};
    }
    if (count < field.length) {
        return {ReadOutcome::short_read, count};
    }
    return {ReadOutcome::ok, count};
}
