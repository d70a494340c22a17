// Reads white-space separated numbers and words from text held in memory,
// the way the C library's formatted input does ("%d", "%f", "%lf", "%s"):
// leading white space is skipped and a value ends where its syntax ends. The
// text ends at its first NUL byte. A read that fails leaves its destination
// unchanged and the reader where it was.
#pragma once

#include <cstddef>
#include <string>

class TextReader {
public:
    // The text must outlive the reader.
    explicit TextReader(const std::string& text);

    bool readInt(int& out);
    bool readFloat(float& out);
    bool readDouble(double& out);
    // One word of non-white-space characters. At most maxLength characters are
    // kept; the rest of the word is skipped.
    bool readWord(std::string& out, std::size_t maxLength);

    void skipSpace();
    // Bytes left before the end of the text (an upper bound on what a count
    // of values still to be read can be).
    std::size_t remaining() const { return static_cast<std::size_t>(end_ - pos_); }
    // Where the reader stands, counted from the start of the text it was given.
    std::size_t offsetIn(const std::string& text) const { return static_cast<std::size_t>(pos_ - text.c_str()); }

private:
    // Skips white space and reads one number with convert, which parses at its
    // first argument, says where it stopped and refuses a value out of range.
    template <typename T, typename Convert>
    bool readNumber(T& out, Convert convert);

    const char* pos_;
    const char* end_;
};
