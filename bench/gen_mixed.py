#!/usr/bin/env python3
"""Writes Fig 3.2 drawings for figbench: many mixed objects spread over many
depths, or special (LaTeX) texts.

  gen_mixed.py mixed [--objects N] [--depths D] [--seed S] OUT.fig
  gen_mixed.py latex [--texts N] OUT.fig

"mixed": polylines, boxes, polygons, ellipses, splines, arcs and texts in
equal shares, with line styles, fills and arrows, at D depths.
"latex": N different special texts (formulas), one under the other.
The output depends on the arguments only, so runs can be compared.
"""

import argparse
import math
import random

HEADER = "#FIG 3.2\nLandscape\nCenter\nInches\nLetter\n100.00\nSingle\n-2\n1200 2\n"

WIDTH = 20000
HEIGHT = 14000


def common(rng, depths):
    line_style = rng.choice([0, 0, 0, 1, 2, 3])
    thickness = rng.choice([0, 1, 1, 2, 3])
    pen = rng.randrange(0, 8)
    fill = rng.randrange(0, 8)
    depth = rng.randrange(0, depths)
    area_fill = rng.choice([-1, -1, -1, 20, 10, 30, 45])
    style_val = "%.3f" % rng.choice([0.0, 4.0, 3.0])
    return line_style, thickness, pen, fill, depth, area_fill, style_val


def point(rng, x, y, r):
    return x + rng.randrange(-r, r + 1), y + rng.randrange(-r, r + 1)


def polyline(rng, depths, sub):
    ls, th, pen, fill, depth, af, sv = common(rng, depths)
    x = rng.randrange(300, WIDTH - 300)
    y = rng.randrange(300, HEIGHT - 300)
    if sub == 2:
        w = rng.randrange(60, 600)
        h = rng.randrange(60, 600)
        pts = [(x, y), (x + w, y), (x + w, y + h), (x, y + h), (x, y)]
    elif sub == 3:
        n = rng.randrange(3, 7)
        pts = [point(rng, x, y, 300) for _ in range(n)]
        pts.append(pts[0])
    else:
        n = rng.randrange(2, 8)
        pts = [point(rng, x, y, 300) for _ in range(n)]
    forward = 1 if sub == 1 and rng.random() < 0.2 else 0
    lines = ["2 %d %d %d %d %d %d -1 %d %s 0 0 -1 %d 0 %d" % (
        sub, ls, th, pen, fill, depth, af if sub != 1 else -1, sv, forward, len(pts))]
    if forward:
        lines.append("\t1 1 1.00 60.00 120.00")
    lines.append("\t " + " ".join("%d %d" % p for p in pts))
    return lines


def ellipse(rng, depths):
    ls, th, pen, fill, depth, af, sv = common(rng, depths)
    x = rng.randrange(300, WIDTH - 300)
    y = rng.randrange(300, HEIGHT - 300)
    rx = rng.randrange(30, 300)
    ry = rng.randrange(30, 300)
    angle = rng.choice([0.0, 0.0, 0.5236])
    return ["1 1 %d %d %d %d %d -1 %d %s 1 %.4f %d %d %d %d %d %d %d %d" % (
        ls, th, pen, fill, depth, af, sv, angle, x, y, rx, ry, x, y, x + rx, y)]


def spline(rng, depths):
    ls, th, pen, fill, depth, af, sv = common(rng, depths)
    x = rng.randrange(300, WIDTH - 300)
    y = rng.randrange(300, HEIGHT - 300)
    closed = rng.random() < 0.3
    sub = 5 if closed else 4
    n = rng.randrange(3, 7)
    pts = [point(rng, x, y, 300) for _ in range(n)]
    factors = [rng.choice(["1.000", "-1.000", "0.000"]) for _ in pts]
    if not closed:
        factors[0] = factors[-1] = "0.000"
    return ["3 %d %d %d %d %d %d -1 %d %s 0 0 0 %d" % (
        sub, ls, th, pen, fill, depth, af if closed else -1, sv, n),
        "\t " + " ".join("%d %d" % p for p in pts),
        "\t " + " ".join(factors)]


def arc(rng, depths):
    ls, th, pen, fill, depth, af, sv = common(rng, depths)
    cx = rng.randrange(400, WIDTH - 400)
    cy = rng.randrange(400, HEIGHT - 400)
    r = rng.randrange(60, 350)
    a = [rng.uniform(0, math.pi / 2), rng.uniform(math.pi / 2, math.pi), rng.uniform(math.pi, 1.5 * math.pi)]
    pts = [(int(cx + r * math.cos(t)), int(cy - r * math.sin(t))) for t in a]
    return ["5 1 %d %d %d %d %d -1 -1 %s 0 0 0 0 %.3f %.3f %d %d %d %d %d %d" % (
        ls, th, pen, fill, depth, sv, cx, cy, pts[0][0], pts[0][1], pts[1][0], pts[1][1], pts[2][0], pts[2][1])]


WORDS = ["alpha", "beta", "gamma", "delta", "node", "edge", "flow", "A", "B", "x1", "label", "Input", "Output"]


def text(rng, depths):
    depth = rng.randrange(0, depths)
    font = rng.randrange(0, 35)
    size = rng.choice([8, 10, 12, 14])
    x = rng.randrange(300, WIDTH - 1500)
    y = rng.randrange(300, HEIGHT - 300)
    s = " ".join(rng.choice(WORDS) for _ in range(rng.randrange(1, 4)))
    return ["4 %d %d %d -1 %d %d 0.0000 4 135 900 %d %d %s\\001" % (
        rng.randrange(0, 3), rng.randrange(0, 8), depth, font, size, x, y, s)]


def mixed(args):
    rng = random.Random(args.seed)
    out = [HEADER.rstrip("\n")]
    makers = [
        lambda: polyline(rng, args.depths, 1),
        lambda: polyline(rng, args.depths, 2),
        lambda: polyline(rng, args.depths, 3),
        lambda: ellipse(rng, args.depths),
        lambda: spline(rng, args.depths),
        lambda: arc(rng, args.depths),
        lambda: text(rng, args.depths),
    ]
    for i in range(args.objects):
        out.extend(makers[i % len(makers)]())
    return out


FORMULAS = [
    r"$x^{%d}+y^{%d}=z^{%d}$",
    r"$\sum_{k=1}^{%d} k$",
    r"$\int_0^{%d} f(t)\,dt$",
    r"$\frac{a_{%d}}{b_{%d}}$",
    r"$\sqrt{%d+\alpha}$",
]


def latex(args):
    out = [HEADER.rstrip("\n")]
    for i in range(args.texts):
        formula = FORMULAS[i % len(FORMULAS)].replace("%d", str(i + 2))
        # Font flags 2: special text; the backslashes of the string doubled.
        s = formula.replace("\\", "\\\\")
        out.append("4 0 0 50 -1 0 12 0.0000 2 135 900 %d %d %s\\001" % (600 + (i % 4) * 2400, 900 + (i // 4) * 600, s))
    return out


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = parser.add_subparsers(dest="kind", required=True)
    m = sub.add_parser("mixed")
    m.add_argument("--objects", type=int, default=100000)
    m.add_argument("--depths", type=int, default=200)
    m.add_argument("--seed", type=int, default=1)
    m.add_argument("out")
    t = sub.add_parser("latex")
    t.add_argument("--texts", type=int, default=20)
    t.add_argument("out")
    args = parser.parse_args()
    lines = mixed(args) if args.kind == "mixed" else latex(args)
    with open(args.out, "w", encoding="latin-1") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
