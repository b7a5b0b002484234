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


# A looping move's first step carries offset 0: a player enters each cycle at its first
# step, so any offset there would be added once more at the very first update.
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
    # Two curtain edges, 240 wide and 48 high, each a black band with a row of glass teeth
    # whose longest tooth reaches the picture's edge: "edge_top" has its teeth along its top
    # (black below them), "edge_bottom" along its bottom (black above them). Each is drawn
    # anchored at its bottom edge by the curtains that move down (animations 0 and 1) and at
    # its top edge by those that move up (2 and 3). 48 px is tall enough for the world map,
    # whose masks reach H + 2h below the band's top.
    height = 48
    tips = [0 if i == 5 else 4 + (i * 7) % 12 for i in range(12)]
    teeth = []
    for i, tip in enumerate(tips):
        teeth.append((i * 20, 20))
        teeth.append((i * 20 + 10, tip))
    teeth.append((240, 20))
    edge = lambda points: '<polyline points="' + " ".join(f"{x:.1f},{y:.1f}" for x, y in points) +         f'" fill="none" stroke="{GLASS[0]}" stroke-width="1" stroke-linejoin="round"/>'
    body_top = (poly(teeth + [(240, height), (0, height)], "#000000", "none", 0) + edge(teeth)
                + "".join(f'<path d="M {i * 20 + 10} {tip + 3} l -3 7 l 3 0 z" fill="{GLASS[2]}" opacity="0.8"/>'
                          for i, tip in enumerate(tips)))
    flipped = [(x, height - y) for x, y in teeth]
    body_bottom = (poly(flipped + [(240, 0), (0, 0)], "#000000", "none", 0) + edge(flipped)
                   + "".join(f'<path d="M {i * 20 + 10} {height - tip - 3} l -3 -7 l 3 0 z" fill="{GLASS[2]}" opacity="0.8"/>'
                             for i, tip in enumerate(tips)))
    w.picture("edge_top", 240, height, body_top, (0, height))
    w.picture("edge_bottom", 240, height, body_bottom, (0, height))
    w.picture("edge_top_up", 240, height, body_top, (0, 0))
    w.picture("edge_bottom_up", 240, height, body_bottom, (0, 0))
    frames = [frame("closing", [mod("edge_bottom")]), frame("opening", [mod("edge_top")]),
              frame("closing_up", [mod("edge_bottom_up")]), frame("opening_up", [mod("edge_top_up")])]
    # 20 px per 50 ms frame, steadily: the view opens or closes in under a second.
    down = [step("closing", 25, (0, 10)), step("closing", 25, (0, 20))]
    down_open = [step("opening", 25, (0, 10)), step("opening", 25, (0, 20))]
    up = [step("closing_up", 25, (0, -10)), step("closing_up", 25, (0, -20))]
    up_open = [step("opening_up", 25, (0, -10)), step("opening_up", 25, (0, -20))]
    w.animset(0xC00, "CURTAIN_SET", frames, [anim("close_down", down), anim("open_down", down_open),
                                             anim("close_up", up), anim("open_up", up_open)])
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
        # Frame 0 is the stage's picture on the world map (drawn by content/map_art.py, from
        # its top-left corner), frame 1 the level's tile: the backdrop from its top-left
        # corner (the 240 x 320 background of the boss levels).
        w.gobs["pictures"].append({"name": "map_picture", "svg": f"../worldmap/stage{s}_map.svg", "anchor": [0, 0]})
        frames = [frame("stage_picture", [mod("map_picture")]), frame("tile", [mod("backdrop")])]
        w.animset(0x2401 + s, f"STAGE{s}_SET", frames, [anim("tile", [step("tile", 1000)], 1)])
        files.append(w.write())
    return files


# ---------------------------------------------------------------- glass (0x2000..)

GLASS_TINTS = [GLASS, ("#2FA9C0", "#A8DBFF", "#E8FDFF"), ("#C98A12", "#FFD84A", "#FFF3B0"),
               ("#3B2F73", "#6E6890", "#D9D4EA"), ("#2FA9C0", "#7FE7F2", "#FFFFFF")]
# Seven shapes as unit polygons around the centre.
SHAPES = [
    [(0, -1), (0.9, 0.8), (-0.9, 0.8)],
    [(0, -1), (0.8, 0), (0, 1), (-0.8, 0)],
    [(-0.9, -0.6), (0.9, -0.9), (0.6, 0.9), (-0.7, 0.7)],
    [(-0.4, -1), (0.9, -0.2), (0.3, 1), (-0.9, 0.3)],
    [(-1, -0.3), (0.2, -1), (1, 0.4), (-0.2, 0.9)],
    [(0, -1), (0.95, -0.3), (0.6, 0.85), (-0.6, 0.85), (-0.95, -0.3)],
    [(-0.3, -1), (0.3, -1), (0.5, 1), (-0.5, 1)],
]
GLASS_SIZES = [5, 8, 12]  # half sizes of small, medium, large


def glass_piece(tint, shape, half):
    pad = 2
    w = 2 * half + 2 * pad
    pts = [(pad + half + x * half, pad + half + y * half) for x, y in SHAPES[shape]]
    glint = [(pad + half - half * 0.35, pad + half - half * 0.5), (pad + half - half * 0.1, pad + half - half * 0.55),
             (pad + half - half * 0.45, pad + half + half * 0.1)]
    body = (poly(pts, tint[1], INK, 1, 'fill-opacity="0.85"') + poly(glint, tint[2], "none", 0))
    return w, body


def glass_sets():
    files = []
    for s in range(5):
        tint = GLASS_TINTS[s]
        w = SetWriter(f"glass{s}", f"GLASS{s}", 0x2005 + s, 0x2045 + s)
        frames = []
        for size, half in enumerate(GLASS_SIZES):
            for shape in range(7):
                width, body = glass_piece(tint, shape, half)
                name = w.picture(f"piece_{size}_{shape}", width, width, body, (width // 2, width // 2))
                frames.append(frame(name, [mod(name)], [(0, (-half, -half, 2 * half, 2 * half))]))
        # The low foreground at the middle of the ground, over the pile's foot.
        fg = "".join(poly([(x, 10), (x + 6, 2 + (x * 3) % 5), (x + 12, 10)], tint[1], INK, 1, 'fill-opacity="0.7"') for x in range(0, 228, 12))
        w.picture("foreground", 240, 12, f'<rect x="0" y="9" width="240" height="3" fill="{tint[0]}"/>' + fg, (120, 10))
        frames.append(frame("foreground", [mod("foreground")]))
        animations = [anim(f"piece_{i}", [step(frames[i]["name"], 1000)]) for i in range(21)]
        # 21 climbs with the marker: 2 px each 50 ms.
        animations.append(anim("foreground", [step("foreground", 25, (0, 0)), step("foreground", 25, (0, -2))]))
        # 22..25: the pieces burst out of a defeated enemy, each with its own arc, once.
        for v, (rise, ms) in enumerate([(18, 40), (24, 45), (14, 35), (30, 50)]):
            arc = [step("piece_0_0", ms, (0, -round(rise * math.sin(math.pi * k / 12)) + (k * 2 if k > 6 else 0))) for k in range(1, 13)]
            animations.append(anim(f"burst_{v}", arc, 1))
        # 26: the fall, 6 px each 50 ms, endless.
        animations.append(anim("fall", [step("piece_0_0", 25, (0, 0)), step("piece_0_0", 25, (0, 6))]))
        w.animset(0x2000 + s, f"GLASS{s}_SET", frames, animations)
        files.append(w.write())
    return files


# ---------------------------------------------------------------- enemies (0x3000..)

STAGE_KINDS = [[0, 0, 0, 4, 5], [0, 1, 1, 4, 5], [0, 1, 2, 4, 5], [0, 1, 2, 3, 4, 5], [0, 1, 2, 3, 4, 5]]
STAGE_ROW_SETS = [[12290, 12289, 12291, 12292, 12288], [13315, 13314, 13312, 13316, 13313],
                  [14339, 14340, 14338, 14336, 14337], [15364, 15362, 15360, 15365, 15361, 15363],
                  [16388, 16385, 16384, 16389, 16386, 16387]]
ENEMY_COLOURS = [("#2E8B3E", "#5CCB5F"), ("#C4501A", "#FF8A2A"), ("#9E1F33", "#E8414F"), ("#3B2F73", "#6E6890"),
                 ("#C98A12", "#FFD84A"), ("#2FA9C0", "#7FE7F2")]


def creature(kind, colours, pose, tint_shift=0):
    """A round creature 32 x 32 facing left, its feet at (16, 30). pose: 0 step a, 1 step b,
    2 attack, 3 squashed."""
    shade, base = colours
    squash = 4 if pose == 1 else 0
    body_h = 20 - squash
    top = 30 - body_h - 4
    parts = [f'<ellipse cx="17" cy="31" rx="11" ry="2" fill="{INK}" opacity="0.3"/>']
    if kind == 3:  # wings
        flap = -6 if pose == 1 else 0
        parts.append(poly([(8, top + 8), (-0 + 1, top + 2 + flap), (6, top + 14)], "#E8FDFF", INK, 1.5))
        parts.append(poly([(24, top + 8), (31, top + 2 + flap), (26, top + 14)], "#E8FDFF", INK, 1.5))
    if kind == 5:  # horns
        parts.append(poly([(9, top + 4), (5, top - 4), (12, top + 1)], "#FFF3B0", INK, 1.5))
        parts.append(poly([(23, top + 4), (27, top - 4), (20, top + 1)], "#FFF3B0", INK, 1.5))
    if kind == 4:  # a hanging thread
        parts.append(f'<line x1="16" y1="0" x2="16" y2="{top}" stroke="{INK}" stroke-width="1"/>')
    rx = 12 if kind != 1 else 11
    parts.append(f'<ellipse cx="16" cy="{top + body_h / 2 + 2:.1f}" rx="{rx + (2 if pose == 1 else 0)}" ry="{body_h / 2 + 2:.1f}" '
                 f'fill="{base}" stroke="{INK}" stroke-width="2"/>')
    if kind == 1:  # spikes
        for sx in (8, 16, 24):
            parts.append(poly([(sx - 3, top + 3), (sx, top - 3), (sx + 3, top + 3)], shade, INK, 1.5))
    parts.append(f'<ellipse cx="16" cy="{top + body_h / 2 + 7:.1f}" rx="{rx - 3}" ry="{body_h / 4:.1f}" fill="{shade}" opacity="0.5"/>')
    parts.append(f'<ellipse cx="12" cy="{top + 5}" rx="4" ry="2" fill="#FFFFFF" opacity="0.6"/>')
    eye_y = top + body_h / 2
    for ex in (10, 17):
        parts.append(f'<circle cx="{ex}" cy="{eye_y:.1f}" r="3" fill="#FFFFFF" stroke="{INK}" stroke-width="1"/>')
        parts.append(f'<circle cx="{ex - 1}" cy="{eye_y:.1f}" r="1.4" fill="{INK}"/>')
    if pose == 2:
        parts.append(f'<path d="M 9 {eye_y + 6:.1f} q 4 3 8 0" stroke="{INK}" stroke-width="1.5" fill="#9E1F33"/>')
    if kind == 2:  # a raised arm
        arm_y = top - 2 if pose == 2 else top + 6
        parts.append(f'<circle cx="4" cy="{arm_y}" r="3" fill="{base}" stroke="{INK}" stroke-width="1.5"/>')
    if kind in (0, 5):  # feet
        lift = 2 if pose == 1 else 0
        parts.append(f'<ellipse cx="10" cy="{29 - lift}" rx="4" ry="2" fill="{shade}" stroke="{INK}" stroke-width="1"/>')
        parts.append(f'<ellipse cx="22" cy="{29}" rx="4" ry="2" fill="{shade}" stroke="{INK}" stroke-width="1"/>')
    return "\n".join(parts)


def burst(colours, k):
    shade, base = colours
    parts = []
    for i in range(6):
        a = i * math.pi / 3 + k * 0.4
        r = 4 + k * 4
        x, y = 16 + r * math.cos(a), 20 + r * math.sin(a) * 0.7
        parts.append(poly([(x, y - 3), (x + 3, y + 2), (x - 3, y + 2)], base if i % 2 else GLASS[1], INK, 1))
    if k == 0:
        parts.append(f'<ellipse cx="16" cy="24" rx="12" ry="6" fill="{base}" stroke="{INK}" stroke-width="2"/>')
    return "\n".join(parts)


def enemy_sets():
    files = []
    for s in range(5):
        kinds = STAGE_KINDS[s]
        n = len(kinds)
        base_id = 0x3000 + 0x400 * s
        for row, set_id in enumerate(STAGE_ROW_SETS[s]):
            kind = kinds[row]
            colours = ENEMY_COLOURS[(row + s * 2) % len(ENEMY_COLOURS)]
            w = SetWriter(f"enemy{s}_{set_id - base_id}", f"ENEMY_{set_id:X}", set_id + n, set_id + n + 0x40)
            anchor = (16, 30)
            for pose in range(3):
                w.picture(f"pose{pose}", 32, 34, creature(kind, colours, pose), anchor)
            for k in range(3):
                w.picture(f"burst{k}", 32, 34, burst(colours, k), anchor)
            w.picture("shot", 12, 12, f'<circle cx="6" cy="6" r="4.5" fill="{colours[1]}" stroke="{INK}" stroke-width="1.5"/>'
                                      f'<circle cx="4.5" cy="4.5" r="1.5" fill="#FFFFFF"/>', (6, 6))
            w.picture("splash", 16, 16, "".join(poly([(8, 8), (8 + 7 * math.cos(a), 8 + 7 * math.sin(a)), (8 + 4 * math.cos(a + 0.5), 8 + 4 * math.sin(a + 0.5))],
                                                     colours[1], INK, 1) for a in [0, 1.6, 3.2, 4.8]), (8, 8))
            body = (-11, -22, 22, 22)
            frames = []
            boxed = (0, body)
            for facing, flip in (("l", None), ("r", "h")):
                for pose in range(3):
                    frames.append(frame(f"pose{pose}_{facing}", [mod(f"pose{pose}", flip=flip)], [boxed]))
                for k in range(3):
                    frames.append(frame(f"burst{k}_{facing}", [mod(f"burst{k}", flip=flip)]))
                frames.append(frame(f"splash_{facing}", [mod("splash", flip=flip)]))
            frames.append(frame("shot", [mod("shot")], [(0, (-5, -5, 10, 10))]))
            frames.append(frame("nothing", []))
            falling_objects = set_id == 0x3C05
            # Boss 4 reads this set's 2, 3 and 8..12 as its falling objects, boxed on every frame.
            if falling_objects:
                frames.append(frame("burst1_boxed", [mod("burst1")], [boxed]))
                frames.append(frame("burst2_boxed", [mod("burst2")], [boxed]))

            def two(fn):
                return [fn("l"), fn("r")]
            animations = []
            animations += two(lambda f: anim(f"move_{f}", [step(f"pose0_{f}", 150), step(f"pose1_{f}", 150)]))
            if falling_objects:
                animations += [anim("destroyed_a", [step("burst1_boxed", 80), step("burst2_boxed", 80)], 1),
                               anim("destroyed_b", [step("burst2_boxed", 80), step("burst1_boxed", 80)], 1)]
            else:
                animations += two(lambda f: anim(f"stand_{f}", [step(f"pose0_{f}", 300), step(f"pose1_{f}", 300)]))
            animations += two(lambda f: anim(f"die_{f}", [step(f"burst0_{f}", 80), step(f"burst1_{f}", 80), step(f"burst2_{f}", 80)], 1))
            animations += two(lambda f: anim(f"attack_{f}", [step(f"pose2_{f}", 100), step(f"pose1_{f}", 100)]))
            if falling_objects:
                animations += [anim("close_a", [step("pose2_l", 200)], 1), anim("close_b", [step("pose2_r", 200)], 1),
                               anim("fall", [step("pose0_l", 25, (0, 0)), step("pose0_l", 25, (0, 6))]),
                               anim("appear", [step("pose1_l", 100), step("pose0_l", 100)], 1),
                               anim("land", [step("pose1_l", 120), step("pose0_l", 120)], 1)]
            else:
                animations += two(lambda f: anim(f"drop_{f}", [step(f"pose1_{f}", 25, (0, 0)), step(f"pose1_{f}", 25, (0, 6))]))
                animations += two(lambda f: anim(f"impact_{f}", [step(f"splash_{f}", 120), step("nothing", 60)], 1))
                animations.append(anim("effect_flight", [step("shot", 100)]))
            animations.append(anim("effect_idle", [step("nothing", 1000)]))
            w.animset(set_id, f"ENEMY_{set_id:X}_SET", frames, animations)
            files.append(w.write())
    return files


# ---------------------------------------------------------------- HUD (0x1002) and its neighbours

def button(w_, h, fill, label_path):
    return (f'<rect x="1" y="2" width="{w_ - 2}" height="{h - 3}" rx="6" fill="{INK}" opacity="0.35"/>'
            f'<rect x="1" y="1" width="{w_ - 3}" height="{h - 3}" rx="6" fill="{fill}" stroke="{INK}" stroke-width="2"/>'
            f'<rect x="4" y="3" width="{w_ - 9}" height="{(h - 3) // 2 - 1}" rx="4" fill="#FFFFFF" opacity="0.3"/>' + label_path)


def hud():
    w = SetWriter("hud", "HUD", 0x100C, 0x104C)
    bar = (f'<rect x="0" y="0" width="240" height="30" fill="{NIGHT[0]}"/>'
           f'<rect x="0" y="27" width="240" height="3" fill="{INK}"/>'
           f'<rect x="0" y="0" width="240" height="12" fill="{NIGHT[1]}"/>'
           f'<rect x="34" y="5" width="24" height="20" rx="4" fill="{NIGHT[1]}" stroke="{GLASS[0]}" stroke-width="1"/>'
           f'<rect x="174" y="4" width="60" height="22" rx="8" fill="{NIGHT[1]}" stroke="{GOLD[0]}" stroke-width="1"/>'
           f'<circle cx="164" cy="15" r="8" fill="{RUBY[1]}" stroke="{INK}" stroke-width="1.5"/>'
           f'<circle cx="161" cy="13" r="2" fill="#FFFFFF"/><circle cx="167" cy="13" r="2" fill="#FFFFFF"/>')
    w.picture("top_bar", 240, 30, bar, (120, 0))
    w.picture("prev", 26, 26, button(26, 26, GLASS[0], f'<path d="M 16 7 L 8 13 L 16 19 Z" fill="#FFFFFF" stroke="{INK}" stroke-width="1"/>'), (0, 0))
    w.picture("next", 26, 26, button(26, 26, GLASS[0], f'<path d="M 9 7 L 17 13 L 9 19 Z" fill="#FFFFFF" stroke="{INK}" stroke-width="1"/>'), (0, 0))
    w.picture("panel", 22, 108, f'<rect x="2" y="3" width="19" height="104" rx="9" fill="{INK}" opacity="0.35"/>'
                                f'<rect x="1" y="1" width="19" height="104" rx="9" fill="{NIGHT[1]}" stroke="{INK}" stroke-width="2"/>'
                                f'<rect x="6" y="8" width="9" height="82" rx="3" fill="{NIGHT[0]}"/>'
                                f'<path d="M 10.5 93 l -4 4 l 4 4 l 4 -4 z" fill="{RUBY[1]}" stroke="{INK}" stroke-width="1"/>', (0, 54))
    w.picture("step", 8, 4, f'<rect x="0" y="0" width="8" height="4" fill="{MIST[0]}"/>', (0, 0))
    w.picture("gauge", 8, 80, f'<rect x="0" y="0" width="8" height="80" fill="{LEAF[1]}"/>'
              + "".join(f'<rect x="0" y="{y}" width="8" height="1" fill="{LEAF[0]}"/>' for y in range(3, 80, 4))
              + '<rect x="1" y="0" width="2" height="80" fill="#FFFFFF" opacity="0.45"/>', (0, 0))
    w.picture("gauge_low", 8, 80, f'<rect x="0" y="0" width="8" height="80" fill="{RUBY[1]}"/>'
              + "".join(f'<rect x="0" y="{y}" width="8" height="1" fill="{RUBY[0]}"/>' for y in range(3, 80, 4))
              + '<rect x="1" y="0" width="2" height="80" fill="#FFFFFF" opacity="0.45"/>', (0, 0))
    w.picture("gauge_empty", 8, 80, f'<rect x="0" y="0" width="8" height="80" fill="{NIGHT[0]}"/>', (0, 0))
    w.picture("speed", 16, 16, f'<circle cx="8" cy="8" r="7" fill="{SKY[0]}" stroke="{INK}" stroke-width="1"/>'
                               f'<path d="M 4 5 h 6 M 3 8 h 8 M 4 11 h 6" stroke="#FFFFFF" stroke-width="1.5"/>', (0, 0))
    w.picture("power", 16, 16, f'<circle cx="8" cy="8" r="7" fill="{EMBER[1]}" stroke="{INK}" stroke-width="1"/>'
                               f'<path d="M 9 2 L 4 9 L 8 9 L 7 14 L 12 7 L 8 7 Z" fill="{GOLD[2]}" stroke="{INK}" stroke-width="0.8"/>', (0, 0))
    w.picture("pause", 28, 28, button(28, 28, NIGHT[2], f'<rect x="9" y="8" width="3" height="11" fill="#FFFFFF"/><rect x="15" y="8" width="3" height="11" fill="#FFFFFF"/>'), (0, 0))
    # The boss levels' pictures: a top bar without the enemy counter, the boss's panel at the
    # right edge (the left panel mirrored, a crown in place of the heart) and its fill.
    plain = bar.split(f'<rect x="174"')[0]
    w.picture("top_bar_plain", 240, 30, plain, (120, 0))
    w.picture("boss_panel", 22, 108, f'<rect x="2" y="3" width="19" height="104" rx="9" fill="{INK}" opacity="0.35"/>'
                                     f'<rect x="1" y="1" width="19" height="104" rx="9" fill="{NIGHT[1]}" stroke="{INK}" stroke-width="2"/>'
                                     f'<rect x="7" y="8" width="9" height="82" rx="3" fill="{NIGHT[0]}"/>'
                                     f'<path d="M 5 101 l 1 -7 l 3 3 l 2.5 -4 l 2.5 4 l 3 -3 l 1 7 z" fill="{GOLD[1]}" stroke="{INK}" stroke-width="1"/>', (22, 54))
    w.picture("boss_gauge", 8, 80, f'<rect x="0" y="0" width="8" height="80" fill="{EMBER[1]}"/>'
              + "".join(f'<rect x="0" y="{y}" width="8" height="1" fill="{EMBER[0]}"/>' for y in range(3, 80, 4))
              + '<rect x="1" y="0" width="2" height="80" fill="#FFFFFF" opacity="0.45"/>', (0, 0))
    panel_x, gauge_top = 0, -44
    frames = [frame(f"reserved_{i}", []) for i in range(20)]
    frames[1] = frame("touch_buttons", [mod("pause", -32, -32)], [(1, (-32, -32, 28, 28))])
    frames[2] = frame("left_panel", [mod("panel", 0, 0)],
                      [(0, (6, gauge_top, 8, 80)), (1, (3, -92, 16, 16)), (1, (3, -74, 16, 16))])
    frames[7] = frame("gauge_step", [mod("step")])
    frames[8] = frame("gauge_empty", [mod("gauge_empty", 6, gauge_top)])
    frames[10] = frame("speed_icon", [mod("speed")])
    frames[11] = frame("power_icon", [mod("power")])
    # Top bar: type 0 boxes 0 the counter and 1 the weapon icon; type 1 boxes 0 and 1 the
    # previous and next weapon buttons.
    frames[12] = frame("top_bar", [mod("top_bar"), mod("prev", -118, 2), mod("next", -60, 2)],
                       [(0, (54, 4, 60, 22)), (0, (-84, 5, 20, 20)), (1, (-118, 2, 26, 26)), (1, (-60, 2, 26, 26))])
    frames[16] = frame("gauge", [mod("gauge", 6, gauge_top)])
    frames[17] = frame("gauge_low", [mod("gauge_low", 6, gauge_top)])
    # Boss levels (and the tutorial): 15 the top bar without the counter (type 0 box 0 the
    # weapon icon's place, type 1 boxes 0 and 1 the weapon buttons); 18 the boss's panel
    # anchored at (240, 160), type 0 box 0 its gauge window; 19 the boss's fill.
    frames[15] = frame("top_bar_plain", [mod("top_bar_plain"), mod("prev", -118, 2), mod("next", -60, 2)],
                       [(0, (-84, 5, 20, 20)), (1, (-118, 2, 26, 26)), (1, (-60, 2, 26, 26))])
    frames[18] = frame("boss_panel", [mod("boss_panel")], [(0, (-15, gauge_top, 8, 80))])
    frames[19] = frame("boss_gauge", [mod("boss_gauge", -15, gauge_top)])
    w.animset(0x1002, "HUD_SET", frames, [anim("top_bar", [step("top_bar", 1000)], 1)])
    files = [w.write()]

    t = SetWriter("touchmarks", "TOUCH_MARK", 0x1011, 0x1051)
    arrow = lambda d: f'<path d="{d}" fill="{NIGHT[2]}" stroke="{MIST[0]}" stroke-width="1.5" stroke-linejoin="round" opacity="0.9"/>'
    t.picture("left", 28, 24, arrow("M 3 12 L 15 2 L 15 8 L 25 8 L 25 16 L 15 16 L 15 22 Z"), (14, 12))
    t.picture("jump", 24, 28, arrow("M 12 3 L 22 15 L 16 15 L 16 25 L 8 25 L 8 15 L 2 15 Z"), (12, 14))
    t.picture("right", 28, 24, arrow("M 25 12 L 13 2 L 13 8 L 3 8 L 3 16 L 13 16 L 13 22 Z"), (14, 12))
    t.picture("divider", 2, 40, f'<rect x="0" y="0" width="2" height="40" fill="{NIGHT[1]}"/>', (1, 20))
    t.animset(0x1007, "TOUCH_MARK_SET", [frame("marks", [mod("left", -120, 0), mod("jump", -40, 0), mod("right", 40, 0),
                                                          mod("divider", -80, 0), mod("divider", 0, 0)])],
              [anim("marks", [step("marks", 1000)], 1)])
    files.append(t.write())

    i = SetWriter("weaponicons", "WEAPON_ICON", 0x1013, 0x1053)
    for k, body in enumerate(weapon_drawings()):
        i.picture(f"weapon{k}", 20, 20, f'<rect x="0.5" y="0.5" width="19" height="19" rx="4" fill="{NIGHT[1]}" stroke="{INK}" stroke-width="1"/>' + body)
    i.animset(0x1009, "WEAPON_ICON_SET", [frame(f"weapon{k}", [mod(f"weapon{k}")]) for k in range(7)],
              [anim("icons", [step("weapon0", 1000)], 1)])
    files.append(i.write())

    m = SetWriter("marker", "MARKER", 0x100B, 0x104B)
    ground = (f'<rect x="0" y="0" width="240" height="10" fill="{NIGHT[1]}"/>'
              f'<rect x="0" y="0" width="240" height="3" fill="{GLASS[1]}"/>'
              + "".join(f'<rect x="{x}" y="5" width="10" height="2" rx="1" fill="{NIGHT[2]}"/>' for x in range(4, 240, 16)))
    m.picture("ground", 240, 10, ground)
    m.animset(0x1001, "MARKER_SET", [frame("ground", [mod("ground")], [(0, (0, 0, 240, 10))])],
              [anim("climb", [step("ground", 25, (0, 0)), step("ground", 25, (0, -2))])])
    files.append(m.write())
    return files


def weapon_drawings():
    o = f'stroke="{INK}" stroke-width="1"'
    return [
        f'<circle cx="10" cy="10" r="4" fill="{MIST[0]}" {o}/>',
        f'<path d="M 3 7 L 15 7 L 17 8 L 15 9 L 3 9 Z" fill="{GLASS[1]}" {o}/><path d="M 3 12 L 15 12 L 17 13 L 15 14 L 3 14 Z" fill="{GLASS[1]}" {o}/>',
        f'<path d="M 4 15 Q 10 2 16 15 Q 10 9 4 15 Z" fill="{EMBER[1]}" {o}/>',
        f'<path d="M 2 10 L 13 10 M 13 7 L 18 10 L 13 13 Z" stroke="{INK}" stroke-width="1.5" fill="{MIST[0]}"/>',
        f'<path d="M 10 3 L 16 10 L 10 17 L 4 10 Z" fill="{GLASS[1]}" {o}/><path d="M 10 5 L 7 10 L 10 10 Z" fill="#FFFFFF"/>',
        f'<path d="M 2 9 L 16 9 L 18 10 L 16 11 L 2 11 Z" fill="{GOLD[1]}" {o}/><circle cx="17" cy="10" r="2" fill="{GOLD[2]}"/>',
        f'<path d="M 10 2 L 12 8 L 18 8 L 13 12 L 15 18 L 10 14 L 5 18 L 7 12 L 2 8 L 8 8 Z" fill="{GOLD[1]}" {o}/>',
    ]


# ---------------------------------------------------------------- items (0x1003)

def items():
    w = SetWriter("items", "ITEM", 0x100D, 0x104D)
    o = f'stroke="{INK}" stroke-width="1.5"'
    drawings = [
        f'<circle cx="8" cy="8" r="6.5" fill="{GOLD[1]}" {o}/><circle cx="8" cy="8" r="3.5" fill="none" stroke="{GOLD[0]}" stroke-width="1.5"/><circle cx="6" cy="5" r="1.5" fill="{GOLD[2]}"/>',
        f'<path d="M 8 14 L 2 7 Q 2 2 5 2 Q 8 2 8 5 Q 8 2 11 2 Q 14 2 14 7 Z" fill="{RUBY[1]}" {o}/><circle cx="5" cy="5" r="1.5" fill="#FFFFFF"/>',
        f'<circle cx="8" cy="8" r="6.5" fill="{SKY[0]}" {o}/><path d="M 4 5 h 6 M 3 8 h 8 M 4 11 h 6" stroke="#FFFFFF" stroke-width="1.5"/>',
        f'<circle cx="8" cy="8" r="6.5" fill="{EMBER[1]}" {o}/><path d="M 9 2 L 4 9 L 8 9 L 7 14 L 12 7 L 8 7 Z" fill="{GOLD[2]}" stroke="{INK}" stroke-width="0.8"/>',
        f'<path d="M 8 1 L 14 4 L 13 10 L 8 15 L 3 10 L 2 4 Z" fill="{GLASS[1]}" {o}/><path d="M 8 4 L 5 6 L 6 10 Z" fill="#FFFFFF"/>',
    ]
    frames = []
    box = (0, (-7, -15, 14, 14))
    for k, body in enumerate(drawings):
        w.picture(f"item{k}", 16, 16, body, (8, 16))
        frames.append(frame(f"item{k}", [mod(f"item{k}")], [box]))
        frames.append(frame(f"item{k}_up", [mod(f"item{k}", 0, -2)], [box]))
        frames.append(frame(f"item{k}_blank", [], [box]))
    w.picture("sparkle", 8, 8, f'<path d="M 4 0 L 5 3 L 8 4 L 5 5 L 4 8 L 3 5 L 0 4 L 3 3 Z" fill="#FFFFFF" stroke="{GLASS[0]}" stroke-width="0.5"/>', (4, 4))
    frames.append(frame("sparkle", [mod("sparkle", 5, -14)]))
    frames.append(frame("sparkle_low", [mod("sparkle", -5, -6)]))
    frames.append(frame("no_sparkle", []))
    animations = []
    for k in range(5):
        animations.append(anim(f"fall{k}", [step(f"item{k}", 25, (0, 0)), step(f"item{k}", 25, (0, 4))]))
        animations.append(anim(f"rest{k}", [step(f"item{k}", 300), step(f"item{k}_up", 300)]))
        animations.append(anim(f"blink{k}", [step(f"item{k}", 100), step(f"item{k}_blank", 100)]))
    animations.append(anim("glint", [step("sparkle", 120), step("no_sparkle", 400), step("sparkle_low", 120), step("no_sparkle", 400)]))
    w.animset(0x1003, "ITEM_SET", frames, animations)
    return [w.write()]


# ---------------------------------------------------------------- the hero (0x1400) and its shots (0x1403)

def hero_body(pose):
    """The hero facing right, 26 x 36, feet at (13, 34). pose: stand, step, rise, fall, hurt, cheer, down, throw, throw up."""
    lean = {1: 1, 7: 2}.get(pose, 0)
    legs = {1: ((9, 34), (18, 32)), 2: ((10, 30), (16, 31)), 3: ((9, 34), (17, 33))}.get(pose, ((10, 34), (16, 34)))
    parts = [f'<ellipse cx="13" cy="34.5" rx="8" ry="1.5" fill="{INK}" opacity="0.3"/>']
    if pose == 6:  # down
        parts.append(f'<ellipse cx="13" cy="30" rx="11" ry="5" fill="{EMBER[1]}" stroke="{INK}" stroke-width="2"/>')
        parts.append(f'<circle cx="21" cy="28" r="5" fill="{EMBER[2]}" stroke="{INK}" stroke-width="2"/>')
        parts.append(f'<path d="M 19 26 l 3 3 M 22 26 l -3 3" stroke="{INK}" stroke-width="1"/>')
        return "\n".join(parts)
    for (x, y) in legs:
        parts.append(f'<path d="M 13 24 L {x} {y}" stroke="{INK}" stroke-width="4.5" stroke-linecap="round"/>')
        parts.append(f'<path d="M 13 24 L {x} {y}" stroke="{NIGHT[1]}" stroke-width="2.5" stroke-linecap="round"/>')
    fill = RUBY[1] if pose == 4 else EMBER[1]
    parts.append(f'<rect x="{6 + lean}" y="13" width="14" height="13" rx="5" fill="{fill}" stroke="{INK}" stroke-width="2"/>')
    parts.append(f'<rect x="{8 + lean}" y="15" width="5" height="4" rx="2" fill="#FFFFFF" opacity="0.4"/>')
    arm_end = {5: (22, 3), 7: (24, 17), 8: (15, 4), 2: (22, 10)}.get(pose, (21, 22))
    parts.append(f'<path d="M {16 + lean} 17 L {arm_end[0]} {arm_end[1]}" stroke="{INK}" stroke-width="4" stroke-linecap="round"/>')
    parts.append(f'<path d="M {16 + lean} 17 L {arm_end[0]} {arm_end[1]}" stroke="{EMBER[2]}" stroke-width="2" stroke-linecap="round"/>')
    parts.append(f'<circle cx="{14 + lean}" cy="8" r="6.5" fill="{EMBER[2]}" stroke="{INK}" stroke-width="2"/>')
    parts.append(f'<path d="M {8 + lean} 6 Q {14 + lean} -1 {20 + lean} 5 L {17 + lean} 4 Z" fill="{EMBER[0]}" stroke="{INK}" stroke-width="1"/>')
    eye = "M {0} 8 l 2 0" if pose == 4 else None
    if eye:
        parts.append(f'<path d="{eye.format(16 + lean)}" stroke="{INK}" stroke-width="1.5"/>')
    else:
        parts.append(f'<circle cx="{17 + lean}" cy="8" r="1.3" fill="{INK}"/>')
    if pose == 5:
        parts.append(f'<path d="M {14 + lean} 11 q 2 2 4 0" stroke="{INK}" stroke-width="1" fill="none"/>')
    return "\n".join(parts)


# Each weapon's projectile hit box, width and height flying sideways: global::WeaponConfig's
# columns 6 and 7 (a content test holds the two together).
SHOT_BOXES = [(16, 16), (14, 10), (18, 18), (22, 12), (20, 20), (24, 12), (24, 22)]


def shot_drawing(k, up):
    o = f'stroke="{INK}" stroke-width="1"'
    bodies = [
        (8, 8, f'<circle cx="4" cy="4" r="3" fill="{MIST[0]}" {o}/>'),
        (12, 4, f'<path d="M 0 1 L 9 1 L 11 2 L 9 3 L 0 3 Z" fill="{GLASS[1]}" {o}/>'),
        (14, 10, f'<path d="M 1 8 Q 7 -2 13 8 Q 7 4 1 8 Z" fill="{EMBER[1]}" {o}/>'),
        (18, 6, f'<path d="M 0 3 L 12 3 M 12 0 L 17 3 L 12 6 Z" stroke="{INK}" stroke-width="1.5" fill="{MIST[0]}"/>'),
        (12, 12, f'<path d="M 6 0 L 12 6 L 6 12 L 0 6 Z" fill="{GLASS[1]}" {o}/><path d="M 6 2 L 3 6 L 6 6 Z" fill="#FFFFFF"/>'),
        (22, 6, f'<path d="M 0 2 L 18 2 L 21 3 L 18 4 L 0 4 Z" fill="{GOLD[1]}" {o}/><circle cx="19" cy="3" r="2.5" fill="{GOLD[2]}" {o}/>'),
        (14, 14, f'<path d="M 7 0 L 9 5 L 14 5 L 10 8 L 12 14 L 7 10 L 2 14 L 4 8 L 0 5 L 5 5 Z" fill="{GOLD[1]}" {o}/>'),
    ]
    w_, h, body = bodies[k]
    if up:
        return h, w_, f'<g transform="translate(0 {w_}) rotate(-90)">{body}</g>'
    return w_, h, body


def hero():
    w = SetWriter("hero", "HERO", 0x1401, 0x1441)
    poses = ["stand", "step", "rise", "fall", "hurt", "cheer", "down", "throw", "throw_up"]
    box = (0, (-7, -30, 14, 30))
    for k, name in enumerate(poses):
        w.picture(name, 26, 36, hero_body(k), (13, 34))
    w.picture("aura_speed", 30, 38, f'<path d="M 3 10 h 7 M 1 18 h 9 M 3 26 h 7" stroke="{SKY[0]}" stroke-width="2" stroke-linecap="round" opacity="0.9"/>', (15, 36))
    w.picture("aura_power", 30, 38, f'<ellipse cx="15" cy="20" rx="13" ry="17" fill="none" stroke="{EMBER[1]}" stroke-width="2" opacity="0.7"/>', (15, 36))
    for k, body in enumerate(weapon_drawings()):
        w.picture(f"held{k}", 20, 20, body, (4, 10))
    frames = [frame(name, [mod(name)], [box] if name != "down" else []) for name in poses]
    frames += [frame("nothing", []), frame("aura_speed", [mod("aura_speed")]), frame("aura_power", [mod("aura_power")]),
               frame("aura_both", [mod("aura_speed"), mod("aura_power")])]
    frames += [frame(f"held{k}", [mod(f"held{k}", 8, -14)]) for k in range(7)]
    animations = [
        anim("stand", [step("stand", 400), step("step", 100), step("stand", 400)]),
        anim("walk", [step("step", 120), step("stand", 120)]),
        anim("rise", [step("rise", 1000)]),
        anim("fall", [step("fall", 1000)]),
        anim("hurt", [step("hurt", 100), step("stand", 100)]),
        anim("celebrate", [step("cheer", 300), step("stand", 150), step("cheer", 600)], 1),
        anim("dead", [step("hurt", 200), step("down", 800)], 1),
        anim("attack", [step("throw", 150)], 1),
        anim("attack_up", [step("throw_up", 150)], 1),
        anim("no_effect", [step("nothing", 1000)]),
        anim("speed_effect", [step("aura_speed", 80), step("nothing", 80)]),
        anim("power_effect", [step("aura_power", 150), step("nothing", 50)]),
        anim("both_effects", [step("aura_both", 120), step("nothing", 60)]),
    ] + [anim(f"weapon{k}", [step(f"held{k}", 1000)]) for k in range(7)]
    w.animset(0x1400, "HERO_SET", frames, animations)
    files = [w.write()]

    p = SetWriter("shots", "SHOT", 0x1404, 0x1444)
    frames, animations = [], []
    for up in (False, True):
        for k in range(7):
            width, height, body = shot_drawing(k, up)
            name = f"shot{k}{'_up' if up else ''}"
            p.picture(name, width, height, body, (width // 2, height // 2))
            # The hit box is the weapon table's (columns 6 and 7), turned with the shot, and
            # centred on it: larger than the picture, so that a shot at hand height still
            # meets an enemy standing a little higher or lower on the glass.
            bw, bh = SHOT_BOXES[k] if not up else SHOT_BOXES[k][::-1]
            frames.append(frame(name, [mod(name)], [(0, (-(bw // 2), -(bh // 2), bw, bh))]))
            animations.append(anim(name, [step(name, 1000)]))
    p.animset(0x1403, "SHOT_SET", frames, animations)
    files.append(p.write())
    return files


# ---------------------------------------------------------------- tutorial hints (0xC02)

def hints():
    w = SetWriter("hint", "HINT", 0xC05, 0xC45)
    # An arrow 20 x 26, pointing up, anchored at its tip so that it fits every place it
    # points at, the top bar's buttons included.
    shape = "M 10 1 L 19 12 L 13 12 L 13 25 L 7 25 L 7 12 L 1 12 Z"
    body = lambda fill: f'<path d="{shape}" fill="{fill}" stroke="{INK}" stroke-width="2" stroke-linejoin="round"/>'
    w.picture("arrow", 20, 26, body(GOLD[1]), (10, 1))
    w.picture("arrow_lit", 20, 26, body(GOLD[2]), (10, 1))
    bobs = [0, 2, 4, 6, 4, 2]
    frames = [frame(f"arrow_{d}", [mod("arrow", 0, d)]) for d in bobs[:4]]
    frames += [frame("arrow_lit", [mod("arrow_lit")])]
    frames += [frame("arrow_down", [mod("arrow", 0, -1, "v")]), frame("arrow_left", [mod("arrow", 0, 0, "h")])]
    animations = [
        anim("still", [step("arrow_0", 1000)], 1),
        anim("pulse", [step("arrow_0", 200), step("arrow_lit", 200)]),
        anim("down", [step("arrow_down", 1000)], 1),
        anim("flip", [step("arrow_left", 1000)], 1),
        anim("blink", [step("arrow_lit", 300), step("arrow_0", 300)]),
        anim("bob_slow", [step(f"arrow_{d}", 160) for d in (0, 2, 4, 6)]),
        anim("point", [step(f"arrow_{d}", 80) for d in bobs[:4]] + [step("arrow_lit", 80)] +
             [step(f"arrow_{d}", 80) for d in (4, 2)]),
    ]
    w.animset(0xC02, "HINT_SET", frames, animations)
    return [w.write()]


def main():
    for path in [curtains()] + backgrounds() + glass_sets() + enemy_sets() + hud() + items() + hero() + hints():
        print(path)


if __name__ == "__main__":
    main()
