// A fresh temporary directory that the test works in; the previous working
// directory is restored and the directory removed when it goes out of scope.
#pragma once

#include <string>

class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return path_; }
    // Writes a file below the directory, creating sub-directories as needed.
    void write(const std::string& relativePath, const std::string& bytes) const;

private:
    std::string path_;
    std::string previous_;
};

// A mono 16-bit PCM WAV file of a sine tone.
std::string makeWav(int sampleRate, double seconds, double frequency);
