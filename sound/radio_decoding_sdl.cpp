#include "sound/radio_decoding_sdl.h"

#include "geometry/background_job.h"

#include <mpg123.h>

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <utility>

namespace {

// What mpg123 reads through: the file's bytes in memory.
struct MemoryFile {
    const std::string* bytes = nullptr;
    std::size_t position = 0;
};

mpg123_ssize_t readMemory(void* handle, void* to, std::size_t count)
{
    auto* file = static_cast<MemoryFile*>(handle);
    const std::size_t left = file->bytes->size() - file->position;
    const std::size_t n = std::min(count, left);
    std::memcpy(to, file->bytes->data() + file->position, n);
    file->position += n;
    return static_cast<mpg123_ssize_t>(n);
}

off_t seekMemory(void* handle, off_t offset, int whence)
{
    auto* file = static_cast<MemoryFile*>(handle);
    off_t base = 0;
    if (whence == SEEK_CUR) {
        base = static_cast<off_t>(file->position);
    } else if (whence == SEEK_END) {
        base = static_cast<off_t>(file->bytes->size());
    }
    const off_t target = base + offset;
    if (target < 0 || target > static_cast<off_t>(file->bytes->size())) {
        return -1;
    }
    file->position = static_cast<std::size_t>(target);
    return target;
}

void releaseNothing(void*) {}

// Moves what the converter holds to the end of the samples.
void drain(SDL_AudioStream* stream, std::vector<Uint8>& samples)
{
    const int available = SDL_AudioStreamAvailable(stream);
    if (available <= 0) {
        return;
    }
    const std::size_t at = samples.size();
    samples.resize(at + static_cast<std::size_t>(available));
    const int got = SDL_AudioStreamGet(stream, samples.data() + at, available);
    samples.resize(at + static_cast<std::size_t>(std::max(got, 0)));
}

struct DecoderHandles {
    mpg123_handle* decoder = nullptr;
    SDL_AudioStream* converter = nullptr;
    ~DecoderHandles()
    {
        if (converter) {
            SDL_FreeAudioStream(converter);
        }
        if (decoder) {
            mpg123_close(decoder);
            mpg123_delete(decoder);
        }
    }
};

// A converter from the decoder's current format to the mixer's; what the one
// before still held goes to the samples first.
bool useDecodedFormat(DecoderHandles& handles, const MixerFormat& mixer, DecodedTrack& track)
{
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (mpg123_getformat(handles.decoder, &rate, &channels, &encoding) != MPG123_OK) {
        return false;
    }
    if (handles.converter) {
        SDL_AudioStreamFlush(handles.converter);
        drain(handles.converter, track.samples);
        SDL_FreeAudioStream(handles.converter);
    }
    handles.converter = SDL_NewAudioStream(AUDIO_S16SYS, static_cast<Uint8>(channels), static_cast<int>(rate),
                                           mixer.format, static_cast<Uint8>(mixer.channels), mixer.rate);
    return handles.converter != nullptr;
}

// The result of one helper, handed over under its lock. The helper owns a
// reference of its own, so that a process ending while it decodes never
// frees this under it.
struct RadioJob {
    std::string mp3;  // read by the helper alone
    MixerFormat mixer;
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    DecodedTrack track;
};

// The one job of the process, started at start-up and taken by the frame
// that finds it done (soundUpdate, from a toolkit callback); main thread only.
std::shared_ptr<RadioJob> currentJob;

void runJob(const std::shared_ptr<RadioJob>& job)
{
    DecodedTrack track = decodeMp3(job->mp3, job->mixer);
    if (track.error.empty()) {
        job->mp3 = std::string();
    } else {
        track.file = std::move(job->mp3);
    }
    std::lock_guard<std::mutex> lock(job->mutex);
    job->track = std::move(track);
    job->done = true;
    job->finished.notify_all();
}

}  // namespace

DecodedTrack decodeMp3(const std::string& mp3, const MixerFormat& mixer)
{
    DecodedTrack track;
    DecoderHandles handles;
    int result = MPG123_OK;
    handles.decoder = mpg123_new(nullptr, &result);
    if (!handles.decoder) {
        track.error = mpg123_plain_strerror(result);
        return track;
    }
    MemoryFile file{&mp3, 0};
    mpg123_param(handles.decoder, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    // Signed 16-bit samples at the file's own rate and channels, which is what
    // the decoder gives the mixer's loader too; the converter does the rest.
    mpg123_format_none(handles.decoder);
    const long* rates = nullptr;
    std::size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    for (std::size_t i = 0; i < rateCount; ++i) {
        mpg123_format(handles.decoder, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    }
    if (mpg123_replace_reader_handle(handles.decoder, readMemory, seekMemory, releaseNothing) != MPG123_OK ||
        mpg123_open_handle(handles.decoder, &file) != MPG123_OK || !useDecodedFormat(handles, mixer, track)) {
        track.error = mpg123_strerror(handles.decoder);
        return track;
    }

    // Learning the format decoded the first frames; back at the start, the
    // decoder begins afresh, as the mixer's loader has it begin, and every
    // sample comes out the same.
    mpg123_seek(handles.decoder, 0, SEEK_SET);
    std::vector<unsigned char> buffer(4096);
    for (;;) {
        std::size_t got = 0;
        result = mpg123_read(handles.decoder, buffer.data(), buffer.size(), &got);
        if (result == MPG123_OK) {
            SDL_AudioStreamPut(handles.converter, buffer.data(), static_cast<int>(got));
            drain(handles.converter, track.samples);
        } else if (result == MPG123_NEW_FORMAT) {
            if (!useDecodedFormat(handles, mixer, track)) {
                track.error = SDL_GetError();
                break;
            }
        } else if (result == MPG123_DONE) {
            // The last read may still bring samples.
            SDL_AudioStreamPut(handles.converter, buffer.data(), static_cast<int>(got));
            SDL_AudioStreamFlush(handles.converter);
            drain(handles.converter, track.samples);
            break;
        } else {
            track.error = result == MPG123_ERR ? mpg123_strerror(handles.decoder) : mpg123_plain_strerror(result);
            break;
        }
    }
    if (track.samples.empty() && track.error.empty()) {
        track.error = "no audio data";
    }
    if (!track.error.empty()) {
        track.samples.clear();
    }
    return track;
}

void startRadioDecoding(std::string mp3, const MixerFormat& mixer)
{
    cancelRadioDecoding();
    currentJob = std::make_shared<RadioJob>();
    currentJob->mp3 = std::move(mp3);
    currentJob->mixer = mixer;
    std::shared_ptr<RadioJob> job = currentJob;
    runInBackground([job] { runJob(job); });
}

bool takeDecodedRadio(DecodedTrack& track)
{
    if (!currentJob) {
        return false;
    }
    {
        std::lock_guard<std::mutex> lock(currentJob->mutex);
        if (!currentJob->done) {
            return false;
        }
        track = std::move(currentJob->track);
    }
    currentJob.reset();
    return true;
}

void cancelRadioDecoding()
{
    if (!currentJob) {
        return;
    }
    {
        RadioJob& job = *currentJob;
        std::unique_lock<std::mutex> lock(job.mutex);
        job.finished.wait(lock, [&job] { return job.done; });
    }
    currentJob.reset();
}
