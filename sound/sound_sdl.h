// The sound device over SDL2_mixer: 22050 Hz, 32 channels, the music and
// engine streams looping on channels 31 and 30, the five samples in slots 0 to 4.
#pragma once

// Opens the device and the files and starts both streams, the music at
// radioVolume. Without a usable sound device it opens SDL's dummy driver, so
// channels still play (silently); a missing file leaves its sound silent.
// Installs itself as the output of sound/sound.h.
void soundInit();

// Stops every channel, frees the sounds and closes the device. Safe to call twice.
void soundShutdown();

// True when the device is SDL's silent dummy driver.
bool soundIsSilentDevice();
