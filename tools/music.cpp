// The radio's music: 32 bars in A minor at 120 beats a minute, drums, bass,
// pads, an arpeggio and a lead, in four sections of eight bars. Every note is
// written into loop-long buffers modulo the loop length, and the echo and
// reverb run over the loop twice, keeping the second pass: whatever rings past
// the end is heard at the beginning, as it would be when the loop repeats.
#include "tools/sounds.h"

#include "tools/gen_math.h"

#include <cmath>

namespace {

constexpr size_t LOOP = static_cast<size_t>(MUSIC_BARS) * 4 * SAMPLES_PER_BEAT;
constexpr size_t ECHO_SAMPLES = SAMPLES_PER_BEAT * 3 / 4;  // a dotted eighth
constexpr size_t CONTROL_STEP = 16;  // samples between filter sweeps' updates

struct Bus {
    Samples left = Samples(LOOP, 0.0);
    Samples right = Samples(LOOP, 0.0);

    // Adds a mono note at a sample position, wrapping at the loop's end.
    void add(const Samples& note, size_t start, double gain, double pan)
    {
        const double gl = gain * std::sqrt(0.5 * (1.0 - pan));
        const double gr = gain * std::sqrt(0.5 * (1.0 + pan));
        for (size_t i = 0; i < note.size(); ++i) {
            const size_t at = (start + i) % LOOP;
            left[at] += note[i] * gl;
            right[at] += note[i] * gr;
        }
    }
};

struct Chord {
    int bass;
    int tones[3];
};

const Chord AM = {45, {57, 60, 64}};
const Chord F = {41, {57, 60, 65}};
const Chord C = {36, {55, 60, 64}};
const Chord G = {43, {55, 59, 62}};
const Chord DM = {38, {57, 62, 65}};
const Chord E = {40, {56, 59, 64}};
const Chord EM = {40, {55, 59, 64}};

const Chord MAIN_CHORDS[8] = {AM, F, C, G, AM, F, DM, E};
const Chord BREAK_CHORDS[8] = {F, G, EM, AM, F, G, E, E};

// Lead melody over the main progression: start beat, length in beats, note.
struct MelodyNote {
    double beat;
    double length;
    int note;
};
const MelodyNote MELODY[] = {
    {0, 1.5, 76},  {1.5, 0.5, 74}, {2, 1, 72},    {3, 1, 74},    {4, 1.5, 72},  {5.5, 0.5, 69},
    {6, 2, 72},    {8, 1, 67},     {9, 1, 72},    {10, 1, 76},   {11, 1, 79},   {12, 2, 74},
    {14, 1, 71},   {15, 1, 74},    {16, 1.5, 76}, {17.5, 0.5, 77}, {18, 1, 76}, {19, 1, 72},
    {20, 1, 77},   {21, 1, 76},    {22, 2, 72},   {24, 1, 74},   {25, 1, 77},   {26, 1, 81},
    {27, 1, 77},   {28, 2, 80},    {30, 1, 76},   {31, 1, 71},
};

size_t beatToSample(double beat)
{
    return static_cast<size_t>(std::llround(beat * SAMPLES_PER_BEAT));
}

Samples kick()
{
    Samples out(static_cast<size_t>(0.45 * SAMPLE_RATE));
    Dice click(41);
    double phase = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / SAMPLE_RATE;
        phase += (48.0 + 95.0 * std::exp(-t / 0.035)) / SAMPLE_RATE;
        out[i] = std::sin(2.0 * PI * phase) * envelope(t, 0.001, 0.26) + 0.25 * click.centred() * envelope(t, 0.0003, 0.002);
    }
    return out;
}

Samples snare(uint32_t seed)
{
    Samples out(static_cast<size_t>(0.35 * SAMPLE_RATE));
    Dice noise(seed);
    Filter band;
    band.tune(1900.0, 0.7);
    double phase = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / SAMPLE_RATE;
        band.process(noise.centred());
        phase += 185.0 / SAMPLE_RATE;
        out[i] = 0.5 * std::sin(2.0 * PI * phase) * envelope(t, 0.001, 0.05) + 1.1 * band.band * envelope(t, 0.001, 0.11);
    }
    return out;
}

Samples hat(uint32_t seed, double decay)
{
    Samples out(static_cast<size_t>((decay * 6.0 + 0.01) * SAMPLE_RATE));
    Dice noise(seed);
    Filter filter;
    filter.tune(7500.0, 0.8);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / SAMPLE_RATE;
        filter.process(noise.centred());
        out[i] = filter.high * envelope(t, 0.0008, decay);
    }
    return out;
}

Samples crash()
{
    Samples out(static_cast<size_t>(2.5 * SAMPLE_RATE));
    Dice noise(77);
    Filter filter;
    filter.tune(5000.0, 0.6);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / SAMPLE_RATE;
        filter.process(noise.centred());
        out[i] = (filter.high + 0.4 * filter.band) * envelope(t, 0.002, 0.7);
    }
    return out;
}

Samples bassNote(int note, double seconds)
{
    const double hz = midiToHz(note);
    Samples out(static_cast<size_t>((seconds + 0.05) * SAMPLE_RATE));
    Oscillator saw;
    Oscillator sub;
    Filter filter;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / SAMPLE_RATE;
        const double amp = std::min(1.0, t / 0.003) * (t < seconds ? 1.0 : std::exp(-(t - seconds) / 0.012));
        if (i % CONTROL_STEP == 0) {
            filter.tune(160.0 + 1100.0 * std::exp(-t / 0.08), 1.1);
        }
        filter.process(saw.saw(hz));
        out[i] = amp * (filter.low + 0.7 * sub.sine(hz * 0.5));
    }
    return out;
}

// One channel of a pad note: three detuned saws, softly filtered.
Samples padNote(int note, double seconds, const double cents[3])
{
    const double hz = midiToHz(note);
    Samples out(static_cast<size_t>((seconds + 1.0) * SAMPLE_RATE));
    Oscillator osc[3];
    for (int k = 0; k < 3; ++k) {
        osc[k].phase = 0.31 * k;
    }
    double detuned[3];
    for (int k = 0; k < 3; ++k) {
        detuned[k] = hz * std::pow(2.0, cents[k] / 1200.0);
    }
    Filter filter;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / SAMPLE_RATE;
        const double amp = std::min(1.0, t / 0.35) * (t < seconds ? 1.0 : std::exp(-(t - seconds) / 0.3));
        double raw = 0.0;
        for (int k = 0; k < 3; ++k) {
            raw += osc[k].saw(detuned[k]);
        }
        if (i % CONTROL_STEP == 0) {
            filter.tune(1300.0 + 300.0 * std::sin(2.0 * PI * 0.25 * t), 0.7);
        }
        filter.process(raw / 3.0);
        out[i] = amp * filter.low;
    }
    return out;
}

Samples pluckNote(int note, double brightness)
{
    const double hz = midiToHz(note);
    Samples out(static_cast<size_t>(0.6 * SAMPLE_RATE));
    Oscillator osc;
    Filter filter;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / SAMPLE_RATE;
        if (i % CONTROL_STEP == 0) {
            filter.tune(500.0 + brightness * 3800.0 * std::exp(-t / 0.07), 0.9);
        }
        filter.process(osc.pulse(hz, 0.3));
        out[i] = filter.low * envelope(t, 0.002, 0.18);
    }
    return out;
}

Samples leadNote(int note, double seconds)
{
    const double hz = midiToHz(note);
    Samples out(static_cast<size_t>((seconds + 0.3) * SAMPLE_RATE));
    Oscillator a;
    Oscillator b;
    Filter filter;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / SAMPLE_RATE;
        const double vibrato = 1.0 + 0.004 * smoothstep(0.15, 0.45, t) * std::sin(2.0 * PI * 5.2 * t);
        const double amp = std::min(1.0, t / 0.015) * (t < seconds ? 1.0 : std::exp(-(t - seconds) / 0.07));
        const double raw = 0.5 * (a.saw(hz * vibrato) + b.pulse(hz * vibrato * 1.003, 0.45));
        if (i % CONTROL_STEP == 0) {
            filter.tune(2600.0 + 1200.0 * std::exp(-t / 0.1), 0.8);
        }
        filter.process(raw);
        out[i] = amp * filter.low;
    }
    return out;
}

void writeDrums(Bus& dry, Bus& reverbSend)
{
    const Samples kickHit = kick();
    const Samples snareHit = snare(51);
    const Samples snareSoft = snare(52);
    const Samples closedHat = hat(61, 0.030);
    const Samples openHat = hat(62, 0.16);
    const Samples crashHit = crash();
    for (int bar = 0; bar < MUSIC_BARS; ++bar) {
        const int section = bar / 8;
        const double b0 = bar * 4.0;
        if (bar % 8 == 0 && section != 2) {
            dry.add(crashHit, beatToSample(b0), 0.22, 0.3);
        }
        // Kick: half-time in the opening, four to the bar in the full sections.
        if (section == 0) {
            for (double beat : {0.0, 2.5}) {
                dry.add(kickHit, beatToSample(b0 + beat), 0.9, 0.0);
            }
        } else if (section == 1 || section == 3) {
            for (int beat = 0; beat < 4; ++beat) {
                dry.add(kickHit, beatToSample(b0 + beat), 0.9, 0.0);
            }
        }
        // Snare.
        if (section == 0) {
            dry.add(snareHit, beatToSample(b0 + 2.0), 0.45, 0.05);
            reverbSend.add(snareHit, beatToSample(b0 + 2.0), 0.2, 0.0);
        } else if (section == 1 || section == 3) {
            for (double beat : {1.0, 3.0}) {
                dry.add(snareHit, beatToSample(b0 + beat), 0.5, 0.05);
                reverbSend.add(snareHit, beatToSample(b0 + beat), 0.22, 0.0);
            }
        } else if (bar >= 22) {
            // The build back into the full section: eighths, then sixteenths.
            const int steps = bar == 22 ? 8 : 16;
            for (int s = 0; s < steps; ++s) {
                const double at = b0 + 4.0 * s / steps;
                const double swell = 0.12 + 0.38 * ((bar - 22) * 4.0 + 4.0 * s / steps) / 8.0;
                dry.add(snareSoft, beatToSample(at), swell, 0.05);
                reverbSend.add(snareSoft, beatToSample(at), swell * 0.4, 0.0);
            }
        }
        // Hats.
        if (section == 0 || section == 1) {
            for (int e = 0; e < 8; ++e) {
                if (section == 0 && e % 2 == 0) {
                    continue;
                }
                const Samples& h = (e == 7 && bar % 2 == 1) ? openHat : closedHat;
                dry.add(h, beatToSample(b0 + e * 0.5), e % 2 ? 0.20 : 0.12, 0.35);
            }
        } else if (section == 3 || bar >= 20) {
            for (int s = 0; s < 16; ++s) {
                const double level = (s % 4 == 2) ? 0.22 : (s % 2 ? 0.09 : 0.13);
                dry.add(closedHat, beatToSample(b0 + s * 0.25), section == 2 ? level * 0.6 : level, 0.35);
            }
        }
    }
}

void writeBass(Bus& dry)
{
    for (int bar = 0; bar < MUSIC_BARS; ++bar) {
        const int section = bar / 8;
        const Chord& chord = section == 2 ? BREAK_CHORDS[bar % 8] : MAIN_CHORDS[bar % 8];
        const double b0 = bar * 4.0;
        const double beatSeconds = double(SAMPLES_PER_BEAT) / SAMPLE_RATE;
        if (section == 2 && bar < 22) {
            dry.add(bassNote(chord.bass, 4.0 * beatSeconds - 0.05), beatToSample(b0), 0.42, 0.0);
        } else if (section == 0) {
            for (int q = 0; q < 4; ++q) {
                dry.add(bassNote(chord.bass, 0.85 * beatSeconds), beatToSample(b0 + q), 0.48, 0.0);
            }
        } else {
            // Eighths with an octave jump on the offbeats of two and four.
            for (int e = 0; e < 8; ++e) {
                const int note = (e == 3 || e == 7) ? chord.bass + 12 : chord.bass;
                dry.add(bassNote(note, 0.42 * beatSeconds), beatToSample(b0 + e * 0.5), 0.48, 0.0);
            }
        }
    }
}

void writePads(Bus& dry, Bus& reverbSend)
{
    const double leftCents[3] = {-9.0, 0.0, 6.0};
    const double rightCents[3] = {-5.0, 2.0, 10.0};
    const double barSeconds = 4.0 * SAMPLES_PER_BEAT / double(SAMPLE_RATE);
    for (int bar = 0; bar < MUSIC_BARS; ++bar) {
        const int section = bar / 8;
        const Chord& chord = section == 2 ? BREAK_CHORDS[bar % 8] : MAIN_CHORDS[bar % 8];
        const double gain = section == 2 ? 0.30 : 0.20;
        for (int note : chord.tones) {
            const Samples l = padNote(note, barSeconds, leftCents);
            const Samples r = padNote(note, barSeconds, rightCents);
            dry.add(l, beatToSample(bar * 4.0), gain, -1.0);
            dry.add(r, beatToSample(bar * 4.0), gain, 1.0);
            reverbSend.add(l, beatToSample(bar * 4.0), gain * 0.5, -1.0);
            reverbSend.add(r, beatToSample(bar * 4.0), gain * 0.5, 1.0);
        }
    }
}

void writeArpeggio(Bus& dry, Bus& echoSend, Bus& reverbSend)
{
    const int pattern[8] = {0, 1, 2, 3, 4, 3, 2, 1};
    for (int bar = 0; bar < MUSIC_BARS; ++bar) {
        const int section = bar / 8;
        const Chord& chord = section == 2 ? BREAK_CHORDS[bar % 8] : MAIN_CHORDS[bar % 8];
        const int tones[5] = {chord.tones[0] + 12, chord.tones[1] + 12, chord.tones[2] + 12, chord.tones[0] + 24,
                              chord.tones[1] + 24};
        // In the breakdown the filter opens slowly, bar by bar.
        const double brightness = section == 2 ? 0.15 + 0.85 * (bar - 16) / 7.0 : 0.7;
        for (int s = 0; s < 16; ++s) {
            const Samples note = pluckNote(tones[pattern[s % 8]], brightness);
            const size_t at = beatToSample(bar * 4.0 + s * 0.25);
            const double accent = s % 4 == 0 ? 1.0 : 0.75;
            const double pan = (s % 2 ? 0.25 : -0.25);
            dry.add(note, at, 0.16 * accent, pan);
            echoSend.add(note, at, 0.10 * accent, pan);
            reverbSend.add(note, at, 0.06 * accent, pan);
        }
    }
}

void writeLead(Bus& dry, Bus& echoSend, Bus& reverbSend)
{
    const double beatSeconds = double(SAMPLES_PER_BEAT) / SAMPLE_RATE;
    for (int section : {1, 3}) {
        for (const MelodyNote& m : MELODY) {
            const double start = section * 32.0 + m.beat;
            const Samples note = leadNote(m.note, m.length * beatSeconds * 0.92);
            dry.add(note, beatToSample(start), 0.20, 0.0);
            echoSend.add(note, beatToSample(start), 0.07, 0.0);
            reverbSend.add(note, beatToSample(start), 0.10, 0.0);
            if (section == 3) {
                // The last section doubles the tune an octave down.
                const Samples low = leadNote(m.note - 12, m.length * beatSeconds * 0.92);
                dry.add(low, beatToSample(start), 0.10, 0.0);
            }
        }
    }
}

}  // namespace

void makeMusic(Samples& left, Samples& right)
{
    Bus dry;
    Bus echoSend;
    Bus reverbSend;
    writeDrums(dry, reverbSend);
    writeBass(dry);
    writePads(dry, reverbSend);
    writeArpeggio(dry, echoSend, reverbSend);
    writeLead(dry, echoSend, reverbSend);

    // Ping-pong echo, then reverb, each run over the loop twice.
    Samples echoLeft(ECHO_SAMPLES, 0.0);
    Samples echoRight(ECHO_SAMPLES, 0.0);
    Reverb reverb;
    left.assign(LOOP, 0.0);
    right.assign(LOOP, 0.0);
    size_t echoPos = 0;
    for (size_t pass = 0; pass < 2; ++pass) {
        for (size_t i = 0; i < LOOP; ++i) {
            const double el = echoLeft[echoPos];
            const double er = echoRight[echoPos];
            const double inMono = 0.5 * (echoSend.left[i] + echoSend.right[i]);
            echoLeft[echoPos] = inMono + er * 0.45;
            echoRight[echoPos] = el * 0.45;
            echoPos = (echoPos + 1) % ECHO_SAMPLES;

            double wetLeft = 0.0;
            double wetRight = 0.0;
            reverb.process(reverbSend.left[i] + 0.3 * el, reverbSend.right[i] + 0.3 * er, wetLeft, wetRight);
            if (pass == 1) {
                left[i] = std::tanh(1.1 * (dry.left[i] + el + 0.9 * wetLeft));
                right[i] = std::tanh(1.1 * (dry.right[i] + er + 0.9 * wetRight));
            }
        }
    }
    normalize(left, right, 0.89);
}
