#include "tools/audio_files.h"

#include <lame/lame.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

void put16(std::string& out, uint32_t v)
{
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void put32(std::string& out, uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

constexpr int MP3_KBPS = 96;

}  // namespace

short toPcm16(double sample)
{
    const double v = std::floor(sample * 32767.0 + 0.5);
    return static_cast<short>(std::max(-32768.0, std::min(32767.0, v)));
}

std::string encodeWav(const Samples& samples)
{
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::string out = "RIFF";
    put32(out, 36 + dataBytes);
    out += "WAVEfmt ";
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, SAMPLE_RATE);
    put32(out, SAMPLE_RATE * 2);
    put16(out, 2);   // block align
    put16(out, 16);  // bits per sample
    out += "data";
    put32(out, dataBytes);
    for (double s : samples) {
        put16(out, static_cast<uint16_t>(toPcm16(s)));
    }
    return out;
}

std::string encodeMp3(const Samples& left, const Samples& right)
{
    lame_t lame = lame_init();
    if (!lame) {
        return {};
    }
    lame_set_in_samplerate(lame, SAMPLE_RATE);
    lame_set_out_samplerate(lame, SAMPLE_RATE);
    lame_set_num_channels(lame, 2);
    lame_set_mode(lame, JOINT_STEREO);
    lame_set_VBR(lame, vbr_off);
    lame_set_brate(lame, MP3_KBPS);
    lame_set_quality(lame, 5);
    lame_set_bWriteVbrTag(lame, 1);
    if (lame_init_params(lame) < 0) {
        lame_close(lame);
        return {};
    }
    std::vector<short> l(left.size());
    std::vector<short> r(right.size());
    for (size_t i = 0; i < left.size(); ++i) {
        l[i] = toPcm16(left[i]);
        r[i] = toPcm16(right[i]);
    }
    std::string out;
    const int chunk = 8192;
    std::vector<unsigned char> buffer(static_cast<size_t>(chunk * 5 / 4 + 7200));
    for (size_t start = 0; start < l.size(); start += chunk) {
        const int count = static_cast<int>(std::min<size_t>(chunk, l.size() - start));
        const int written = lame_encode_buffer(lame, &l[start], &r[start], count, buffer.data(),
                                               static_cast<int>(buffer.size()));
        if (written < 0) {
            lame_close(lame);
            return {};
        }
        out.append(reinterpret_cast<const char*>(buffer.data()), static_cast<size_t>(written));
    }
    const int flushed = lame_encode_flush(lame, buffer.data(), static_cast<int>(buffer.size()));
    if (flushed < 0) {
        lame_close(lame);
        return {};
    }
    out.append(reinterpret_cast<const char*>(buffer.data()), static_cast<size_t>(flushed));
    // The first frame was a placeholder; now that the lengths are known the
    // encoder fills it in.
    std::vector<unsigned char> tag(4096);
    const size_t tagSize = lame_get_lametag_frame(lame, tag.data(), tag.size());
    if (tagSize > 0 && tagSize <= out.size()) {
        out.replace(0, tagSize, reinterpret_cast<const char*>(tag.data()), tagSize);
    }
    lame_close(lame);
    return out;
}
