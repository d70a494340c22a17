// Explosion frames and the smoke puff. Both are alpha-blended sprites; their
// colour fades to dark where they turn transparent, so that with blending
// switched off in the game they still read as a fireball on black space.
#include "tools/textures.h"

#include "tools/gen_math.h"
#include "tools/noise.h"

#include <cmath>

namespace {

constexpr int EXPLOSION_SIZE = 128;
constexpr int SMOKE_SIZE = 64;
constexpr uint32_t EXPLOSION_SEED = 9001;
constexpr uint32_t SMOKE_SEED = 6006;
constexpr int SPARK_COUNT = 16;

// Black-body-like ramp: white-hot, yellow, orange, red, then soot.
Color fireColor(double heat)
{
    struct Stop {
        double at;
        Color color;
    };
    static const Stop STOPS[] = {
        {-0.30, {0.34, 0.33, 0.33, 1.0}}, {0.00, {0.40, 0.37, 0.35, 1.0}}, {0.15, {0.36, 0.17, 0.08, 1.0}},
        {0.30, {0.70, 0.16, 0.03, 1.0}},  {0.50, {0.98, 0.45, 0.07, 1.0}}, {0.72, {1.00, 0.78, 0.28, 1.0}},
        {0.95, {1.00, 0.96, 0.78, 1.0}},  {1.30, {1.00, 1.00, 1.00, 1.0}},
    };
    const int n = sizeof STOPS / sizeof STOPS[0];
    if (heat <= STOPS[0].at) {
        return STOPS[0].color;
    }
    for (int i = 1; i < n; ++i) {
        if (heat < STOPS[i].at) {
            const double t = (heat - STOPS[i - 1].at) / (STOPS[i].at - STOPS[i - 1].at);
            return mix(STOPS[i - 1].color, STOPS[i].color, t);
        }
    }
    return STOPS[n - 1].color;
}

struct Spark {
    double angle;
    double speed;
    double life;
};

std::vector<Spark> makeSparks()
{
    Dice dice(EXPLOSION_SEED);
    std::vector<Spark> sparks;
    for (int i = 0; i < SPARK_COUNT; ++i) {
        sparks.push_back({dice.unit() * 2.0 * PI, 0.55 + 0.5 * dice.unit(), 0.25 + 0.25 * dice.unit()});
    }
    return sparks;
}

}  // namespace

Image paintExplosion(int frame)
{
    static const std::vector<Spark> sparks = makeSparks();
    Image image(EXPLOSION_SIZE, EXPLOSION_SIZE, Color{0.0, 0.0, 0.0, 0.0});
    const double age = frame / double(EXPLOSION_FRAME_COUNT - 1);  // 0..1
    const double radius = 0.20 + 0.60 * (1.0 - std::exp(-age * 4.0)) + 0.08 * age;
    const double heat = 1.5 * std::exp(-age * 2.6);
    const double flash = std::exp(-frame / 1.4);
    const double fade = 1.0 - smoothstep(0.55, 1.0, age);

    for (int y = 0; y < EXPLOSION_SIZE; ++y) {
        for (int x = 0; x < EXPLOSION_SIZE; ++x) {
            const double px = ((x + 0.5) / EXPLOSION_SIZE - 0.5) * 2.0;
            const double py = ((y + 0.5) / EXPLOSION_SIZE - 0.5) * 2.0;
            const double r = std::hypot(px, py);
            // The billows grow with the ball, and churn as it ages.
            const double scale = 1.7 / radius;
            const double churn = fbm3(px * scale, py * scale, age * 2.2, 5, EXPLOSION_SEED);
            const double detail = fbm3(px * scale * 2.3 + 7.0, py * scale * 2.3, age * 3.0, 3, EXPLOSION_SEED + 1);
            const double edge = radius * (1.0 + 0.32 * churn) - r;
            const double density = smoothstep(-0.02, 0.22, edge);
            const double inner = 1.0 - clamp01(r / (radius * 1.05));
            const double t = heat * (0.35 + 0.85 * inner) + 0.30 * detail + 0.15 * churn - 0.1;
            Color c = fireColor(t);
            // Fire is opaque, soot translucent.
            double alpha = density * fade * (0.55 + 0.45 * smoothstep(0.05, 0.45, t));

            // The flash: a white-hot core and a few rays in the first frames.
            if (flash > 0.02) {
                const double angle = std::atan2(py, px);
                const double rays = std::pow(std::fabs(std::cos(angle * 3.5 + 0.6)), 24.0) * std::exp(-r * 2.6);
                const double core = std::exp(-r * r / 0.05);
                const double light = flash * (core + 0.7 * rays + 0.25 * std::exp(-r * 3.0));
                c = mix(c, Color{1.0, 0.97, 0.88, 1.0}, clamp01(light));
                alpha = std::max(alpha, clamp01(light));
            }
            // Sparks flying out, each a short streak that cools as it goes.
            for (const Spark& s : sparks) {
                if (age > s.life) {
                    continue;
                }
                const double travel = s.speed * std::sqrt(age / s.life) * 0.9;
                if (travel < 0.15) {
                    continue;  // still inside the flash
                }
                const double sx = std::cos(s.angle);
                const double sy = std::sin(s.angle);
                const double along = px * sx + py * sy;
                const double across = -px * sy + py * sx;
                const double tail = 0.10;
                if (along < travel - tail || along > travel + 0.02) {
                    continue;
                }
                const double w = std::exp(-across * across / 0.00012);
                const double head = clamp01((along - (travel - tail)) / tail);
                const double glow = w * head * (1.0 - age / s.life);
                c = mix(c, Color{1.0, 0.85, 0.45, 1.0}, clamp01(glow));
                alpha = std::max(alpha, clamp01(glow));
            }
            // Nothing may reach the sprite's border.
            alpha *= 1.0 - smoothstep(0.86, 0.99, r);
            c = scaled(c, smoothstep(0.0, 0.2, alpha));
            image.at(x, y) = {c.r, c.g, c.b, alpha};
        }
    }
    return image;
}

Image paintSmoke()
{
    Image image(SMOKE_SIZE, SMOKE_SIZE, Color{0.0, 0.0, 0.0, 0.0});
    for (int y = 0; y < SMOKE_SIZE; ++y) {
        for (int x = 0; x < SMOKE_SIZE; ++x) {
            const double px = ((x + 0.5) / SMOKE_SIZE - 0.5) * 2.0;
            const double py = ((y + 0.5) / SMOKE_SIZE - 0.5) * 2.0;
            const double n = fbm3(px * 2.2, py * 2.2, 0.5, 4, SMOKE_SEED);
            const double r = std::hypot(px, py) * (1.0 + 0.28 * n);
            double alpha = std::pow(1.0 - smoothstep(0.05, 0.95, r), 1.6) * 0.85;
            alpha *= 1.0 - smoothstep(0.85, 0.99, std::hypot(px, py));
            // Lit from above: a touch brighter on top.
            const double v = 0.78 + 0.12 * n + 0.06 * py;
            const double dark = smoothstep(0.0, 0.15, alpha);
            image.at(x, y) = {v * dark, v * dark, (v + 0.02) * dark, alpha};
        }
    }
    return image;
}
