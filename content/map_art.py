#!/usr/bin/env python3
"""Writes the world map's pictures and layout frames (added to the button set 0x807 in
buttons/buttons.json, whose frame 1 is the help and map bottom bar) and the three wordless
story sets (story/*.json). Run it again after changing it:

    python3 content/map_art.py

Screen layout of the map (240 x 320): the top bar 0..40 (stage badge in the middle, the
previous-stage well at the left, the next-stage well at the right), the picture band
44..184, the mark and time plate 188..228, the achievements and shop buttons 232..264,
the bottom bar from 272."""

import json
import math
import os

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

DEFS = ("<defs>"
        '<linearGradient id="nightpanel" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#4A3D8A"/><stop offset="0.5" stop-color="#3B2F73"/><stop offset="1" stop-color="#231B45"/></linearGradient>'
        '<linearGradient id="gold" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#FFF3B0"/><stop offset="0.55" stop-color="#FFD84A"/><stop offset="1" stop-color="#C98A12"/></linearGradient>'
        '<linearGradient id="glass" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#E8FDFF"/><stop offset="0.45" stop-color="#7FE7F2"/><stop offset="1" stop-color="#2FA9C0"/></linearGradient>'
        '<linearGradient id="ember" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#FFC15E"/><stop offset="0.55" stop-color="#FF8A2A"/><stop offset="1" stop-color="#C4501A"/></linearGradient>'
        '<linearGradient id="leaf" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#8FE38F"/><stop offset="0.5" stop-color="#5CCB5F"/><stop offset="1" stop-color="#2E8B3E"/></linearGradient>'
        '<linearGradient id="gloss" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#FFFFFF" stop-opacity="0.75"/><stop offset="1" stop-color="#FFFFFF" stop-opacity="0.05"/></linearGradient>'
        '<linearGradient id="well" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#1B1530"/><stop offset="1" stop-color="#231B45"/></linearGradient>'
        '<linearGradient id="nightsky" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#1B1530"/><stop offset="0.6" stop-color="#3B2F73"/><stop offset="1" stop-color="#6E6890"/></linearGradient>'
        '<linearGradient id="dawn" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#4FA8E8"/><stop offset="0.55" stop-color="#A8DBFF"/><stop offset="0.85" stop-color="#FFF3B0"/><stop offset="1" stop-color="#FFC15E"/></linearGradient>'
        '<linearGradient id="storm" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#6E6890"/><stop offset="1" stop-color="#231B45"/></linearGradient>'
        '<radialGradient id="glow" cx="0.5" cy="0.5" r="0.5"><stop offset="0" stop-color="#FFF3B0" stop-opacity="0.9"/><stop offset="1" stop-color="#FFD84A" stop-opacity="0"/></radialGradient>'
        '<radialGradient id="glassglow" cx="0.5" cy="0.5" r="0.5"><stop offset="0" stop-color="#E8FDFF" stop-opacity="0.8"/><stop offset="1" stop-color="#7FE7F2" stop-opacity="0"/></radialGradient>'
        "</defs>")


def svg(width, height, body):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="0 0 {width} {height}">\n{DEFS}\n{body}\n</svg>\n')


def poly(points, fill, stroke=INK, width=2, extra=""):
    pts = " ".join(f"{x:.1f},{y:.1f}" for x, y in points)
    return f'<polygon points="{pts}" fill="{fill}" stroke="{stroke}" stroke-width="{width}" stroke-linejoin="round" {extra}/>'


def mod(gob, x=0, y=0, flip=None):
    m = {"gob": gob, "x": x, "y": y}
    if flip:
        m["flip"] = flip
    return m


def frame(name, modules=(), boxes=()):
    item = {"name": name}
    if modules:
        item["modules"] = list(modules)
    if boxes:
        item["boxes"] = [{"type": t, "rect": list(r)} for t, r in boxes]
    return item


def step(name, ms, offset=None):
    s = {"frame": name, "ms": ms}
    if offset is not None:
        s["offset"] = list(offset)
    return s


class Pictures:
    """The SVGs of one folder and their gob entries."""

    def __init__(self, folder, prefix=""):
        self.folder = os.path.join(HERE, folder)
        self.prefix = prefix
        self.entries = []
        os.makedirs(self.folder, exist_ok=True)

    def add(self, name, width, height, body, anchor):
        file = self.prefix + name + ".svg"
        with open(os.path.join(self.folder, file), "w") as out:
            out.write(svg(width, height, body))
        self.entries.append({"name": name, "svg": file, "anchor": list(anchor)})
        return name


def write_json(path, data):
    with open(os.path.join(HERE, path), "w") as out:
        json.dump(data, out, indent=1)
        out.write("\n")


# ------------------------------------------------------------------ shared figures

def hero(pose="stand"):
    """The ember hero, 36 x 52, feet at the bottom centre (18, 52)."""
    legs = {
        "stand": '<rect x="11" y="38" width="6" height="13" rx="3" fill="#231B45" stroke="#1B1530" stroke-width="1.5"/>'
                 '<rect x="19" y="38" width="6" height="13" rx="3" fill="#231B45" stroke="#1B1530" stroke-width="1.5"/>',
        "walk": '<rect x="8" y="38" width="6" height="13" rx="3" fill="#231B45" stroke="#1B1530" stroke-width="1.5" transform="rotate(18 11 38)"/>'
                '<rect x="21" y="38" width="6" height="13" rx="3" fill="#231B45" stroke="#1B1530" stroke-width="1.5" transform="rotate(-18 24 38)"/>',
    }
    arms = {
        "stand": '<rect x="4" y="24" width="6" height="14" rx="3" fill="url(#ember)" stroke="#1B1530" stroke-width="1.5"/>'
                 '<rect x="26" y="24" width="6" height="14" rx="3" fill="url(#ember)" stroke="#1B1530" stroke-width="1.5"/>',
        "cheer": '<rect x="3" y="8" width="6" height="16" rx="3" fill="url(#ember)" stroke="#1B1530" stroke-width="1.5" transform="rotate(-20 6 24)"/>'
                 '<rect x="27" y="8" width="6" height="16" rx="3" fill="url(#ember)" stroke="#1B1530" stroke-width="1.5" transform="rotate(20 30 24)"/>',
    }
    leg = legs["walk" if pose == "walk" else "stand"]
    arm = arms["cheer" if pose == "cheer" else "stand"]
    sword = ''
    if pose == "ready":
        sword = ('<rect x="29" y="6" width="4" height="22" rx="1" fill="url(#glass)" stroke="#1B1530" stroke-width="1.5"/>'
                 '<rect x="26" y="26" width="10" height="4" rx="1" fill="url(#gold)" stroke="#1B1530" stroke-width="1"/>')
    return (f'<ellipse cx="18" cy="50" rx="14" ry="2" fill="#1B1530" opacity="0.35"/>{leg}{arm}'
            '<rect x="8" y="20" width="20" height="21" rx="6" fill="url(#ember)" stroke="#1B1530" stroke-width="2"/>'
            '<circle cx="18" cy="13" r="10" fill="url(#ember)" stroke="#1B1530" stroke-width="2"/>'
            '<rect x="11" y="10" width="14" height="8" rx="4" fill="#FFFFFF" stroke="#1B1530" stroke-width="1.5"/>'
            '<circle cx="15" cy="14" r="1.6" fill="#1B1530"/><circle cx="21" cy="14" r="1.6" fill="#1B1530"/>'
            '<path d="M 8 24 q 10 5 20 0" fill="none" stroke="#FFC15E" stroke-width="2"/>' + sword)


def stars(width, height, count, seed):
    out = []
    for i in range(count):
        x = (i * 73 + seed * 31) % width
        y = (i * 41 + seed * 17) % height
        r = 0.8 + (i % 3) * 0.4
        out.append(f'<circle cx="{x}" cy="{y}" r="{r:.1f}" fill="#E8FDFF" opacity="{0.4 + (i % 4) * 0.15:.2f}"/>')
    return "".join(out)


def towers(base, broken=False, lit=True):
    """A row of glass towers standing on y = base."""
    out = []
    specs = [(14, 70, 26), (44, 110, 30), (82, 150, 34), (122, 96, 28), (156, 130, 32), (196, 80, 28)]
    for x, h, w in specs:
        top = base - h
        fill = "url(#glass)" if lit else "#3B2F73"
        if broken:
            pts = [(x, base), (x, top + 24), (x + w * 0.3, top + 12), (x + w * 0.5, top + 30), (x + w * 0.75, top + 8),
                   (x + w, top + 20), (x + w, base)]
        else:
            pts = [(x, base), (x, top + 10), (x + w / 2, top), (x + w, top + 10), (x + w, base)]
        out.append(poly(pts, fill, INK, 2))
        out.append(f'<rect x="{x + 4}" y="{top + 16}" width="4" height="{h - 26}" fill="#FFFFFF" opacity="0.45"/>')
    return "".join(out)


def shard(size=1.0, colour="url(#glass)"):
    pts = [(6 * size, 0), (12 * size, 10 * size), (7 * size, 20 * size), (0, 9 * size)]
    return poly(pts, colour, INK, 1) + f'<path d="M {5 * size:.1f} {4 * size:.1f} l 2 6" stroke="#FFFFFF" stroke-width="1.2"/>'


# ------------------------------------------------------------------ the map (set 0x807)

BAR_H = 40                 # the top bar; drawn at (0, BAR_H / 2)
BAR = BAR_H // 2
BAND_TOP, BAND_H = 44, 140  # the picture band on the screen
INFO_Y = 198               # centre of the mark line on the screen
BUTTON_Y, BUTTON_H = 232, 32


def map_set():
    path = os.path.join(HERE, "buttons", "buttons.json")
    with open(path) as f:
        data = json.load(f)
    pictures = Pictures("buttons", "map_")
    # The top bar: night plate with a gold lower edge, two round wells and the stage badge.
    well = lambda cx: (f'<circle cx="{cx}" cy="20" r="16" fill="url(#well)" stroke="#1B1530" stroke-width="2"/>'
                       f'<circle cx="{cx}" cy="20" r="13" fill="none" stroke="#6E6890" stroke-width="1"/>')
    top = ('<rect x="-4" y="-4" width="248" height="42" fill="url(#nightpanel)" stroke="#1B1530" stroke-width="3"/>'
           '<rect x="-4" y="34" width="248" height="3" fill="#FFD84A"/>'
           '<rect x="-4" y="2" width="248" height="9" fill="#FFFFFF" opacity="0.08"/>'
           + well(26) + well(214) +
           '<path d="M 96 20 a 24 17 0 0 1 48 0 a 24 17 0 0 1 -48 0 z" fill="url(#glass)" stroke="#1B1530" stroke-width="2"/>'
           '<path d="M 104 13 q 16 -8 32 0" fill="none" stroke="#FFFFFF" stroke-width="2" opacity="0.8"/>')
    pictures.add("top_bar", 240, BAR_H, top, (0, BAR))
    arrow_up = poly([(0, -9), (10, 5), (3, 5), (3, 9), (-3, 9), (-3, 5), (-10, 5)], "url(#gold)", INK, 1.5)
    pictures.add("arrow_up", 24, 22, f'<g transform="translate(12 11)">{arrow_up}</g>', (12, 11))
    # The band's outline and the plates over and under the band, drawn by the centre player.
    pictures.add("band_frame", 240, BAND_H,
                 f'<rect x="1.5" y="1.5" width="237" height="{BAND_H - 3}" rx="3" fill="none" stroke="#1B1530" stroke-width="3"/>'
                 f'<rect x="4" y="4" width="232" height="{BAND_H - 8}" rx="2" fill="none" stroke="#7FE7F2" stroke-width="1" opacity="0.7"/>',
                 (0, 0))
    pictures.add("info_plate", 232, 40,
                 '<rect x="1.5" y="1.5" width="229" height="37" rx="10" fill="url(#nightpanel)" stroke="#1B1530" stroke-width="3"/>'
                 '<rect x="8" y="4" width="216" height="8" rx="4" fill="#FFFFFF" opacity="0.1"/>', (116, 20))
    trophy = ('<path d="M -8 -9 h 16 v 6 a 8 8 0 0 1 -16 0 z" fill="url(#gold)" stroke="#1B1530" stroke-width="1.5"/>'
              '<path d="M -8 -7 h -4 a 4 4 0 0 0 4 6 M 8 -7 h 4 a 4 4 0 0 1 -4 6" fill="none" stroke="#1B1530" stroke-width="1.5"/>'
              '<rect x="-2" y="3" width="4" height="4" fill="#C98A12" stroke="#1B1530" stroke-width="1"/>'
              '<rect x="-7" y="7" width="14" height="4" rx="1" fill="url(#gold)" stroke="#1B1530" stroke-width="1.5"/>')
    coins = ('<ellipse cx="-5" cy="4" rx="7" ry="4" fill="url(#gold)" stroke="#1B1530" stroke-width="1.5"/>'
             '<ellipse cx="-5" cy="0" rx="7" ry="4" fill="url(#gold)" stroke="#1B1530" stroke-width="1.5"/>'
             '<circle cx="6" cy="-2" r="7" fill="url(#gold)" stroke="#1B1530" stroke-width="1.5"/>'
             '<circle cx="6" cy="-2" r="4" fill="none" stroke="#C98A12" stroke-width="1.5"/>'
             '<path d="M -4 -9 l 2 -4 l 2 4 z" fill="url(#glass)" stroke="#1B1530" stroke-width="1"/>')

    def pill(fill, icon, glint):
        shine = '<rect x="22" y="2" width="14" height="28" fill="#FFFFFF" opacity="0.55" transform="skewX(-20)"/>' if glint else ""
        return (f'<rect x="3" y="4" width="106" height="30" rx="15" fill="#1B1530" opacity="0.35"/>'
                f'<rect x="1" y="1" width="106" height="30" rx="15" fill="{fill}" stroke="#1B1530" stroke-width="2"/>'
                f'<rect x="12" y="3.5" width="84" height="10" rx="5" fill="url(#gloss)"/>{shine}'
                f'<g transform="translate(54 17)">{icon}</g>')
    for glint in (False, True):
        suffix = "_glint" if glint else ""
        pictures.add("achievements" + suffix, 110, 35, pill("url(#gold)", trophy, glint), (54, 16))
        pictures.add("shop" + suffix, 110, 35, pill("url(#glass)", coins, glint), (54, 16))

    # Frames: 0 the top bar, 1 the bottom bar (kept), 2-8 arrows, 9-13 the band, 14-16 the
    # centre player, 17-21 the picture places.
    next_zone = (192, -BAR, 44, BAR_H)
    previous_zone = (4, -BAR, 44, BAR_H)
    top_bar = frame("top_bar", [mod("top_bar")],
                    [(0, next_zone), (0, previous_zone), (1, (120, INFO_Y - BAR, 0, 0)), (2, (120, 0, 0, 0))])
    frames = [top_bar, data["animsets"][0]["frames"][1]]
    up = lambda lift: mod("arrow_up", 214, -lift)
    down = lambda lift: mod("arrow_up", 26, lift, "v")
    frames += [frame("arrows_none"),
               frame("arrows_up_0", [up(0)]), frame("arrows_up_1", [up(2)]),
               frame("arrows_down_0", [down(0)]), frame("arrows_down_1", [down(2)]),
               frame("arrows_both_0", [up(0), down(0)]), frame("arrows_both_1", [up(2), down(2)])]
    frames += [frame(f"band_{s}", [mod("band_frame", 0, BAND_TOP - BAR)]) for s in range(5)]
    centre_zones = [(0, (-114, BUTTON_Y - 160, 108, BUTTON_H)), (0, (6, BUTTON_Y - 160, 108, BUTTON_H))]
    centre = lambda a, s: [mod("band_frame", -120, BAND_TOP - 160), mod("info_plate", 0, INFO_Y + 10 - 160),
                           mod(a, -60, BUTTON_Y + 16 - 160), mod(s, 60, BUTTON_Y + 16 - 160)]
    frames += [frame("centre", centre("achievements", "shop"), centre_zones),
               frame("centre_glint_a", centre("achievements_glint", "shop"), centre_zones),
               frame("centre_glint_s", centre("achievements", "shop_glint"), centre_zones)]
    frames += [frame(f"picture_place_{s}", (), [(0, (0, BAND_TOP - BAR, 240, BAND_H))]) for s in range(5)]
    animations = [
        {"name": "centre", "loops": "forever",
         "frames": [step("centre", 2400), step("centre_glint_a", 120), step("centre", 300), step("centre_glint_s", 120)]},
        {"name": "arrows_none", "loops": "forever", "frames": [step("arrows_none", 1000)]},
        {"name": "arrows_up", "loops": "forever", "frames": [step("arrows_up_0", 400), step("arrows_up_1", 400)]},
        {"name": "arrows_down", "loops": "forever", "frames": [step("arrows_down_0", 400), step("arrows_down_1", 400)]},
        {"name": "arrows_both", "loops": "forever", "frames": [step("arrows_both_0", 400), step("arrows_both_1", 400)]},
    ]
    kept = [g for g in data["gobs"]["pictures"] if not g["svg"].startswith("map_")]
    data["gobs"]["pictures"] = kept + pictures.entries
    data["animsets"][0]["frames"] = frames
    data["animsets"][0]["animations"] = animations
    write_json("buttons/buttons.json", data)


# ------------------------------------------------------------------ stories

class Story:
    def __init__(self, folder, name, set_id, gobs_id, sheet_id, anchor):
        self.pictures = Pictures("story", folder + "_")
        self.name, self.set_id, self.gobs_id, self.sheet_id = name, set_id, gobs_id, sheet_id
        self.anchor = anchor  # where the players stand on the screen
        self.frames, self.animations = [], []
        self.folder = folder

    def backdrop(self, name, body):
        """A full-screen picture drawn from the screen's top-left corner."""
        return self.pictures.add(name, 240, 320, body, self.anchor)

    def frame(self, modules):
        name = f"f{len(self.frames)}"
        self.frames.append(frame(name, modules))
        return name

    def animation(self, name, steps):
        self.animations.append({"name": name, "loops": 1, "frames": steps})

    def write(self):
        write_json(f"story/{self.folder}.json", {
            "sheet": {"id": hex(self.sheet_id), "name": self.name + "_SHEET"},
            "gobs": {"id": hex(self.gobs_id), "name": self.name + "_GOBS", "pictures": self.pictures.entries},
            "animsets": [{"id": hex(self.set_id), "name": self.name + "_SET", "frames": self.frames,
                          "animations": self.animations}]})


def night_city(broken=False):
    return (f'<rect width="240" height="320" fill="url(#nightsky)"/>{stars(240, 180, 40, 3)}'
            '<circle cx="190" cy="56" r="18" fill="#FFF3B0" stroke="#1B1530" stroke-width="2"/>'
            '<circle cx="184" cy="50" r="5" fill="#FFD84A" opacity="0.6"/>'
            + towers(250, broken) +
            '<rect x="0" y="248" width="240" height="72" fill="#231B45"/>'
            '<rect x="0" y="248" width="240" height="4" fill="#6E6890"/>')


def introduction():
    s = Story("intro", "STORY_INTRO", 0x1004, 0x100E, 0x1030, (120, 160))
    calm = s.backdrop("city", night_city())
    broken = s.backdrop("city_broken", night_city(True))
    cloud = s.pictures.add("storm", 180, 70,
                           '<path d="M 10 55 q -10 -25 20 -30 q 10 -25 40 -15 q 20 -20 50 -2 q 30 -8 40 20 q 20 10 5 27 z" '
                           'fill="url(#storm)" stroke="#1B1530" stroke-width="3"/>'
                           '<path d="M 40 40 l 10 -12 l 2 10 l 12 -14" fill="none" stroke="#E8414F" stroke-width="3"/>', (90, 35))
    glass = s.pictures.add("shard", 14, 22, shard(), (7, 11))
    flash = s.pictures.add("flash", 240, 320, '<rect width="240" height="320" fill="#E8FDFF" opacity="0.55"/>', (120, 160))
    # Player 0: the storm drifts over the glass city, shatters it and rains shards (12 s).
    steps = []
    for i in range(20):  # the storm comes in from the left
        steps.append(step(s.frame([mod(calm), mod(cloud, -200 + i * 10, -110)]), 200))
    steps.append(step(s.frame([mod(calm), mod(cloud, 0, -110), mod(flash)]), 150))
    steps.append(step(s.frame([mod(broken), mod(cloud, 0, -110), mod(flash)]), 150))
    for i in range(30):  # shards rain down
        rain = [mod(glass, -100 + (k * 47) % 200, -70 + ((i * 12 + k * 37) % 160)) for k in range(8)]
        steps.append(step(s.frame([mod(broken), mod(cloud, (i % 4) - 2, -110)] + rain), 200))
    steps.append(step(s.frame([mod(broken), mod(cloud, 0, -110)]), 1700))
    s.animation("storm", steps)
    # Player 1: the hero watches, starts, and readies the blade (the same 12 s).
    stand = s.pictures.add("hero", 36, 52, hero("stand"), (18, 52))
    ready = s.pictures.add("hero_ready", 36, 52, hero("ready"), (18, 52))
    steps = [step(s.frame([mod(stand, -40, 80)]), 4000), step(s.frame([mod(stand, -40, 76)]), 150),
             step(s.frame([mod(stand, -40, 80)]), 1850), step(s.frame([mod(ready, -40, 80)]), 6000)]
    s.animation("hero_watches", steps)
    # Player 2, alone after both: the hero walks out of the broken city toward the first
    # glowing gate (5 s). Drawn at (120, 224).
    road = s.pictures.add("road", 240, 320,
                          f'<rect width="240" height="320" fill="url(#nightsky)"/>{stars(240, 200, 30, 7)}'
                          + towers(238, True, False) +
                          '<circle cx="214" cy="212" r="44" fill="url(#glassglow)"/>'
                          '<rect x="198" y="186" width="32" height="52" rx="16" fill="url(#glass)" stroke="#1B1530" stroke-width="2"/>'
                          '<rect x="206" y="195" width="16" height="43" rx="8" fill="#E8FDFF"/>'
                          '<rect x="0" y="236" width="240" height="84" fill="#231B45"/><rect x="0" y="236" width="240" height="3" fill="#6E6890"/>',
                          (120, 224))
    walk = s.pictures.add("hero_walk", 36, 52, hero("walk"), (18, 52))
    steps = []
    for i in range(25):
        steps.append(step(s.frame([mod(road), mod(walk if i % 2 else stand, -100 + i * 7, 14)]), 200))
    s.animation("hero_sets_out", steps)
    s.write()


def ending():
    s = Story("ending", "STORY_ENDING", 0x1000, 0x100A, 0x1031, (120, 160))
    dawn = s.backdrop("dawn", '<rect width="240" height="320" fill="url(#dawn)"/>' + towers(250) +
                      '<rect x="0" y="248" width="240" height="72" fill="#2E8B3E"/>'
                      '<rect x="0" y="248" width="240" height="5" fill="#5CCB5F"/>')
    sun = s.pictures.add("sun", 60, 60, '<circle cx="30" cy="30" r="29" fill="url(#glow)"/>'
                         '<circle cx="30" cy="30" r="16" fill="url(#gold)" stroke="#1B1530" stroke-width="2"/>', (30, 30))
    stand = s.pictures.add("hero", 36, 52, hero("stand"), (18, 52))
    cheer = s.pictures.add("hero_cheer", 36, 52, hero("cheer"), (18, 52))
    sparkle = s.pictures.add("sparkle", 14, 14, '<path d="M 7 0 l 2 5 l 5 2 l -5 2 l -2 5 l -2 -5 l -5 -2 l 5 -2 z" '
                             'fill="#E8FDFF" stroke="#2FA9C0" stroke-width="1"/>', (7, 7))
    steps = []
    for i in range(24):  # the sun rises over the mended city (6 s)
        steps.append(step(s.frame([mod(dawn), mod(sun, 40, 80 - i * 5), mod(stand, 0, 86)]), 250))
    for i in range(24):  # the hero jumps for joy among sparkles (6 s)
        jump = [0, -8, -14, -8][i % 4]
        glints = [mod(sparkle, -90 + (k * 61 + i * 9) % 180, -40 + (k * 29 + i * 5) % 90) for k in range(5)]
        steps.append(step(s.frame([mod(dawn), mod(sun, 40, -40)] + glints + [mod(cheer, 0, 86 + jump)]), 250))
    steps.append(step(s.frame([mod(dawn), mod(sun, 40, -40), mod(cheer, 0, 86)]), 3000))
    s.animation("dawn", steps)
    s.write()


def lead_in():
    s = Story("leadin", "STORY_LEADIN", 0x1006, 0x1010, 0x1032, (120, 224))
    tower = s.backdrop("tower",
                       f'<rect width="240" height="320" fill="url(#nightsky)"/>{stars(240, 160, 36, 11)}'
                       + poly([(80, 250), (92, 60), (120, 20), (148, 60), (160, 250)], "#3B2F73", INK, 3) +
                       poly([(96, 90), (120, 50), (144, 90)], "url(#glass)", INK, 2) +
                       '<rect x="106" y="196" width="28" height="54" rx="14" fill="#1B1530" stroke="#6E6890" stroke-width="2"/>'
                       '<rect x="0" y="248" width="240" height="72" fill="#231B45"/><rect x="0" y="248" width="240" height="4" fill="#6E6890"/>')
    bolt = s.pictures.add("bolt", 40, 90, poly([(24, 0), (6, 46), (20, 46), (10, 90), (36, 36), (22, 36), (34, 0)], "#E8FDFF", "#2FA9C0", 2), (20, 0))
    glass = s.pictures.add("shard", 14, 22, shard(), (7, 11))
    eyes = s.pictures.add("eyes", 30, 10, '<ellipse cx="7" cy="5" rx="6" ry="3.5" fill="#E8414F" stroke="#1B1530" stroke-width="1"/>'
                          '<ellipse cx="23" cy="5" rx="6" ry="3.5" fill="#E8414F" stroke="#1B1530" stroke-width="1"/>', (15, 5))
    stand = s.pictures.add("hero", 36, 52, hero("stand"), (18, 52))
    walk = s.pictures.add("hero_walk", 36, 52, hero("walk"), (18, 52))
    ready = s.pictures.add("hero_ready", 36, 52, hero("ready"), (18, 52))
    total = 60  # steps of 200 ms: the four first players last 12 s each
    # Player 0: the tower under a storm, lightning now and then.
    s.animation("tower", [step(s.frame([mod(tower)] + ([mod(bolt, -60 + (i * 37) % 120, -220)] if i % 13 == 5 else [])), 200)
                          for i in range(total)])
    # Player 1: shards circle the tower's top.
    steps = []
    for i in range(total):
        ring = []
        for k in range(6):
            a = (i * 12 + k * 60) * math.pi / 180
            ring.append(mod(glass, int(round(math.cos(a) * 50)), int(round(-160 + math.sin(a) * 18))))
        steps.append(step(s.frame(ring), 200))
    s.animation("shards", steps)
    # Player 2: the hero walks up to the tower and readies the blade.
    steps = [step(s.frame([mod(walk if i % 2 else stand, -110 + i * 3, 26)]), 200) for i in range(30)]
    steps += [step(s.frame([mod(ready, -20, 26)]), 200) for _ in range(total - 30)]
    s.animation("hero", steps)
    # Player 3: the eyes open in the tower's window and blink.
    steps = [step(s.frame([]), 200) for _ in range(25)]
    steps += [step(s.frame([mod(eyes, 0, -150)] if i % 8 else []), 200) for i in range(total - 25)]
    s.animation("eyes", steps)
    # Player 4, alone after them: the door opens in light and the hero runs in (4 s).
    door = s.backdrop("door", '<rect width="240" height="320" fill="#1B1530"/>'
                      '<rect x="50" y="60" width="140" height="200" rx="70" fill="#3B2F73" stroke="#6E6890" stroke-width="3"/>'
                      '<rect x="70" y="90" width="100" height="170" rx="50" fill="#231B45" stroke="#1B1530" stroke-width="2"/>'
                      '<rect x="0" y="258" width="240" height="62" fill="#231B45"/>', )
    light = s.pictures.add("light", 100, 170, '<rect x="0" y="0" width="100" height="170" rx="50" fill="url(#gold)" opacity="0.9"/>'
                           '<rect x="20" y="20" width="60" height="150" rx="30" fill="#FFF3B0"/>', (50, 170))
    steps = [step(s.frame([mod(door)]), 600)]
    for i in range(8):
        steps.append(step(s.frame([mod(door), mod(light, 0, 36, "h" if False else None), mod(ready, -80 + i * 10, 34)]), 250))
    steps.append(step(s.frame([mod(door), mod(light, 0, 36)]), 1400))
    s.animation("into_the_tower", steps)
    s.write()


# ------------------------------------------------------------------ stage pictures

def hills(base, colours):
    return (f'<path d="M 0 {base} q 40 -30 90 -8 q 50 -26 100 0 q 30 -12 50 -6 L 240 140 L 0 140 z" fill="{colours[1]}" stroke="#1B1530" stroke-width="2"/>'
            f'<path d="M 0 {base + 22} q 60 -20 120 0 q 60 -18 120 2 L 240 140 L 0 140 z" fill="{colours[0]}" stroke="#1B1530" stroke-width="2"/>')


def cloud(cx, cy, r, fill="#FFFFFF"):
    return (f'<g stroke="#1B1530" stroke-width="1.5"><ellipse cx="{cx}" cy="{cy}" rx="{r * 2}" ry="{r}" fill="#E3F3FF"/>'
            f'<ellipse cx="{cx - r * 0.6:.0f}" cy="{cy - r * 0.5:.0f}" rx="{r}" ry="{r * 0.8:.0f}" fill="{fill}"/></g>')


def glass_bits(points):
    return "".join(f'<g transform="translate({x} {y}) scale({s})">{shard()}</g>' for x, y, s in points)


STAGE_PICTURES = [
    # meadow: rolling hills under a daylight sky, glass glinting in the grass
    '<rect width="240" height="140" fill="#A8DBFF"/>' + cloud(50, 30, 12) + cloud(180, 22, 15) + hills(86, LEAF)
    + glass_bits([(60, 98, 0.8), (150, 92, 0.7), (200, 110, 0.9)]),
    # harbour: a brick quay by the water with a moored boat
    '<rect width="240" height="140" fill="#7FC4EE"/>' + cloud(160, 26, 12)
    + '<rect x="0" y="92" width="240" height="48" fill="#4FA8E8" stroke="#1B1530" stroke-width="2"/>'
    + "".join(f'<path d="M {x} {104 + (x // 30) % 2 * 12} q 8 -4 16 0" fill="none" stroke="#E8FDFF" stroke-width="2"/>' for x in range(10, 240, 30))
    + '<rect x="0" y="60" width="96" height="36" fill="#D9D4EA" stroke="#1B1530" stroke-width="2"/>'
    + "".join(f'<rect x="{x}" y="{y}" width="22" height="10" rx="2" fill="#FFFFFF" stroke="#1B1530" stroke-opacity="0.3"/>'
              for y in (63, 75) for x in range(2 + (y // 12) % 2 * 10, 92, 24))
    + '<path d="M 140 92 l 70 0 l -10 16 l -52 0 z" fill="url(#ember)" stroke="#1B1530" stroke-width="2"/>'
    + '<rect x="172" y="50" width="4" height="42" fill="#6E6890" stroke="#1B1530" stroke-width="1"/>'
    + '<path d="M 178 54 l 26 30 l -26 0 z" fill="#FFFFFF" stroke="#1B1530" stroke-width="1.5"/>',
    # dusk: rooftops against an orange sky and a low sun
    '<rect width="240" height="140" fill="url(#ember)"/>'
    + '<circle cx="170" cy="80" r="26" fill="url(#gold)" stroke="#1B1530" stroke-width="2"/>'
    + "".join(poly([(x, 140), (x, 140 - h), (x + w / 2, 140 - h - 18), (x + w, 140 - h), (x + w, 140)], "#3B2F73", INK, 2)
              for x, w, h in [(-6, 50, 40), (40, 44, 58), (86, 54, 34), (140, 40, 50), (184, 62, 38)])
    + "".join(f'<rect x="{x}" y="{y}" width="8" height="10" fill="#FFD84A"/>' for x, y in [(12, 110), (58, 96), (104, 118), (154, 104), (204, 114)]),
    # cavern: a purple cave with glowing crystals
    '<rect width="240" height="140" fill="#231B45"/>'
    + '<path d="M 0 0 L 240 0 L 240 30 q -30 24 -60 6 q -30 22 -64 2 q -30 20 -60 0 q -30 18 -56 4 z" fill="#3B2F73" stroke="#1B1530" stroke-width="2"/>'
    + '<path d="M 0 140 L 0 112 q 50 -14 110 -2 q 60 -12 130 0 L 240 140 z" fill="#3B2F73" stroke="#1B1530" stroke-width="2"/>'
    + "".join(f'<circle cx="{x}" cy="{y - 12}" r="{s * 1.6:.0f}" fill="url(#glassglow)"/>'
              + poly([(x, y - s * 1.6), (x + s * 0.5, y - s * 0.4), (x, y), (x - s * 0.5, y - s * 0.4)], "url(#glass)", INK, 1.5)
              for x, y, s in [(40, 112, 22), (70, 108, 14), (160, 106, 26), (196, 110, 16), (120, 38, 12)]),
    # tower: the glass tower at night under a storm
    '<rect width="240" height="140" fill="url(#nightsky)"/>' + stars(240, 90, 18, 5)
    + '<path d="M 10 34 q 10 -20 40 -14 q 20 -16 50 -2 q 26 -6 30 16 z" fill="url(#storm)" stroke="#1B1530" stroke-width="2"/>'
    + poly([(96, 140), (104, 40), (120, 12), (136, 40), (144, 140)], "#3B2F73", INK, 2.5)
    + poly([(108, 58), (120, 34), (132, 58)], "url(#glass)", INK, 1.5)
    + '<ellipse cx="116" cy="50" rx="2.5" ry="1.6" fill="#E8414F"/><ellipse cx="124" cy="50" rx="2.5" ry="1.6" fill="#E8414F"/>'
    + '<rect x="0" y="126" width="240" height="14" fill="#231B45"/>',
]


def stage_pictures():
    os.makedirs(os.path.join(HERE, "worldmap"), exist_ok=True)
    for s, body in enumerate(STAGE_PICTURES):
        with open(os.path.join(HERE, "worldmap", f"stage{s}_map.svg"), "w") as out:
            out.write(svg(240, BAND_H, body))


if __name__ == "__main__":
    map_set()
    introduction()
    ending()
    lead_in()
    stage_pictures()
