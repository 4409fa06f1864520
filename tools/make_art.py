#!/usr/bin/env python3
"""Draws the program's artwork and writes it into resources/.

The outputs are committed; run this only to change the artwork:
  filestamp.ico  program icon: a document with a clock, 128/96/64/48/32 px, 32-bit colour
  speaker.ico    status-bar icon: a small loudspeaker, 16/20/24/32 px (100 % to 200 %), 32-bit colour
  banner.gif     the main window's 464 x 57 banner (made with ImageMagick's convert)
"""
import math
import os
import struct
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "resources")
SS = 4  # supersampling factor per axis


def clamp(v):
    return max(0, min(255, int(round(v))))


def render(size, shader):
    """Returns rows of (r, g, b, a) tuples; shader(x, y) works in unit square coordinates."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SS):
                for sx in range(SS):
                    x = (px + (sx + 0.5) / SS) / size
                    y = (py + (sy + 0.5) / SS) / size
                    r, g, b, a = shader(x, y)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = SS * SS
            a = acc[3] / n
            if a > 0:
                row.append((clamp(acc[0] / acc[3]), clamp(acc[1] / acc[3]), clamp(acc[2] / acc[3]), clamp(a * 255)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def over(top, bottom):
    if top is None:
        return bottom
    return top if top[3] >= 1 else bottom


def stamp_icon(x, y):
    # Page with a folded corner, a clock over its lower right.
    colour = None
    page = 0.16 <= x <= 0.70 and 0.08 <= y <= 0.86 and not (x > 0.54 and y < 0.24 and (x - 0.54) > (y - 0.08))
    if page:
        edge = x < 0.19 or x > 0.67 or y < 0.11 or y > 0.83
        colour = (90, 110, 140, 1) if edge else (250, 250, 246, 1)
        for line_y in (0.30, 0.40, 0.50, 0.60):
            if 0.25 <= x <= 0.58 and abs(y - line_y) < 0.018:
                colour = (150, 170, 200, 1)
    cx, cy, r = 0.64, 0.64, 0.30
    d = math.hypot(x - cx, y - cy)
    if d <= r:
        if d > r - 0.045:
            colour = (20, 80, 170, 1)
        else:
            colour = (235, 244, 255, 1)
            ang = math.atan2(y - cy, x - cx)
            # Hour hand towards ten, minute hand towards twelve.
            for hand_ang, length, width in ((math.radians(-150), 0.14, 0.028), (math.radians(-90), 0.20, 0.022)):
                hx, hy = math.cos(hand_ang), math.sin(hand_ang)
                t = (x - cx) * hx + (y - cy) * hy
                perp = abs((x - cx) * hy - (y - cy) * hx)
                if -0.02 <= t <= length and perp <= width:
                    colour = (200, 40, 40, 1)
            if d < 0.03:
                colour = (40, 40, 40, 1)
            del ang
    return colour if colour else (0, 0, 0, 0)


def speaker_icon(x, y):
    # Box and cone, then two sound arcs.
    if 0.10 <= x <= 0.30 and 0.36 <= y <= 0.64:
        return (60, 60, 70, 1)
    if 0.30 <= x <= 0.55:
        spread = 0.14 + (x - 0.30) * 1.2
        if abs(y - 0.5) <= spread:
            return (60, 60, 70, 1)
    d = math.hypot(x - 0.50, y - 0.50)
    if x > 0.60 and abs(y - 0.5) < (x - 0.50) * 1.3:
        for radius in (0.22, 0.38):
            if abs(d - radius) < 0.045:
                return (30, 100, 200, 1)
    return (0, 0, 0, 0)


def bmp_entry(rows):
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytes(mask_stride * size)  # alpha channel carries transparency
    return header + bytes(pixels) + mask


def write_ico(path, images):
    entries = [bmp_entry(rows) for rows in images]
    out = bytearray(struct.pack("<HHH", 0, 1, len(entries)))
    offset = 6 + 16 * len(entries)
    for rows, data in zip(images, entries):
        size = len(rows)
        dim = 0 if size >= 256 else size
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in entries:
        out += data
    with open(path, "wb") as f:
        f.write(out)


def write_banner(path):
    subprocess.run(
        ["convert", "-size", "464x57", "gradient:#1f4f9f-#3c7fd8",
         "-fill", "white", "-pointsize", "26", "-annotate", "+14+34", "FileStamp",
         "-fill", "#d8e6ff", "-pointsize", "11", "-annotate", "+16+50", "file times and attributes",
         "-colors", "256", "+dither", "-define", "gif:colortable-size=256", path],
        check=True)


def main():
    write_ico(os.path.join(OUT, "filestamp.ico"), [render(s, stamp_icon) for s in (128, 96, 64, 48, 32)])
    write_ico(os.path.join(OUT, "speaker.ico"), [render(s, speaker_icon) for s in (16, 20, 24, 32)])
    write_banner(os.path.join(OUT, "banner.gif"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
