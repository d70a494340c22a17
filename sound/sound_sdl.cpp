#include "sound/sound_sdl.h"

#include "geometry/file_read.h"
#include "sound/radio_decoding_sdl.h"
#include "sound/sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

const char* const SAMPLE_FILES[SAMPLE_COUNT] = {
    "sound/explosion.wav", "sound/rocket.wav", "sound/gate.wav", "sound/bestlap.wav", "sound/normlap.wav",
};
const char* const MUSIC_FILE = "sound/bk01.mp3";
const char* const ENGINE_FILE = "sound/engine.wav";

struct SoundDevice {
    bool open = false;
    bool silent = false;
    bool musicDecoding = false;  // the radio's track is still on its helper thread
    std::vector<Uint8> musicSamples;  // the radio's decoded track, which music plays
    Mix_Chunk* music = nullptr;
    Mix_Chunk* engine = nullptr;
    Mix_Chunk* samples[SAMPLE_COUNT] = {};
};

SoundDevice device;
bool closesAtExit = false;

class MixerOutput : public SoundOutput {
public:
    void playSample(int channel, int slot) override
    {
        if (slot >= 0 && slot < SAMPLE_COUNT && device.samples[slot]) {
            Mix_PlayChannel(channel, device.samples[slot], 0);
        }
    }
    void setVolume(int channel, int volume) override
    {
        if (device.open) {
            Mix_Volume(channel, soundMixerVolume(volume));
        }
    }
};

MixerOutput mixerOutput;

// A machine without a sound server or card makes ALSA print several lines of
// complaints; nothing is wrong with the game, so they are kept off the console.
class StderrSilencer {
public:
    StderrSilencer()
    {
        std::fflush(stderr);
        saved_ = dup(STDERR_FILENO);
        const int devNull = ::open("/dev/null", O_WRONLY);
        if (saved_ >= 0 && devNull >= 0) {
            dup2(devNull, STDERR_FILENO);
        }
        if (devNull >= 0) {
            close(devNull);
        }
    }
    ~StderrSilencer()
    {
        std::fflush(stderr);
        if (saved_ >= 0) {
            dup2(saved_, STDERR_FILENO);
            close(saved_);
        }
    }
    StderrSilencer(const StderrSilencer&) = delete;
    StderrSilencer& operator=(const StderrSilencer&) = delete;

private:
    int saved_ = -1;
};

// Reads one sound file whole. A file that cannot be used leaves its sound
// silent and is named in one line on standard error.
bool readSound(const char* fileName, std::string& bytes)
{
    const FileReadStatus status = readWholeFile(fileName, bytes);
    if (status != FileReadStatus::OK) {
        std::fprintf(stderr, "Sound %s: %s\n", fileName, fileReadReason(status));
        return false;
    }
    if (bytes.empty()) {
        std::fprintf(stderr, "Sound %s: empty\n", fileName);
        return false;
    }
    return true;
}

Mix_Chunk* decodeSound(const char* fileName, const std::string& bytes)
{
    Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
    if (!chunk) {
        std::fprintf(stderr, "Sound %s: %s\n", fileName, Mix_GetError());
    }
    return chunk;
}

// Reads and decodes one sound file, as readSound reports.
Mix_Chunk* loadSound(const char* fileName)
{
    std::string bytes;
    return readSound(fileName, bytes) ? decodeSound(fileName, bytes) : nullptr;
}

// Plain sample files (WAV, AIFF, VOC) the mixer takes as they are.
bool isPlainSampleFile(const std::string& bytes)
{
    for (const char* magic : {"RIFF", "WAVE", "FORM", "Crea"}) {
        if (bytes.compare(0, 4, magic) == 0) {
            return true;
        }
    }
    return false;
}

// The radio starts on its channel at once when its file is plain samples.
// An MP3 is decoded on a helper thread instead, and soundUpdate starts it
// when it is ready: decoding the 64 s track would hold up the first frame,
// and the mixer's own loader holds the mixer's lock while it decodes.
void startMusic(std::string bytes)
{
    if (isPlainSampleFile(bytes)) {
        device.music = decodeSound(MUSIC_FILE, bytes);
        if (device.music) {
            Mix_PlayChannel(CHANNEL_RADIO, device.music, -1);
        }
        return;
    }
    MixerFormat mixer;
    Uint16 format = 0;
    Mix_QuerySpec(&mixer.rate, &format, &mixer.channels);
    mixer.format = format;
    startRadioDecoding(std::move(bytes), mixer);
    device.musicDecoding = true;
}

bool openMixer()
{
    // SDL would turn SIGINT and SIGTERM into quit events that nothing reads,
    // so Ctrl+C or a plain kill could no longer end the game.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return false;
    }
    if (Mix_OpenAudio(SOUND_MIX_RATE, AUDIO_S16SYS, 2, 1024) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    return true;
}

bool openDevice()
{
    {
        StderrSilencer quiet;
        if (openMixer()) {
            return true;
        }
    }
    // No real device: the dummy driver keeps the channel bookkeeping working.
    // Override priority, or a driver named in SDL_AUDIODRIVER would win again.
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    if (openMixer()) {
        device.silent = true;
        return true;
    }
    return false;
}

}  // namespace

void soundInit(int radioVolume)
{
    if (device.open) {
        return;
    }
    if (!openDevice()) {
        return;  // no sound at all; every cue stays silent
    }
    device.open = true;
    // Not every end of the process runs the exit sequence: Xlib calls exit(1)
    // when the X connection goes (a logout, a display server restarted), and
    // a library may call exit too. Static objects are then destroyed, the
    // radio's samples among them, while SDL's audio thread still mixes from
    // them. Handlers registered after those objects were built run before
    // their destructors, so this one stops the mixer first.
    if (!closesAtExit) {
        closesAtExit = std::atexit(soundShutdown) == 0;
    }
    Mix_AllocateChannels(CHANNEL_COUNT);

    std::string music;
    if (readSound(MUSIC_FILE, music)) {
        startMusic(std::move(music));
    }
    device.engine = loadSound(ENGINE_FILE);
    for (int slot = 0; slot < SAMPLE_COUNT; ++slot) {
        device.samples[slot] = loadSound(SAMPLE_FILES[slot]);
    }
    soundSetOutput(&mixerOutput);

    soundSetVolume(CHANNEL_RADIO, radioVolume);
    if (device.engine) {
        Mix_PlayChannel(CHANNEL_ENGINE, device.engine, -1);
    }
}

void soundUpdate()
{
    if (!device.musicDecoding) {
        return;
    }
    DecodedTrack track;
    if (!takeDecodedRadio(track)) {
        return;
    }
    device.musicDecoding = false;
    if (track.error.empty()) {
        device.musicSamples = std::move(track.samples);
        device.music =
            Mix_QuickLoad_RAW(device.musicSamples.data(), static_cast<Uint32>(device.musicSamples.size()));
    } else {
        // Not an MP3 the helper could read: whatever else the mixer reads
        // (Ogg, FLAC, ...) it decodes here, as it always did; otherwise its
        // complaint names the file.
        device.music = decodeSound(MUSIC_FILE, track.file);
    }
    if (device.music) {
        Mix_PlayChannel(CHANNEL_RADIO, device.music, -1);
    }
}

void soundShutdown()
{
    if (!device.open) {
        return;
    }
    cancelRadioDecoding();
    soundSetOutput(nullptr);
    Mix_HaltChannel(-1);
    Mix_FreeChunk(device.music);
    Mix_FreeChunk(device.engine);
    for (Mix_Chunk*& sample : device.samples) {
        Mix_FreeChunk(sample);
        sample = nullptr;
    }
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    if (device.silent) {
        SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    }
    device = SoundDevice{};
}

bool soundIsSilentDevice()
{
    return device.silent;
}
