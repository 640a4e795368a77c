#!/usr/bin/env python3
"""Draws the About window's animation, resources/about.gif (100 x 80, looping).

Six members of a group drift in from scattered places, settle on a ring, and then every pair of them is joined by a
line, one pair after another in the order the assessment asks them; the picture holds, the lines fade, the members
drift apart again. Needs ImageMagick's `convert`; the GIF is kept in the repository, so the build does not.

    python3 scripts/make-about-gif.py [output.gif]
"""

import math
import os
import subprocess
import sys
import tempfile

WIDTH, HEIGHT = 100, 80
SCALE = 4  # drawn large and scaled down, for smooth edges
CENTRE = (50.0, 40.0)
RING = 27.0
DOT = 5.2

BACKGROUND = (255, 255, 255)
LINE = (157, 179, 209)
ACTIVE_LINE = (31, 58, 147)
MEMBERS = [(31, 58, 147), (19, 141, 144), (230, 126, 34), (192, 57, 43), (39, 174, 96), (142, 68, 173)]
SCATTERED = [(12, 14), (84, 66), (88, 12), (16, 70), (58, 6), (44, 74)]

STEP = 8  # hundredths of a second per frame


def ring_position(k):
    angle = -math.pi / 2 + 2 * math.pi * k / len(MEMBERS)
    return (CENTRE[0] + RING * math.cos(angle), CENTRE[1] + RING * math.sin(angle))


def ease(t):
    return t * t * (3 - 2 * t)


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def colour(rgb):
    return "rgb(%d,%d,%d)" % rgb


def pairs():
    n = len(MEMBERS)
    return [(i, j) for i in range(n - 1) for j in range(i + 1, n)]


def frame(positions, lines, highlight=None):
    """ImageMagick draw primitives for one frame; lines are (i, j, rgb, width)."""
    s = SCALE
    ops = []
    for i, j, rgb, width in lines:
        (x1, y1), (x2, y2) = positions[i], positions[j]
        ops += ["-stroke", colour(rgb), "-strokewidth", str(width * s), "-fill", "none",
                "-draw", "line %.1f,%.1f %.1f,%.1f" % (x1 * s, y1 * s, x2 * s, y2 * s)]
    for k, (x, y) in enumerate(positions):
        if highlight and k in highlight:
            ops += ["-stroke", colour(ACTIVE_LINE), "-strokewidth", str(1.2 * s), "-fill", "none",
                    "-draw", "circle %.1f,%.1f %.1f,%.1f" % (x * s, y * s, (x + DOT + 2.2) * s, y * s)]
        ops += ["-stroke", "white", "-strokewidth", str(1.0 * s), "-fill", colour(MEMBERS[k]),
                "-draw", "circle %.1f,%.1f %.1f,%.1f" % (x * s, y * s, (x + DOT) * s, y * s)]
    return ops


def timeline():
    """Yields (delay, draw primitives) for every frame of one loop."""
    ring = [ring_position(k) for k in range(len(MEMBERS))]
    every_pair = pairs()

    gather = 14
    for f in range(gather + 1):
        t = ease(f / gather)
        positions = [(sx + (rx - sx) * t, sy + (ry - sy) * t) for (sx, sy), (rx, ry) in zip(SCATTERED, ring)]
        yield STEP, frame(positions, [])

    for count in range(1, len(every_pair) + 1):
        drawn = [(i, j, LINE, 1.0) for i, j in every_pair[: count - 1]]
        i, j = every_pair[count - 1]
        drawn.append((i, j, ACTIVE_LINE, 1.6))
        yield STEP + 4, frame(ring, drawn, highlight=(i, j))

    yield 160, frame(ring, [(i, j, LINE, 1.0) for i, j in every_pair])

    fade = 6
    for f in range(1, fade + 1):
        rgb = mix(LINE, BACKGROUND, f / fade)
        yield STEP, frame(ring, [(i, j, rgb, 1.0) for i, j in every_pair])

    for f in range(1, gather + 1):
        t = ease(f / gather)
        positions = [(rx + (sx - rx) * t, ry + (sy - ry) * t) for (sx, sy), (rx, ry) in zip(SCATTERED, ring)]
        yield STEP, frame(positions, [])
    yield 60, frame(SCATTERED, [])


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources", "about.gif")
    with tempfile.TemporaryDirectory() as work:
        sequence = []
        for n, (delay, ops) in enumerate(timeline()):
            path = os.path.join(work, "frame%03d.png" % n)
            subprocess.run(["convert", "-size", "%dx%d" % (WIDTH * SCALE, HEIGHT * SCALE),
                            "xc:" + colour(BACKGROUND)] + ops + ["-resize", "%dx%d" % (WIDTH, HEIGHT), path],
                           check=True)
            sequence += ["-delay", str(delay), path]
        subprocess.run(["convert"] + sequence + ["-loop", "0", "+dither", "-layers", "Optimize", output], check=True)


if __name__ == "__main__":
    main()
