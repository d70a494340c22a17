// Building blocks for the synthesised sounds: oscillators, noise, filters,
// envelopes and a small reverb. Everything is deterministic.
#pragma once

#include "tools/noise.h"

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr int SAMPLE_RATE = 22050;

using Samples = std::vector<double>;

double midiToHz(double note);

// Band-limited sawtooth and pulse by polynomial step correction; phase in
// [0, 1), advanced by the caller's frequency each sample.
struct Oscillator {
    double phase = 0.0;
    double saw(double hz);
    double pulse(double hz, double width);
    double sine(double hz);
};

// State-variable filter (trapezoidal), one sample at a time.
struct Filter {
    double ic1 = 0.0;
    double ic2 = 0.0;
    double low = 0.0;
    double band = 0.0;
    double high = 0.0;
    double a1 = 0.0;
    double a2 = 0.0;
    double a3 = 0.0;
    double k = 1.0;
    // q: resonance, 0.5 (soft) upward.
    void tune(double cutoffHz, double q);
    void process(double input);
    // tune and process in one; for cutoffs that move every sample.
    void run(double input, double cutoffHz, double q)
    {
        tune(cutoffHz, q);
        process(input);
    }
};

// Exponential attack-decay envelope value at time t (seconds).
double envelope(double t, double attack, double decay);

// A stereo Schroeder reverb: parallel combs into series all-passes. Run over
// a loop twice, it reaches the steady state in which the tail of the end
// rings into the beginning.
class Reverb {
public:
    Reverb();
    void process(double inLeft, double inRight, double& outLeft, double& outRight);

private:
    struct Comb {
        std::vector<double> line;
        size_t pos = 0;
        double feedback = 0.0;
        double damp = 0.0;
        double store = 0.0;
        double run(double x);
    };
    struct AllPass {
        std::vector<double> line;
        size_t pos = 0;
        double run(double x);
    };
    Comb combs_[2][4];
    AllPass passes_[2][2];
};

// Scales the samples so that the largest magnitude is `peak`.
void normalize(Samples& samples, double peak);
void normalize(Samples& left, Samples& right, double peak);
