#include "tools/synth.h"

#include "tools/gen_math.h"

#include <cmath>

double midiToHz(double note)
{
    return 440.0 * std::pow(2.0, (note - 69.0) / 12.0);
}

namespace {

// Correction for a unit step at phase 0, spread over one sample each side.
double polyBlep(double t, double dt)
{
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

}  // namespace

double Oscillator::saw(double hz)
{
    const double dt = hz / SAMPLE_RATE;
    const double value = 2.0 * phase - 1.0 - polyBlep(phase, dt);
    phase += dt;
    phase -= std::floor(phase);
    return value;
}

double Oscillator::pulse(double hz, double width)
{
    const double dt = hz / SAMPLE_RATE;
    double value = phase < width ? 1.0 : -1.0;
    value += polyBlep(phase, dt);
    double shifted = phase - width;
    shifted -= std::floor(shifted);
    value -= polyBlep(shifted, dt);
    phase += dt;
    phase -= std::floor(phase);
    return value;
}

double Oscillator::sine(double hz)
{
    const double value = std::sin(2.0 * PI * phase);
    phase += hz / SAMPLE_RATE;
    phase -= std::floor(phase);
    return value;
}

void Filter::tune(double cutoffHz, double q)
{
    cutoffHz = std::min(cutoffHz, SAMPLE_RATE * 0.45);
    const double g = std::tan(PI * cutoffHz / SAMPLE_RATE);
    k = 1.0 / q;
    a1 = 1.0 / (1.0 + g * (g + k));
    a2 = g * a1;
    a3 = g * a2;
}

void Filter::process(double input)
{
    const double v3 = input - ic2;
    const double v1 = a1 * ic1 + a2 * v3;
    const double v2 = ic2 + a2 * ic1 + a3 * v3;
    ic1 = 2.0 * v1 - ic1;
    ic2 = 2.0 * v2 - ic2;
    low = v2;
    band = v1;
    high = input - k * v1 - v2;
}

double envelope(double t, double attack, double decay)
{
    if (t < 0.0) {
        return 0.0;
    }
    if (t < attack) {
        return t / attack;
    }
    return std::exp(-(t - attack) / decay);
}

double Reverb::Comb::run(double x)
{
    const double out = line[pos];
    store = out * (1.0 - damp) + store * damp;
    line[pos] = x + store * feedback;
    pos = (pos + 1) % line.size();
    return out;
}

double Reverb::AllPass::run(double x)
{
    const double delayed = line[pos];
    const double out = delayed - x;
    line[pos] = x + delayed * 0.5;
    pos = (pos + 1) % line.size();
    return out;
}

Reverb::Reverb()
{
    // Mutually prime lengths, a little longer on the right for width.
    const size_t combLengths[4] = {1116, 1188, 1277, 1356};
    const size_t passLengths[2] = {556, 341};
    for (int ch = 0; ch < 2; ++ch) {
        for (int i = 0; i < 4; ++i) {
            combs_[ch][i].line.assign((combLengths[i] + ch * 23) / 2, 0.0);
            combs_[ch][i].feedback = 0.80;
            combs_[ch][i].damp = 0.35;
        }
        for (int i = 0; i < 2; ++i) {
            passes_[ch][i].line.assign((passLengths[i] + ch * 23) / 2, 0.0);
        }
    }
}

void Reverb::process(double inLeft, double inRight, double& outLeft, double& outRight)
{
    const double in[2] = {inLeft, inRight};
    double out[2] = {0.0, 0.0};
    for (int ch = 0; ch < 2; ++ch) {
        const double mono = (in[0] + in[1]) * 0.5 * 0.6 + in[ch] * 0.4;
        double sum = 0.0;
        for (Comb& c : combs_[ch]) {
            sum += c.run(mono);
        }
        sum *= 0.25;
        for (AllPass& p : passes_[ch]) {
            sum = p.run(sum);
        }
        out[ch] = sum;
    }
    outLeft = out[0];
    outRight = out[1];
}

void normalize(Samples& samples, double peak)
{
    double high = 0.0;
    for (double s : samples) {
        high = std::max(high, std::fabs(s));
    }
    if (high > 0.0) {
        for (double& s : samples) {
            s *= peak / high;
        }
    }
}

void normalize(Samples& left, Samples& right, double peak)
{
    double high = 0.0;
    for (size_t i = 0; i < left.size(); ++i) {
        high = std::max(high, std::max(std::fabs(left[i]), std::fabs(right[i])));
    }
    if (high > 0.0) {
        for (size_t i = 0; i < left.size(); ++i) {
            left[i] *= peak / high;
            right[i] *= peak / high;
        }
    }
}
