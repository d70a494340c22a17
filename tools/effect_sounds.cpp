// One-shot cues and the engine hum.
#include "tools/sounds.h"

#include "tools/gen_math.h"

#include <cmath>

namespace {

Samples silence(double seconds)
{
    return Samples(static_cast<size_t>(seconds * SAMPLE_RATE), 0.0);
}

double timeOf(size_t i) { return static_cast<double>(i) / SAMPLE_RATE; }

// A struck bell: inharmonic partials, the higher ones dying sooner.
void addBell(Samples& out, double start, double hz, double gain, double decay)
{
    const double ratios[5] = {1.0, 2.0, 2.76, 5.40, 8.93};
    const double levels[5] = {1.0, 0.45, 0.35, 0.18, 0.08};
    const size_t first = static_cast<size_t>(start * SAMPLE_RATE);
    for (int p = 0; p < 5; ++p) {
        const double f = hz * ratios[p];
        if (f > SAMPLE_RATE * 0.45) {
            continue;
        }
        const double tau = decay / std::pow(ratios[p], 0.7);
        for (size_t i = first; i < out.size(); ++i) {
            const double t = timeOf(i - first);
            out[i] += gain * levels[p] * envelope(t, 0.002, tau) * std::sin(2.0 * PI * f * t);
        }
    }
}

// A brassy note: a sawtooth whose filter opens on the attack.
void addBrass(Samples& out, double start, double length, double hz, double gain)
{
    Oscillator a;
    Oscillator b;
    Filter filter;
    const size_t first = static_cast<size_t>(start * SAMPLE_RATE);
    for (size_t i = first; i < out.size(); ++i) {
        const double t = timeOf(i - first);
        const double amp = t < length ? std::min(1.0, t / 0.02) : std::exp(-(t - length) / 0.12);
        if (t > length + 1.0) {
            break;
        }
        const double raw = 0.5 * (a.saw(hz) + b.saw(hz * 1.004));
        filter.run(raw, hz * (2.0 + 5.0 * std::exp(-t / 0.15)), 0.8);
        out[i] += gain * amp * filter.low;
    }
}

}  // namespace

Samples makeExplosionSound()
{
    Samples out = silence(2.4);
    Dice noise(11);
    Dice crackleDice(12);
    Filter body;
    Filter rumble;
    Filter crackleTone;
    double thumpPhase = 0.0;
    double crackle = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = timeOf(i);
        const double n = noise.centred();
        // The blast: noise whose brightness falls away as it spreads.
        body.run(n, 150.0 + 5200.0 * std::exp(-t / 0.22), 0.7);
        double s = body.low * (envelope(t, 0.003, 0.42) + 0.25 * envelope(t, 0.003, 1.1));
        // A short bright crack at the start.
        s += 0.6 * n * envelope(t, 0.0005, 0.012);
        // The thump underneath, dropping in pitch.
        const double thumpHz = 28.0 + 50.0 * std::exp(-t / 0.12);
        thumpPhase += thumpHz / SAMPLE_RATE;
        s += 0.9 * std::sin(2.0 * PI * thumpPhase) * envelope(t, 0.004, 0.32);
        // Debris crackling, thinning out.
        if (crackleDice.centred() > 1.0 - 0.012 * std::exp(-t / 0.5)) {
            crackle = 0.4 + 0.4 * std::fabs(crackleDice.centred());
        }
        crackle *= 0.985;
        crackleTone.run(n * crackle, 2600.0, 1.2);
        s += 0.8 * crackleTone.band;
        // A long low roll.
        rumble.run(n, 90.0, 0.6);
        s += 1.6 * rumble.low * envelope(t, 0.05, 0.9);
        out[i] = std::tanh(1.5 * s);
    }
    normalize(out, 0.9);
    return out;
}

Samples makeRocketSound()
{
    Samples out = silence(1.4);
    Dice noise(21);
    Filter hiss;
    Filter roar;
    Oscillator whistle;
    double popPhase = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = timeOf(i);
        const double n = noise.centred();
        // Hiss that rises as the motor lights, then drops as the rocket leaves.
        const double centre = t < 0.22 ? 700.0 + 2600.0 * (t / 0.22) : 1200.0 + 2100.0 * std::exp(-(t - 0.22) / 0.35);
        hiss.run(n, centre, 1.6);
        const double amp = std::min(1.0, t / 0.03) * (t < 0.4 ? 1.0 : std::exp(-(t - 0.4) / 0.3));
        double s = 0.9 * hiss.band * amp;
        roar.run(n, 320.0, 0.7);
        s += 1.3 * roar.low * amp;
        s += 0.06 * whistle.sine(1900.0 - 500.0 * std::min(1.0, t / 1.0)) * amp;
        // Ignition pop.
        popPhase += 110.0 / SAMPLE_RATE;
        s += 0.7 * std::sin(2.0 * PI * popPhase) * envelope(t, 0.001, 0.05);
        s += 0.5 * n * envelope(t, 0.0005, 0.008);
        out[i] = std::tanh(1.2 * s);
    }
    normalize(out, 0.85);
    return out;
}

Samples makeGateSound()
{
    Samples out = silence(1.0);
    addBell(out, 0.0, midiToHz(88), 0.6, 0.45);   // E6
    addBell(out, 0.07, midiToHz(95), 0.5, 0.55);  // B6
    normalize(out, 0.9);
    return out;
}

Samples makeBestLapSound()
{
    Samples out = silence(2.2);
    const int arpeggio[4] = {72, 76, 79, 84};  // C5 E5 G5 C6
    for (int k = 0; k < 4; ++k) {
        addBrass(out, 0.09 * k, 0.08, midiToHz(arpeggio[k]), 0.35);
    }
    for (int k = 0; k < 4; ++k) {
        addBrass(out, 0.36, 1.1, midiToHz(arpeggio[k]), 0.22);
    }
    addBrass(out, 0.36, 1.1, midiToHz(60), 0.25);
    // Sparkle on top.
    const int sparkle[5] = {96, 100, 103, 108, 103};
    for (int k = 0; k < 5; ++k) {
        addBell(out, 0.36 + 0.07 * k, midiToHz(sparkle[k]), 0.08, 0.35);
    }
    normalize(out, 0.9);
    return out;
}

Samples makeNormalLapSound()
{
    Samples out = silence(1.1);
    addBell(out, 0.0, midiToHz(79), 0.5, 0.5);   // G5
    addBell(out, 0.14, midiToHz(84), 0.5, 0.6);  // C6
    normalize(out, 0.8);
    return out;
}

Samples makeEngineSound()
{
    // Two seconds; every frequency below is a multiple of 0.5 Hz.
    const double loopSeconds = 2.0;
    Samples out = silence(loopSeconds);
    struct Partial {
        double hz;
        double level;
    };
    const Partial hum[] = {{45.0, 1.0}, {45.5, 0.5}, {90.0, 0.55}, {135.0, 0.30}, {180.0, 0.22},
                           {270.0, 0.10}, {360.0, 0.05}, {1320.0, 0.012}};
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = timeOf(i);
        double s = 0.0;
        for (const Partial& p : hum) {
            s += p.level * std::sin(2.0 * PI * p.hz * t);
        }
        // A turbine throb three times a second.
        s *= 1.0 + 0.15 * std::sin(2.0 * PI * 3.0 * t);
        out[i] = s;
    }
    // A rumble of many low partials with scattered phases, on the same grid.
    Dice phases(31);
    for (int k = 40; k <= 800; ++k) {
        const double hz = 0.5 * k;
        const double level = 0.05 / std::pow(hz / 20.0, 0.9);
        const double phase = (phases.centred() + 1.0) * PI;
        // Rotate a phasor instead of calling sin for each of 700 partials.
        const double stepCos = std::cos(2.0 * PI * hz / SAMPLE_RATE);
        const double stepSin = std::sin(2.0 * PI * hz / SAMPLE_RATE);
        double c = std::cos(phase);
        double s = std::sin(phase);
        for (size_t i = 0; i < out.size(); ++i) {
            out[i] += level * s;
            const double nc = c * stepCos - s * stepSin;
            s = s * stepCos + c * stepSin;
            c = nc;
        }
    }
    normalize(out, 0.45);
    return out;
}
