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

template <typename T, typename Convert>
bool TextReader::readNumber(T& out, Convert convert)
{
    skipSpace();
    if (pos_ == end_) {
        return false;
    }
    char* stop = nullptr;
    T value{};
    if (!convert(pos_, &stop, value) || stop == pos_) {
        return false;
    }
    pos_ = stop;
    out = value;
    return true;
}

bool TextReader::readInt(int& out)
{
    return readNumber(out, [](const char* from, char** stop, int& value) {
        errno = 0;
        const long parsed = std::strtol(from, stop, 10);
        // A number that does not fit in 32 bits is not an integer of the format.
        if (errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX) {
            return false;
        }
        value = static_cast<int>(parsed);
        return true;
    });
}

bool TextReader::readFloat(float& out)
{
    return readNumber(out, [](const char* from, char** stop, float& value) {
        value = std::strtof(from, stop);
        return true;
    });
}

bool TextReader::readDouble(double& out)
{
    return readNumber(out, [](const char* from, char** stop, double& value) {
        value = std::strtod(from, stop);
        return true;
    });
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
