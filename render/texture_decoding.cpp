#include "render/texture_decoding.h"

#include "geometry/background_job.h"
#include "render/texture_table.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <utility>

namespace {

// One round through the table. The helper holds a reference of its own, so
// that a process ending in the middle of start-up (a model that cannot be
// allocated, a display that cannot be opened) never frees it under the helper.
struct DecodingRound {
    std::mutex mutex;
    std::condition_variable changed;
    int nextSlot = 0;  // the first slot nobody has begun
    bool stopping = false;
    bool helperDone = false;
    bool done[TEXTURE_SLOT_COUNT] = {};
    DecodedTexture results[TEXTURE_SLOT_COUNT];
};

// The one round of the process: started before the display exists and taken
// slot by slot once it does, across start-up's calls.
std::shared_ptr<DecodingRound> currentRound;  // touched by the GL thread only

// Begins the next slot, or returns -1 when there is none left to begin.
int beginNextSlot(DecodingRound& round)
{
    std::lock_guard<std::mutex> lock(round.mutex);
    if (round.stopping || round.nextSlot >= TEXTURE_SLOT_COUNT) {
        return -1;
    }
    return round.nextSlot++;
}

void decodeSlot(DecodingRound& round, int slot)
{
    DecodedTexture decoded = decodeTextureFile(TEXTURE_FILES[slot]);
    std::lock_guard<std::mutex> lock(round.mutex);
    // The start-up ends at a slot that cannot be used; later ones are not needed.
    if (decoded.bytesPerPixel == 0) {
        round.stopping = true;
    }
    round.results[slot] = std::move(decoded);
    round.done[slot] = true;
    round.changed.notify_all();
}

void runHelper(const std::shared_ptr<DecodingRound>& round)
{
    for (int slot = beginNextSlot(*round); slot >= 0; slot = beginNextSlot(*round)) {
        decodeSlot(*round, slot);
    }
    std::lock_guard<std::mutex> lock(round->mutex);
    round->helperDone = true;
    round->changed.notify_all();
}

std::vector<unsigned char> withOpaqueAlpha(const std::vector<unsigned char>& rgb)
{
    std::vector<unsigned char> rgba(rgb.size() / 3 * 4);
    for (std::size_t from = 0, to = 0; from + 2 < rgb.size(); from += 3, to += 4) {
        rgba[to] = rgb[from];
        rgba[to + 1] = rgb[from + 1];
        rgba[to + 2] = rgb[from + 2];
        rgba[to + 3] = 255;
    }
    return rgba;
}

}  // namespace

DecodedTexture decodeTextureFile(const char* fileName)
{
    DecodedTexture decoded;
    std::unique_ptr<TgaImage> image = readTga(fileName, decoded.refusal);
    if (image) {
        decoded.bytesPerPixel = image->bytesPerPixel;
        decoded.levels = buildMipmapLevels(std::move(*image));
        if (decoded.bytesPerPixel == 3) {
            for (MipmapLevel& level : decoded.levels) {
                level.pixels = withOpaqueAlpha(level.pixels);
            }
        }
    }
    return decoded;
}

void startTextureDecoding()
{
    if (currentRound) {
        return;
    }
    currentRound = std::make_shared<DecodingRound>();
    std::shared_ptr<DecodingRound> round = currentRound;
    runInBackground([round] { runHelper(round); });
}

DecodedTexture takeDecodedTexture(int slot)
{
    startTextureDecoding();
    DecodingRound& round = *currentRound;
    std::unique_lock<std::mutex> lock(round.mutex);
    while (!round.done[slot]) {
        // Rather than wait for the helper, begin the next slot here; after a
        // failure only the slots up to the one wanted. A slot once begun is
        // always finished, so the wait below ends.
        if (round.nextSlot < TEXTURE_SLOT_COUNT && (!round.stopping || round.nextSlot <= slot)) {
            const int mine = round.nextSlot++;
            lock.unlock();
            decodeSlot(round, mine);
            lock.lock();
        } else {
            round.changed.wait(lock);
        }
    }
    return std::move(round.results[slot]);
}

void stopTextureDecoding()
{
    if (!currentRound) {
        return;
    }
    {
        DecodingRound& round = *currentRound;
        std::unique_lock<std::mutex> lock(round.mutex);
        round.stopping = true;
        round.changed.wait(lock, [&round] { return round.helperDone; });
    }
    currentRound.reset();
}
