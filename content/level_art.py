#!/usr/bin/env python3
"""Writes the pictures (SVG) and set descriptions (JSON) of the normal level's sets: the
curtains, the stage backgrounds, the glass, the enemies, the HUD, the items, the marker,
the hero and its shots. The pictures are simple shapes in the look of README.md, so they
are drawn here from a few parameters per set; run it again after changing it:

    python3 content/level_art.py

Every set lives in its own folder (<folder>/<name>.json with its SVGs beside it)."""

import json
import math
import os
import shutil

HERE = os.path.dirname(os.path.abspath(__file__))
INK = "#1B1530"
NIGHT = ("#231B45", "#3B2F73", "#6E6890")
MIST = ("#D9D4EA", "#FFFFFF")
GLASS = ("#2FA9C0", "#7FE7F2", "#E8FDFF")
EMBER = ("#C4501A", "#FF8A2A", "#FFC15E")
GOLD = ("#C98A12", "#FFD84A", "#FFF3B0")
LEAF = ("#2E8B3E", "#5CCB5F")
RUBY = ("#9E1F33", "#E8414F")
SKY = ("#4FA8E8", "#A8DBFF")


class SetWriter:
    """One gob set with its sheet and the animation sets that draw from it."""

    def __init__(self, folder, name, gobs_id, sheet_id):
        self.folder = os.path.join(HERE, folder)
        self.name = name
        self.gobs = {"id": hex(gobs_id), "name": name + "_GOBS", "pictures": []}
        self.sheet = {"id": hex(sheet_id), "name": name + "_SHEET"}
        self.animsets = []
        self.svgs = {}

    def picture(self, name, width, height, body, anchor=(0, 0)):
        self.svgs[name + ".svg"] = svg(width, height, body)
        self.gobs["pictures"].append({"name": name, "svg": name + ".svg", "anchor": list(anchor)})
        return name

    def animset(self, set_id, name, frames, animations):
        self.animsets.append({"id": hex(set_id), "name": name, "frames": frames, "animations": animations})

    def write(self):
        if os.path.isdir(self.folder):
            shutil.rmtree(self.folder)
        os.makedirs(self.folder)
        for file, text in self.svgs.items():
            with open(os.path.join(self.folder, file), "w") as out:
                out.write(text)
        description = {"sheet": self.sheet, "gobs": self.gobs, "animsets": self.animsets}
        path = os.path.join(self.folder, os.path.basename(self.folder) + ".json")
        with open(path, "w") as out:
            json.dump(description, out, indent=1)
            out.write("\n")
        return os.path.relpath(path, HERE)


def svg(width, height, body):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="0 0 {width} {height}">\n{body}\n</svg>\n')


def frame(name, modules, boxes=()):
    item = {"name": name, "modules": modules}
    if boxes:
        item["boxes"] = [{"type": t, "rect": list(r)} for t, r in boxes]
    return item


def mod(gob, x=0, y=0, flip=None):
    m = {"gob": gob, "x": x, "y": y}
    if flip:
        m["flip"] = flip
    return m


def anim(name, steps, loops="forever"):
    return {"name": name, "loops": loops, "frames": steps}


def step(frame_name, ms, offset=None):
    s = {"frame": frame_name, "ms": ms}
    if offset is not None:
        s["offset"] = list(offset)
    return s


def poly(points, fill, stroke=INK, width=2, extra=""):
    pts = " ".join(f"{x:.1f},{y:.1f}" for x, y in points)
    return f'<polygon points="{pts}" fill="{fill}" stroke="{stroke}" stroke-width="{width}" stroke-linejoin="round" {extra}/>'


def gradient(gid, colours, vertical=True):
    x2, y2 = (0, 1) if vertical else (1, 1)
    stops = "".join(f'<stop offset="{i / max(1, len(colours) - 1):.2f}" stop-color="{c}"/>' for i, c in enumerate(colours))
    return f'<linearGradient id="{gid}" x1="0" y1="0" x2="{x2}" y2="{y2}">{stops}</linearGradient>'


# ---------------------------------------------------------------- curtains (0xC00)

def curtains():
    w = SetWriter("curtain", "CURTAIN", 0xC03, 0xC43)
    # The opening curtain's top edge (black below it) and the closing curtain's bottom edge
    # (black above it): a row of glass teeth along a black band, 240 wide, 24 high.
    teeth = []
    for i in range(12):
        x = i * 20
        teeth.append((x, 24))
        teeth.append((x + 10, 6 + (i * 7) % 9))
    teeth.append((240, 24))
    body_open = (f'<rect x="0" y="16" width="240" height="8" fill="#000000"/>'
                 + poly(teeth, "#000000", GLASS[0], 1)
                 + "".join(f'<path d="M {i * 20 + 10} {8 + (i * 7) % 9} l -3 6 l 3 0 z" fill="{GLASS[2]}" opacity="0.8"/>' for i in range(12)))
    w.picture("edge_top", 240, 24, body_open, (0, 24))
    flipped = [(x, 24 - y) for x, y in teeth]
    body_close = (f'<rect x="0" y="0" width="240" height="8" fill="#000000"/>'
                  + poly(flipped, "#000000", GLASS[0], 1)
                  + "".join(f'<path d="M {i * 20 + 10} {16 - (i * 7) % 9} l -3 -6 l 3 0 z" fill="{GLASS[2]}" opacity="0.8"/>' for i in range(12)))
    w.picture("edge_bottom", 240, 24, body_close, (0, 24))
    frames = [frame("closing", [mod("edge_bottom")]), frame("opening", [mod("edge_top")])]
    # 20 px per 50 ms frame: the view opens or closes in under a second.
    down = [step("closing", 25, (0, 10)), step("closing", 25, (0, 20))]
    down_open = [step("opening", 25, (0, 10)), step("opening", 25, (0, 20))]
    w.animset(0xC00, "CURTAIN_SET", frames, [anim("close_down", down), anim("open_down", down_open)])
    return w.write()


# ---------------------------------------------------------------- stage backgrounds (0x2401..)

STAGES = [
    # name, sky colours (top, bottom), pattern colours, motif
    ("meadow", ("#A8DBFF", "#CDEBFF"), ("#FFFFFF", "#E3F3FF"), "clouds"),
    ("harbour", ("#7FC4EE", "#A8DBFF"), ("#D9D4EA", "#FFFFFF"), "bricks"),
    ("dusk", ("#FFC15E", "#FF8A2A"), ("#FFF3B0", "#FFD84A"), "clouds"),
    ("cavern", ("#3B2F73", "#231B45"), ("#6E6890", "#7FE7F2"), "crystals"),
    ("tower", ("#231B45", "#3B2F73"), ("#7FE7F2", "#E8FDFF"), "panes"),
]


def background_body(index):
    name, sky, pattern, motif = STAGES[index]
    # A flat sky with motifs that never cross the top or bottom edge: the tile repeats
    # seamlessly when stacked.
    parts = [f'<rect x="0" y="0" width="240" height="320" fill="{sky[0]}"/>']
    for band in range(4):
        parts.append(f'<rect x="0" y="{band * 80 + 40}" width="240" height="40" fill="{sky[1]}" opacity="0.5"/>')
    if motif == "clouds":
        for cx, cy, r in [(40, 40, 16), (170, 110, 20), (80, 190, 14), (200, 250, 18), (30, 285, 12)]:
            parts.append(f'<g stroke="{INK}" stroke-width="1" stroke-opacity="0.35">'
                         f'<ellipse cx="{cx}" cy="{cy}" rx="{r * 2}" ry="{r}" fill="{pattern[1]}"/>'
                         f'<ellipse cx="{cx - r * 0.6:.0f}" cy="{cy - r * 0.5:.0f}" rx="{r}" ry="{r * 0.8:.0f}" fill="{pattern[0]}"/></g>')
    elif motif == "bricks":
        for row in range(16):
            shift = 0 if row % 2 == 0 else 15
            for col in range(-1, 9):
                x = col * 30 + shift
                parts.append(f'<rect x="{x + 1}" y="{row * 20 + 1}" width="28" height="18" rx="3" fill="{pattern[row % 2]}" '
                             f'stroke="{INK}" stroke-opacity="0.25" stroke-width="1" opacity="0.55"/>')
    elif motif == "crystals":
        for cx, cy, s in [(30, 60, 18), (190, 40, 14), (120, 150, 22), (40, 230, 14), (210, 220, 20), (150, 290, 12)]:
            pts = [(cx, cy - s), (cx + s * 0.45, cy), (cx, cy + s), (cx - s * 0.45, cy)]
            parts.append(poly(pts, pattern[1], INK, 1, 'fill-opacity="0.55"'))
    else:  # panes of a glass tower
        for row in range(8):
            for col in range(4):
                parts.append(f'<rect x="{col * 60 + 8}" y="{row * 40 + 6}" width="44" height="28" rx="4" fill="{pattern[0]}" '
                             f'fill-opacity="0.25" stroke="{pattern[1]}" stroke-opacity="0.5" stroke-width="1"/>')
                parts.append(f'<path d="M {col * 60 + 14} {row * 40 + 28} l 10 -16 l 4 0 l -10 16 z" fill="{pattern[1]}" opacity="0.35"/>')
    return "\n".join(parts)


def backgrounds():
    files = []
    for s in range(5):
        w = SetWriter(f"stage{s}", f"STAGE{s}", 0x2407 + s, 0x2447 + s)
        w.picture("backdrop", 240, 320, background_body(s))
        # Frame 0 is the stage's picture on the world map, frame 1 the level's tile: both the
        # backdrop from its top-left corner (the 240 x 320 background of the boss levels).
        frames = [frame("stage_picture", [mod("backdrop")]), frame("tile", [mod("backdrop")])]
        w.animset(0x2401 + s, f"STAGE{s}_SET", frames, [anim("tile", [step("tile", 1000)], 1)])
        files.append(w.write())
    return files


def main():
    for path in [curtains()] + backgrounds():
        print(path)


if __name__ == "__main__":
    main()
