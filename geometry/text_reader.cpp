#include "geometry/text_reader.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

bool isSpace(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

TextReader::TextReader(const std::string& text)
    : pos_(text.c_str()), end_(text.c_str() + std::strlen(text.c_str()))
{
}

void TextReader::skipSpace()
{
    while (pos_ < end_ && isSpace(*pos_)) {
        ++pos_;
    }
}

bool TextReader::readInt(int& out)
{
    skipSpace();
    if (pos_ == end_) {
        return false;
    }
    char* stop = nullptr;
    errno = 0;
    const long value = std::strtol(pos_, &stop, 10);
    if (stop == pos_) {
        return false;
    }
    // A number that does not fit in 32 bits is not an integer of the format.
    if (errno == ERANGE || value < INT_MIN || value > INT_MAX) {
        return false;
    }
    pos_ = stop;
    out = static_cast<int>(value);
    return true;
}

bool TextReader::readFloat(float& out)
{
    skipSpace();
    if (pos_ == end_) {
        return false;
    }
    char* stop = nullptr;
    const float value = std::strtof(pos_, &stop);
    if (stop == pos_) {
        return false;
    }
    pos_ = stop;
    out = value;
    return true;
}

bool TextReader::readDouble(double& out)
{
    skipSpace();
    if (pos_ == end_) {
        return false;
    }
    char* stop = nullptr;
    const double value = std::strtod(pos_, &stop);
    if (stop == pos_) {
        return false;
    }
    pos_ = stop;
    out = value;
    return true;
}

bool TextReader::readWord(std::string& out, std::size_t maxLength)
{
    skipSpace();
    if (pos_ == end_) {
        return false;
    }
    const char* start = pos_;
    while (pos_ < end_ && !isSpace(*pos_)) {
        ++pos_;
    }
    const std::size_t length = static_cast<std::size_t>(pos_ - start);
    out.assign(start, length < maxLength ? length : maxLength);
    return true;
}
