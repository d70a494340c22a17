// The sound device over SDL2_mixer: 22050 Hz, 32 channels, the music and
// engine streams looping on channels 31 and 30, the five samples in slots 0 to 4.
#pragma once

#include "sound/sound.h"

// Opens the device and the files, starts the engine stream and sets the
// music's channel to radioVolume (0 to 255, the app's); the music itself is
// decoded on a helper
// thread and starts with soundUpdate. Without a usable sound device it opens
// SDL's dummy driver, so channels still play (silently); a missing file leaves
// its sound silent. Installs itself as the output of sound/sound.h.
void soundInit(int radioVolume = RADIO_VOLUME_START);

// On the main thread, once a frame: starts the music, looping on its channel
// at the volume the channel holds, as soon as its helper has decoded it. A
// track that could not be decoded is named in one line on standard error.
void soundUpdate();

// Stops every channel, frees the sounds and closes the device. Safe to call
// twice. Once the device has opened it also runs at any exit of the process,
// before the destructors of static objects the mixer reads from.
void soundShutdown();

// True when the device is SDL's silent dummy driver.
bool soundIsSilentDevice();
