#!/usr/bin/env python3
"""Writes a random input script (replay/replay_script.h) for a seed: keys,
function keys, clicks with modifiers, pointer motion and drags, at random
frame lengths. Used to compare the world digests of two builds over many
runs: `vorel_replay play` of the same script must print the same lines.

    random_script.py SEED [FRAMES]
"""
import random
import sys

KEYS = "wsqe+-hioWSQE1"
SPECIALS = [2, 3, 4, 5, 7, 8, 9, 10, 1, 12, 100, 101]


def main():
    seed = int(sys.argv[1])
    frames = int(sys.argv[2]) if len(sys.argv) > 2 else 8000
    rng = random.Random(seed)
    out = [f"seed {rng.randrange(2**32)}", f"frames {frames}",
           "frame-ms " + " ".join(str(rng.choice([8, 15, 16.5, 17, 33, 50])) for _ in range(rng.randint(1, 4)))]
    # Thrust from the start, so that the craft meets asteroids and gates.
    out.append("0 key-down w")
    held = {"w"}
    x, y = 200, 200
    for f in range(frames):
        for _ in range(rng.choice([0, 0, 0, 1, 1, 2, 3])):
            r = rng.random()
            if r < 0.25:
                k = rng.choice(KEYS)
                if k in held and rng.random() < 0.7:
                    out.append(f"{f} key-up {k}")
                    held.discard(k)
                else:
                    out.append(f"{f} key-down {k}")
                    held.add(k)
            elif r < 0.3:
                out.append(f"{f} special {rng.choice(SPECIALS)}")
            elif r < 0.4:
                b = rng.choice([0, 0, 0, 1, 2])
                out.append(f"{f} button {b} {rng.choice(['down', 'up'])} {rng.choice([0, 0, 0, 1, 2, 3])}")
            elif r < 0.9:
                x = max(0, min(1023, x + rng.randint(-60, 60)))
                y = max(0, min(767, y + rng.randint(-60, 60)))
                out.append(f"{f} move {x} {y}")
            else:
                x = max(0, min(1023, x + rng.randint(-30, 30)))
                y = max(0, min(767, y + rng.randint(-30, 30)))
                out.append(f"{f} drag {x} {y}")
    print("\n".join(out))


if __name__ == "__main__":
    main()
