#!/usr/bin/env python3
"""Writes the pictures (SVG) and set descriptions (JSON) of the boss fights' own sets, in the
look of README.md, with the drawing helpers of level_art.py; run it again after changing it:

    python3 content/boss_art.py

Boss 1 (set 0x2C00): a glass golem that hangs above the view among glass chandeliers, drops
onto the ground, squats there and rises again, while glass drops fall and walk the ground.
Boss 4 (set 0x2C03): the cavern prism, a crystal obelisk on a stone plinth with one eye,
eight floating crystals around it and a glass wave that sweeps the ground.
Boss 5 (set 0x2C04, background 0x2400): the glass tower's keeper, a crowned glass bust with
a glowing heart (its weak point) and two great fists that slam the ground, call down a rain
of icicles and summon the tower's guards."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from level_art import (EMBER, GLASS, GOLD, INK, MIST, NIGHT, RUBY, SetWriter, anim, frame, gradient, mod,  # noqa: E402
                       poly, step)


# ---------------------------------------------------------------- boss 1 (0x2C00)

def chandelier(width, height, tint, broken):
    """A glass chandelier hanging from the top edge: a chain and a cluster of crystals."""
    cx = width / 2
    body = f'<rect x="{cx - 1.5:.1f}" y="0" width="3" height="{height * 0.35:.1f}" fill="{NIGHT[2]}" stroke="{INK}" stroke-width="1"/>'
    top = height * 0.35
    points = [(cx - width * 0.45, top), (cx + width * 0.45, top), (cx + width * 0.2, height - 3), (cx, height - 1),
              (cx - width * 0.2, height - 3)]
    if broken:
        points = [(cx - width * 0.45, top), (cx + width * 0.45, top), (cx + width * 0.1, top + (height - top) * 0.5),
                  (cx - width * 0.05, top + (height - top) * 0.35), (cx - width * 0.25, top + (height - top) * 0.55)]
    body += poly(points, tint[1], INK, 2)
    body += f'<path d="M {cx - width * 0.3:.1f} {top + 3:.1f} L {cx - width * 0.1:.1f} {top + 3:.1f} L {cx - width * 0.2:.1f} {top + 10:.1f} Z" fill="{tint[2] if len(tint) > 2 else MIST[1]}" opacity="0.85"/>'
    return body


def golem(pose):
    """The golem, 76 x 66, anchored at its bottom centre (38, 66). Poses: 0 plain, 1 squat,
    2 flash, 3 cracked, 4 frown."""
    squat = 6 if pose == 1 else 0
    fill = MIST[1] if pose == 2 else GLASS[1]
    shade = GLASS[0]
    body = f'<ellipse cx="40" cy="63" rx="30" ry="3" fill="{INK}" opacity="0.3"/>'
    body += poly([(10, 62), (6, 30 + squat), (20, 8 + squat), (56, 8 + squat), (70, 30 + squat), (66, 62)], fill, INK, 3)
    body += poly([(10, 62), (6, 30 + squat), (14, 34 + squat), (16, 60)], shade, INK, 1)
    body += f'<path d="M 22 {14 + squat} L 34 {14 + squat} L 26 {26 + squat} Z" fill="#FFFFFF" opacity="0.8"/>'
    eye = RUBY[1] if pose == 4 else EMBER[1]
    body += f'<circle cx="30" cy="{34 + squat}" r="5" fill="{eye}" stroke="{INK}" stroke-width="2"/>'
    body += f'<circle cx="48" cy="{34 + squat}" r="5" fill="{eye}" stroke="{INK}" stroke-width="2"/>'
    body += f'<path d="M 28 {48 + squat} Q 39 {42 + squat if pose == 4 else 54 + squat} 50 {48 + squat}" fill="none" stroke="{INK}" stroke-width="3" stroke-linecap="round"/>'
    if pose == 3:
        body += f'<path d="M 20 10 L 30 30 L 24 40 L 36 60 M 58 12 L 50 32 L 58 46" fill="none" stroke="{INK}" stroke-width="2"/>'
    return body


def drop(k):
    """A falling glass drop (k 0) or a walker's two steps (k 1, 2), 18 x 20, bottom centre."""
    body = f'<ellipse cx="9" cy="19" rx="7" ry="1.5" fill="{INK}" opacity="0.3"/>'
    body += f'<path d="M 9 1 Q 17 12 15 16 Q 9 20 3 16 Q 1 12 9 1 Z" fill="{GLASS[1]}" stroke="{INK}" stroke-width="2"/>'
    body += f'<path d="M 7 7 Q 5 11 6 13" stroke="#FFFFFF" stroke-width="1.5" fill="none"/>'
    if k:
        feet = (3, 13) if k == 1 else (6, 10)
        body += f'<rect x="{feet[0]}" y="17" width="4" height="3" rx="1" fill="{RUBY[1]}" stroke="{INK}" stroke-width="1"/>'
        body += f'<rect x="{feet[1]}" y="17" width="4" height="3" rx="1" fill="{RUBY[1]}" stroke="{INK}" stroke-width="1"/>'
        body += f'<circle cx="11" cy="10" r="1.5" fill="{INK}"/>'
    return body


def splash(k):
    spread = 3 + 3 * k
    body = poly([(9 - spread, 20), (9 - spread / 2, 12 - k), (9, 16), (9 + spread / 2, 12 - k), (9 + spread, 20)], GLASS[1], INK, 1.5)
    return f'<g transform="translate(5 0)">{body}</g>'


def shards(k):
    body = ""
    for i, (x, y) in enumerate([(6, 18), (14, 14), (20, 19)]):
        dy = -3 * k if i % 2 else -2 * k
        body += f'<path d="M {x} {y + dy} l 3 -5 l 3 5 z" fill="{GLASS[2]}" stroke="{INK}" stroke-width="1" opacity="{1 - 0.3 * k:.1f}"/>'
    return body


def gem():
    return (f'<path d="M 8 1 L 15 7 L 8 19 L 1 7 Z" fill="{GOLD[1]}" stroke="{INK}" stroke-width="2"/>'
            f'<path d="M 8 1 L 10 7 L 8 19 L 6 7 Z" fill="{GOLD[2]}"/><path d="M 1 7 L 15 7" stroke="{GOLD[0]}"/>')


def boss1():
    w = SetWriter("boss1", "BOSS1", 0x2C05, 0x2C45)
    deco = [(40, 36, GLASS), (32, 48, (GOLD[0], GOLD[1], GOLD[2])), (36, 52, GLASS), (28, 40, (EMBER[0], EMBER[1], EMBER[2]))]
    for k, (dw, dh, tint) in enumerate(deco):
        w.picture(f"deco{k}", dw, dh, chandelier(dw, dh, tint, False), (dw // 2, 0))
        w.picture(f"deco{k}_broken", dw, dh, chandelier(dw, dh, tint, True), (dw // 2, 0))
    for pose in range(5):
        w.picture(f"golem{pose}", 80, 68, golem(pose), (40, 66))
    w.picture("flash", 80, 68, f'<path d="M 10 62 L 6 30 L 20 8 L 56 8 L 70 30 L 66 62 Z" fill="#FFFFFF" opacity="0.7"/>', (40, 66))
    for k in range(3):
        w.picture(f"drop{k}", 18, 20, drop(k), (9, 20))
    for k in range(3):
        w.picture(f"splash{k}", 28, 21, splash(k), (14, 20))
        w.picture(f"shards{k}", 28, 21, shards(k), (14, 20))
    w.picture("gem", 16, 20, gem(), (8, 20))
    w.picture("glow", 36, 36, f'<circle cx="18" cy="18" r="16" fill="{GOLD[2]}" opacity="0.35"/>'
                               f'<circle cx="18" cy="18" r="10" fill="{GOLD[2]}" opacity="0.45"/>', (18, 28))
    w.picture("dust", 90, 12, f'<ellipse cx="45" cy="8" rx="42" ry="4" fill="{MIST[0]}" opacity="0.7" stroke="{INK}" stroke-width="1"/>', (45, 10))

    golem_box = (0, (-30, -56, 60, 52))
    walker_box = (0, (-7, -16, 14, 15))
    frames = [frame(f"deco{k}", [mod(f"deco{k}")]) for k in range(4)]                      # 0-3
    frames += [frame(f"deco{k}_broken", [mod(f"deco{k}_broken")]) for k in range(4)]     # 4-7
    frames += [frame(f"golem{p}", [mod(f"golem{p}")], [golem_box]) for p in range(5)]    # 8-12
    frames += [frame("drop", [mod("drop0")], [walker_box])]                              # 13
    frames += [frame(f"walk{k}_l", [mod(f"drop{k}")], [walker_box]) for k in (1, 2)]      # 14, 15
    frames += [frame(f"walk{k}_r", [mod(f"drop{k}", flip="h")], [walker_box]) for k in (1, 2)]  # 16, 17
    frames += [frame(f"splash{k}", [mod(f"splash{k}"), mod("drop0", 0, 4 * k)], [walker_box]) for k in range(3)]  # 18-20
    frames += [frame(f"shards{k}", [mod(f"shards{k}")], [walker_box]) for k in range(3)]  # 21-23
    frames += [frame("gem", [mod("gem")], [(0, (-8, -20, 16, 20))]), frame("glow", [mod("glow")])]  # 24, 25
    frames += [frame("flash", [mod("flash")]), frame("overlay", []), frame("dust", [mod("dust")])]  # 26-28
    frames += [frame("golem_broken_dust", [mod("golem3"), mod("dust", 0, 0)], [golem_box])]  # 29

    def walk(side):
        return [step(f"walk1_{side}", 150), step(f"walk2_{side}", 150)]

    def landing(name):
        return anim(name, [step("splash0", 80), step("splash1", 80), step("splash2", 120)], 1)

    animations = [
        anim("deco0", [step("deco0", 1000)]), anim("deco1", [step("deco1", 1000)]),
        anim("deco2", [step("deco2", 1000)]), anim("deco3", [step("deco3", 1000)]),
        anim("deco0_broken", [step("deco0_broken", 1000)]), anim("deco1_broken", [step("deco1_broken", 1000)]),
        anim("deco2_broken", [step("deco2_broken", 1000)]), anim("deco3_broken", [step("deco3_broken", 1000)]),
        # 8: a drop falls 6 px every 50 ms.
        anim("shot_fall", [step("drop", 25, (0, 0)), step("drop", 25, (0, 6))]),
        anim("walk_left", walk("l")), anim("walk_right", walk("r")),                          # 9, 10
        anim("wreck_a", [step("shards0", 80), step("shards1", 80), step("shards2", 120)], 1),  # 11
        anim("wreck_b", [step("shards0", 60), step("shards1", 100), step("shards2", 140)], 1),  # 12
        # 13: the defeat: flashes and cracks, then stays cracked.
        anim("defeat", [step("golem3", 150), step("golem2", 100), step("golem3", 150), step("golem2", 100),
                        step("golem3", 300), step("golem_broken_dust", 400)], 1),
        anim("idle", [step("golem0", 1000)]),                                                   # 14
        anim("frown", [step("golem4", 1000)]),                                                  # 15
        anim("glow", [step("glow", 1000)]),                                                     # 16
        # 17: the reward falls 4 px every 50 ms.
        anim("reward_fall", [step("gem", 25, (0, 0)), step("gem", 25, (0, 4))]),
        anim("dust", [step("dust", 1000)]),                                                     # 18
        landing("land_a"), landing("land_b"),                                                   # 19, 20
        # 21: the golem drops 14 px every 50 ms; 23: it rises 6 px every 50 ms.
        anim("drop", [step("golem4", 25, (0, 0)), step("golem4", 25, (0, 14))]),
        anim("landed", [step("golem1", 120), step("golem0", 200), step("golem1", 120), step("golem0", 200)], 1),  # 22
        anim("rise", [step("golem0", 25, (0, 0)), step("golem0", 25, (0, -6))]),
        anim("hit_flash", [step("flash", 60), step("overlay", 40), step("flash", 60), step("overlay", 10)], 1),  # 24
        anim("overlay", [step("overlay", 1000)]),                                               # 25
    ]
    w.animset(0x2C00, "BOSS1_SET", frames, animations)
    return w.write()


# ---------------------------------------------------------------- boss 2 (0x2C01)

def brute(pose):
    """The harbour brute, 64 x 64, facing left, anchored at its bottom centre (32, 63). Poses:
    0 stand, 1 step, 2 crouch, 3 air, 4 summon, 5 down."""
    lift = {2: 6, 3: -2, 5: 14}.get(pose, 0)
    body = f'<ellipse cx="32" cy="61" rx="24" ry="3" fill="{INK}" opacity="0.3"/>'
    legs = [(20, 12), (38, 12)] if pose != 1 else [(16, 12), (42, 12)]
    if pose != 5:
        for lx, lw in legs:
            body += f'<rect x="{lx}" y="{46 + lift // 2}" width="{lw - 4}" height="{14 - lift // 2}" rx="3" fill="{NIGHT[2]}" stroke="{INK}" stroke-width="2"/>'
    body += f'<rect x="6" y="{12 + lift}" width="52" height="{38 - (lift if pose == 5 else 0)}" rx="14" fill="{RUBY[1]}" stroke="{INK}" stroke-width="3"/>'
    body += f'<rect x="10" y="{16 + lift}" width="20" height="6" rx="3" fill="#FFFFFF" opacity="0.35"/>'
    eyes = "x" if pose == 5 else "o"
    for ex in (18, 32):
        if eyes == "o":
            body += f'<circle cx="{ex}" cy="{26 + lift}" r="5" fill="#FFFFFF" stroke="{INK}" stroke-width="2"/><circle cx="{ex - 2}" cy="{26 + lift}" r="2" fill="{INK}"/>'
        else:
            body += f'<path d="M {ex - 4} {22 + lift} l 8 8 M {ex + 4} {22 + lift} l -8 8" stroke="{INK}" stroke-width="2.5"/>'
    arm_y = 4 if pose == 4 else 30 + lift
    body += f'<path d="M 6 {32 + lift} L -0 {arm_y} " stroke="{INK}" stroke-width="0"/>'
    body += poly([(2, arm_y + 6), (10, arm_y), (14, arm_y + 10), (6, arm_y + 16)], GLASS[1], INK, 2)
    body += poly([(62, arm_y + 6), (54, arm_y), (50, arm_y + 10), (58, arm_y + 16)], GLASS[1], INK, 2)
    if pose == 4:
        body += f'<circle cx="32" cy="6" r="5" fill="{GOLD[2]}" stroke="{GOLD[0]}" stroke-width="1.5"/>'
    return body


def boss2():
    w = SetWriter("boss2", "BOSS2", 0x2C06, 0x2C46)
    for pose in range(6):
        w.picture(f"brute{pose}", 64, 64, brute(pose), (32, 63))
    w.picture("gem", 16, 20, gem(), (8, 20))
    box = (0, (-24, -50, 48, 48))
    frames = []
    for pose in range(6):
        frames.append(frame(f"brute{pose}_l", [mod(f"brute{pose}")], [box] if pose != 5 else []))
        frames.append(frame(f"brute{pose}_r", [mod(f"brute{pose}", flip="h")], [box] if pose != 5 else []))
    frames += [frame("carrier", []), frame("gem", [mod("gem")], [(0, (-8, -20, 16, 20))])]  # 12, 13

    def two(name, steps_of, loops="forever"):
        return [anim(f"{name}_l", steps_of("l"), loops), anim(f"{name}_r", steps_of("r"), loops)]

    animations = []
    animations += two("pause", lambda d: [step(f"brute0_{d}", 400), step(f"brute2_{d}", 200)])            # 0, 1
    animations += two("walk", lambda d: [step(f"brute1_{d}", 150), step(f"brute0_{d}", 150)])             # 2, 3
    animations += two("jump_start", lambda d: [step(f"brute2_{d}", 120), step(f"brute3_{d}", 60)], 1)      # 4, 5
    animations += two("airborne", lambda d: [step(f"brute3_{d}", 1000)])                                   # 6, 7
    animations += two("summon", lambda d: [step(f"brute4_{d}", 300), step(f"brute0_{d}", 150)])           # 8, 9
    animations += two("defeated", lambda d: [step(f"brute2_{d}", 200), step(f"brute5_{d}", 1000)], 1)    # 10, 11
    # 12: the jump path up, 80 px over 400 ms, slowing; 13: down, 8 px every 50 ms.
    rise = [step("carrier", 50, (0, 0))] + [step("carrier", 50, (0, -d)) for d in (16, 14, 12, 10, 9, 8, 6, 5)]
    animations.append(anim("carrier_up", rise, 1))
    animations.append(anim("carrier_down", [step("carrier", 25, (0, 0)), step("carrier", 25, (0, 8))]))
    animations.append(anim("reward_fall", [step("gem", 25, (0, 0)), step("gem", 25, (0, 4))]))            # 14
    w.animset(0x2C01, "BOSS2_SET", frames, animations)
    return w.write()


# ---------------------------------------------------------------- boss 3 (0x2C02)

PART_X = (-80, -40, 40, 80)
PART_TINTS = (GLASS, (GOLD[0], GOLD[1], GOLD[2]), (EMBER[0], EMBER[1], EMBER[2]), GLASS)


def core(pose):
    """The dusk core, 96 x 86, anchored at its top centre (48, 0). Poses: 0 rest, 1 glare,
    2 flash, 3 broken."""
    fill = MIST[1] if pose == 2 else EMBER[1]
    body = f'<ellipse cx="50" cy="44" rx="44" ry="38" fill="{INK}" opacity="0.3"/>'
    body += f'<ellipse cx="48" cy="40" rx="44" ry="38" fill="{fill}" stroke="{INK}" stroke-width="3"/>'
    body += f'<ellipse cx="36" cy="22" rx="16" ry="8" fill="#FFFFFF" opacity="0.4"/>'
    eye = RUBY[1] if pose == 1 else GOLD[2]
    if pose == 3:
        body += f'<path d="M 30 36 l 10 10 M 40 36 l -10 10 M 56 36 l 10 10 M 66 36 l -10 10" stroke="{INK}" stroke-width="3"/>'
        body += f'<path d="M 20 14 L 34 40 L 26 60 M 74 18 L 62 44 L 70 66" stroke="{INK}" stroke-width="2" fill="none"/>'
    else:
        body += f'<circle cx="48" cy="42" r="14" fill="{eye}" stroke="{INK}" stroke-width="3"/>'
        body += f'<circle cx="48" cy="42" r="5" fill="{INK}"/>'
    return body


def boss3():
    w = SetWriter("boss3", "BOSS3", 0x2C07, 0x2C47)
    for pose in range(4):
        w.picture(f"core{pose}", 96, 86, core(pose), (48, -24))
    w.picture("stalk", 20, 26, f'<rect x="4" y="0" width="12" height="26" fill="{NIGHT[2]}" stroke="{INK}" stroke-width="2"/>', (10, 0))
    w.picture("anvil", 44, 34, poly([(4, 2), (40, 2), (34, 16), (42, 32), (2, 32), (10, 16)], GLASS[1], INK, 2)
              + f'<path d="M 8 6 L 20 6 L 14 14 Z" fill="#FFFFFF" opacity="0.8"/>', (22, 34))
    shot_tints = (GLASS, (GOLD[0], GOLD[1], GOLD[2]), (RUBY[0], RUBY[1], "#FFFFFF"))
    for k, tint in enumerate(shot_tints):
        w.picture(f"shard{k}", 12, 18, f'<path d="M 6 17 L 11 6 L 6 1 L 1 6 Z" fill="{tint[1]}" stroke="{INK}" stroke-width="1.5"/>'
                                       f'<path d="M 6 3 L 4 7 L 6 9 Z" fill="{tint[2]}"/>', (6, 18))
    w.picture("rail", 200, 14, f'<rect x="2" y="3" width="196" height="10" rx="5" fill="{NIGHT[1]}" stroke="{INK}" stroke-width="2"/>'
                               f'<rect x="8" y="5" width="184" height="3" rx="1.5" fill="{NIGHT[2]}"/>', (100, 7))
    w.picture("rod", 6, 40, f'<rect x="1" y="0" width="4" height="40" fill="{NIGHT[2]}" stroke="{INK}" stroke-width="1"/>', (3, 0))
    w.picture("launcher", 18, 12, f'<path d="M 1 1 L 17 1 L 13 11 L 5 11 Z" fill="{NIGHT[2]}" stroke="{INK}" stroke-width="2"/>', (9, 0))
    for k, tint in enumerate(PART_TINTS):
        w.picture(f"part{k}", 22, 22, f'<path d="M 11 1 L 21 11 L 11 21 L 1 11 Z" fill="{tint[1]}" stroke="{INK}" stroke-width="2"/>'
                                      f'<circle cx="11" cy="11" r="4" fill="{tint[2]}" stroke="{INK}" stroke-width="1"/>', (11, 11))
    w.picture("part_flash", 22, 22, f'<path d="M 11 1 L 21 11 L 11 21 L 1 11 Z" fill="#FFFFFF" stroke="{INK}" stroke-width="2"/>', (11, 11))
    w.picture("part_broken", 22, 22, f'<path d="M 3 15 l 5 -6 l 3 5 l 4 -8 l 4 9" fill="none" stroke="{INK}" stroke-width="2"/>', (11, 11))
    w.picture("shield", 104, 94, f'<ellipse cx="52" cy="46" rx="50" ry="45" fill="{GLASS[1]}" opacity="0.35" stroke="{GLASS[0]}" stroke-width="3"/>'
                                 f'<path d="M 20 22 Q 34 8 52 6" stroke="#FFFFFF" stroke-width="3" fill="none" opacity="0.8"/>', (52, -22))
    w.picture("shield_open", 104, 94, f'<path d="M 4 60 Q 2 20 30 6" stroke="{GLASS[0]}" stroke-width="3" fill="none" opacity="0.7"/>'
                                      f'<path d="M 100 60 Q 102 20 74 6" stroke="{GLASS[0]}" stroke-width="3" fill="none" opacity="0.7"/>', (52, -22))
    w.picture("shadow", 24, 6, f'<ellipse cx="12" cy="3" rx="11" ry="2.5" fill="{INK}" opacity="0.35"/>', (12, 3))
    w.picture("gem", 16, 20, gem(), (8, 20))

    # The core hangs from a stalk; its box starts at the anchor and reaches the core's bottom.
    body_box = (0, (-44, 0, 88, 110))
    frames = [frame(f"core{p}", [mod("stalk"), mod(f"core{p}")], [body_box]) for p in range(4)]            # 0-3
    frames.append(frame("anvil", [mod("anvil")], [(0, (-20, -32, 40, 30))]))               # 4
    frames += [frame(f"shard{k}", [mod(f"shard{k}")], [(0, (-5, -16, 10, 15))]) for k in range(3)]  # 5-7

    def carrier(depth, exposed=False):
        mods = [mod("rod", -83, 104), mod("rod", 77, 104), mod("rail", 0, 108 + depth)]
        mods += [mod("launcher", -70, 114 + depth), mod("launcher", 70, 114 + depth)]
        if exposed:
            mods = [mod("rod", -83, 104), mod("rod", 77, 104)]
        # The parts' and the launchers' places are points (empty boxes).
        boxes = [(0, (x, 108 + depth + 10, 0, 0)) for x in PART_X]
        boxes += [(1, (-70, 124 + depth, 0, 0)), (1, (70, 124 + depth, 0, 0))]
        return mods, boxes

    for k, depth in enumerate((0, 6, 12, 18)):                                               # 8-11
        mods, boxes = carrier(depth)
        frames.append(frame(f"carrier{k}", mods, boxes))
    mods, boxes = carrier(18, True)
    frames.append(frame("carrier_exposed", mods, boxes))                                     # 12
    part_box = (0, (-9, -9, 18, 18))
    for k in range(4):                                                                       # 13-16 + 4k..
        frames.append(frame(f"part{k}", [mod(f"part{k}")], [part_box]))
    frames.append(frame("part_flash", [mod("part_flash")], [part_box]))                      # 17
    frames.append(frame("part_broken", [mod("part_broken")]))                                # 18
    frames.append(frame("part_small", [mod("part_broken")], [part_box]))                      # 19
    frames.append(frame("shield", [mod("shield")], [(0, (-48, 0, 96, 112))]))                 # 20
    frames.append(frame("shield_open", [mod("shield_open")]))                                # 21
    frames.append(frame("shadow", [mod("shadow")]))                                          # 22
    frames.append(frame("gem", [mod("gem")], [(0, (-8, -20, 16, 20))]))                     # 23
    frames.append(frame("nothing", []))                                                      # 24

    def fall(name, frame_name, speed):
        return anim(name, [step(frame_name, 25, (0, 0)), step(frame_name, 25, (0, speed))])

    animations = [
        anim("rest", [step("core0", 1000)]),
        anim("drop", [step("core1", 200), step("core0", 200)]),
        anim("hit", [step("core2", 80), step("core0", 60), step("core2", 80)], 1),
        anim("defeated", [step("core3", 1000)]),
        fall("hazard", "anvil", 10),
        fall("shot0", "shard0", 6), fall("shot1", "shard1", 7), fall("shot2", "shard2", 8),
        anim("deploy", [step("carrier0", 150), step("carrier1", 150), step("carrier2", 150), step("carrier3", 150)], 1),
        anim("exposed", [step("carrier3", 200), step("carrier_exposed", 200)], 1),
    ]
    for k in range(4):
        animations += [
            anim(f"part{k}_appear", [step("part_small", 150), step(f"part{k}", 150), step("part_small", 100), step(f"part{k}", 150)], 1),
            anim(f"part{k}_idle", [step(f"part{k}", 1000)]),
            anim(f"part{k}_hit", [step("part_flash", 100)], 1),
            anim(f"part{k}_destroyed", [step("part_flash", 80), step("part_broken", 400)], 1),
        ]
    animations += [
        anim("shield_open", [step("shield_open", 1000)]),                                  # 26
        anim("shield_closed", [step("shield", 1000)]),                                     # 27
        anim("shadow", [step("shadow", 1000)]),                                            # 28
        anim("spare_a", [step("nothing", 1000)]), anim("spare_b", [step("nothing", 1000)]),
        anim("spare_c", [step("nothing", 1000)]),                                          # 29-31
        fall("reward_fall", "gem", 4),                                                     # 32
    ]
    w.animset(0x2C02, "BOSS3_SET", frames, animations)
    return w.write()


# ---------------------------------------------------------------- boss 4 (0x2C03)

# The eight floating crystals around the prism: (x, y) of each crystal's bottom tip from the
# prism's base point, and its size; the first six are where the falling objects appear.
PRISM_PARTS = [(-78, -96, 14), (78, -96, 14), (-58, -150, 12), (58, -150, 12), (-92, -44, 10), (92, -44, 10),
               (-30, -176, 9), (30, -176, 9)]
PRISM_BOX = (-34, -124, 68, 120)


def prism(pose):
    """The prism, 116 x 144, anchored at its bottom centre (58, 142). Poses: 0 plain, 1 flash,
    2 cracked, 3 crumbled."""
    fill, side, light = (MIST[1], MIST[0], "#FFFFFF") if pose == 1 else (GLASS[1], GLASS[0], GLASS[2])
    if pose == 3:
        body = f'<ellipse cx="60" cy="139" rx="50" ry="4" fill="{INK}" opacity="0.3"/>'
        for pts in ([(14, 140), (30, 104), (52, 96), (58, 140)], [(56, 140), (66, 90), (90, 100), (104, 140)],
                    [(36, 140), (48, 118), (70, 116), (80, 140)]):
            body += poly(pts, GLASS[1], INK, 3)
        return body
    body = f'<ellipse cx="62" cy="139" rx="52" ry="4" fill="{INK}" opacity="0.3"/>'
    body += poly([(58, 4), (96, 40), (90, 138), (26, 138), (20, 40)], fill, INK, 3)
    body += poly([(58, 4), (20, 40), (26, 138), (46, 138), (40, 44)], side, INK, 1)
    body += poly([(58, 4), (96, 40), (76, 44)], light, "none", 0, 'opacity="0.8"')
    body += f'<path d="M 30 56 L 38 52 L 36 100 L 30 104 Z" fill="#FFFFFF" opacity="0.45"/>'
    if pose == 2:
        body += f'<path d="M 40 20 L 52 50 L 44 72 L 60 108 M 84 40 L 70 66 L 80 92 L 66 136" fill="none" stroke="{INK}" stroke-width="2.5"/>'
    return body


def prism_eye(kind):
    """The eye over the prism's face, 40 x 28 centred (20, 14). Kinds: 0 open, 1 blinking,
    2 and 3 the swirl that turns the controls around."""
    body = f'<ellipse cx="20" cy="14" rx="18" ry="{12 if kind != 1 else 3}" fill="#FFFFFF" stroke="{INK}" stroke-width="2"/>'
    if kind == 0:
        body += f'<circle cx="20" cy="14" r="8" fill="{EMBER[1]}" stroke="{INK}" stroke-width="2"/><circle cx="20" cy="14" r="3.5" fill="{INK}"/>'
        body += '<circle cx="16" cy="10" r="2" fill="#FFFFFF"/>'
    elif kind >= 2:
        turn = 0 if kind == 2 else 90
        body += (f'<g transform="rotate({turn} 20 14)"><path d="M 20 14 m -8 0 a 8 8 0 1 1 8 8 a 5 5 0 1 1 -5 -5 a 2 2 0 1 1 2 2" '
                 f'fill="none" stroke="{RUBY[1]}" stroke-width="2.5"/></g>')
    return body


def plinth():
    """The stone plinth under the prism, 150 x 26, anchored at its bottom centre (75, 25)."""
    body = poly([(6, 25), (14, 6), (136, 6), (144, 25)], NIGHT[1], INK, 3)
    body += f'<rect x="22" y="9" width="106" height="4" rx="2" fill="{NIGHT[2]}"/>'
    return body


def floating_crystal(size, tint):
    w_, h = 2 * size + 4, 3 * size + 4
    return (poly([(w_ / 2, 2), (w_ - 2, size + 2), (w_ / 2, h - 2), (2, size + 2)], tint[1], INK, 2)
            + poly([(w_ / 2, 2), (w_ / 2, h - 2), (2, size + 2)], tint[0], "none", 0, 'opacity="0.6"')
            + f'<path d="M {w_ / 2 + 2} {size * 0.6 + 2:.1f} l {size * 0.4:.1f} {size * 0.5:.1f}" stroke="#FFFFFF" stroke-width="1.5"/>'), w_, h


def glass_wave(k):
    """The sweep's wave of glass spikes, 36 x 24, anchored at its bottom centre (18, 24)."""
    tips = [(4, 14 - 2 * k), (12, 4 + 2 * k), (20, 2), (28, 6 - 2 * k)]
    pts = [(0, 24)] + [p for x, y in tips for p in ((x - 3, 24 - (24 - y) * 0.3), (x, y))] + [(36, 24)]
    return (f'<ellipse cx="18" cy="23" rx="17" ry="2" fill="{INK}" opacity="0.3"/>' + poly(pts, GLASS[1], INK, 2)
            + f'<path d="M 12 {8 + 2 * k} l -2 8" stroke="#FFFFFF" stroke-width="1.5"/>')


def boss4():
    w = SetWriter("boss4", "BOSS4", 0x2C08, 0x2C48)
    w.picture("plinth", 150, 26, plinth(), (75, 25))
    for pose in range(4):
        w.picture(f"prism{pose}", 120, 144, prism(pose), (58, 140))
    for kind in range(4):
        w.picture(f"eye{kind}", 40, 28, prism_eye(kind), (20, 14))
    tints = [GLASS, GLASS, (GOLD[0], GOLD[1], GOLD[2]), (GOLD[0], GOLD[1], GOLD[2]), (EMBER[0], EMBER[1], EMBER[2]),
             (EMBER[0], EMBER[1], EMBER[2]), (NIGHT[1], NIGHT[2], MIST[0]), (NIGHT[1], NIGHT[2], MIST[0])]
    sizes = []
    for k, (_, _, size) in enumerate(PRISM_PARTS):
        body, cw, ch = floating_crystal(size, tints[k])
        w.picture(f"crystal{k}", cw, ch, body, (cw // 2, ch - 2))
        sizes.append(ch)
    for k in range(2):
        w.picture(f"wave{k}", 36, 24, glass_wave(k), (18, 24))
    w.picture("gem", 16, 20, gem(), (8, 20))
    w.picture("glow", 40, 40, f'<circle cx="20" cy="20" r="18" fill="{GOLD[2]}" opacity="0.3"/>'
                               f'<circle cx="20" cy="20" r="11" fill="{GOLD[2]}" opacity="0.45"/>', (20, 30))

    body_box = (0, PRISM_BOX)
    eye = (0, -84)
    frames = [frame("plinth", [mod("plinth")])]                                                    # 0
    frames += [frame(f"prism{p}", [mod(f"prism{p}")], [body_box]) for p in range(4)]              # 1-4
    frames += [frame(f"eye{k}", [mod(f"eye{k}", *eye)]) for k in range(4)]                         # 5-8
    for k, (x, y, size) in enumerate(PRISM_PARTS):                                                 # 9-24
        # The crystal's tip is the first box: a point where its falling objects appear.
        for bob in (0, 3):
            frames.append(frame(f"crystal{k}_{bob}", [mod(f"crystal{k}", x, y - bob)], [(0, (x - 2, y - bob - 4, 4, 4))]))
    frames.append(frame("sweep_rest", []))                                                         # 25
    wave_box = (0, (-14, -20, 28, 20))
    frames += [frame(f"wave{k}", [mod(f"wave{k}")], [wave_box]) for k in range(2)]                # 26, 27
    frames.append(frame("gem", [mod("gem")], [(0, (-8, -20, 16, 20))]))                           # 28
    frames.append(frame("glow", [mod("glow")]))                                                    # 29

    def sweep(name, direction):
        # Rests box-less and unseen on its first step, then runs 270 px across in 2.25 s.
        steps = [step("sweep_rest", 50, (0, 0))]
        steps += [step(f"wave{k % 2}", 50, (direction * 6 * k, 0)) for k in range(1, 46)]
        return anim(name, steps, 1)

    animations = [
        anim("idle", [step("prism0", 1000)]),                                                      # 0
        anim("hit", [step("prism1", 80), step("prism0", 60), step("prism1", 80)], 1),               # 1
        anim("defeated", [step("prism2", 200), step("prism1", 80), step("prism2", 300), step("prism3", 1000)], 1),  # 2
        anim("overlay", [step("eye0", 1800), step("eye1", 120)]),                                  # 3
        anim("swirl", [step(f"eye{2 + k % 2}", 150) for k in range(20)], 1),                      # 4
    ]
    for k in range(8):                                                                             # 5-12
        animations.append(anim(f"part{k}", [step(f"crystal{k}_0", 300 + 40 * k), step(f"crystal{k}_3", 300 + 40 * k)]))
    animations.append(anim("unused", [step("sweep_rest", 1000)]))                                 # 13
    animations += [sweep("sweep_left", -1), sweep("sweep_right", 1)]                              # 14, 15
    animations.append(anim("drop_glow", [step("glow", 1000)]))                                     # 16
    animations.append(anim("drop", [step("gem", 25, (0, 0)), step("gem", 25, (0, 4))]))           # 17
    w.animset(0x2C03, "BOSS4_SET", frames, animations)
    return w.write()


# ---------------------------------------------------------------- boss 5 (0x2C04, 0x2400)

KEEPER_HEART = {0: (0, -76), 2: (0, -82), 21: (0, -68)}   # the heart's centre from the base, by pose


def keeper(pose):
    """The keeper, 140 x 156, anchored at its bottom centre (70, 154). Poses: 0 rest,
    2 attacking (raised, eyes alight), 21 defeated (cracked, sunk)."""
    lift = {0: 0, 2: -6, 21: 8}[pose]
    body = f'<ellipse cx="72" cy="151" rx="60" ry="4" fill="{INK}" opacity="0.3"/>'
    # The skirt of glass panes and the bust above it.
    body += poly([(20, 152), (36, 96 + lift), (104, 96 + lift), (120, 152)], NIGHT[1], INK, 3)
    for k in range(4):
        x = 38 + 18 * k
        body += f'<rect x="{x}" y="{108 + lift}" width="12" height="{40 - lift}" rx="2" fill="{GLASS[1]}" opacity="0.5" stroke="{INK}" stroke-width="1"/>'
    # The bust, with a round window on its chest where the heart glows (drawn behind it).
    hx, hy = 70 + KEEPER_HEART[pose][0], 154 + KEEPER_HEART[pose][1]
    outline = [(36, 100 + lift), (30, 50 + lift), (50, 28 + lift), (90, 28 + lift), (110, 50 + lift), (104, 100 + lift)]
    path = "M " + " L ".join(f"{x} {y}" for x, y in outline) + " Z"
    path += f" M {hx - 15} {hy} a 15 15 0 1 0 30 0 a 15 15 0 1 0 -30 0 Z"
    body += f'<path d="{path}" fill="{GLASS[1]}" fill-opacity="0.9" fill-rule="evenodd" stroke="{INK}" stroke-width="3" stroke-linejoin="round"/>'
    body += f'<circle cx="{hx}" cy="{hy}" r="17" fill="none" stroke="{GOLD[0]}" stroke-width="2"/>'
    body += poly([(36, 100 + lift), (30, 50 + lift), (42, 56 + lift), (46, 98 + lift)], GLASS[0], "none", 0, 'opacity="0.7"')
    body += f'<path d="M 52 34 L 70 34 L 58 46 Z" fill="#FFFFFF" opacity="0.8" transform="translate(0 {lift})"/>'
    # The crown.
    crown = [(44, 30), (46, 8), (56, 20), (70, 2), (84, 20), (94, 8), (96, 30)]
    body += poly([(x, y + lift) for x, y in crown], GOLD[1], INK, 2)
    # Eyes.
    eye = RUBY[1] if pose == 2 else (INK if pose == 21 else GOLD[2])
    for ex in (56, 84):
        if pose == 21:
            body += f'<path d="M {ex - 5} {40 + lift} l 10 8 M {ex + 5} {40 + lift} l -10 8" stroke="{INK}" stroke-width="2.5"/>'
        else:
            body += f'<ellipse cx="{ex}" cy="{44 + lift}" rx="6" ry="4" fill="{eye}" stroke="{INK}" stroke-width="2"/>'
    if pose == 21:
        body += f'<path d="M 40 60 L 56 84 L 48 100 M 100 56 L 86 80 L 96 100" stroke="{INK}" stroke-width="2.5" fill="none"/>'
    return body


def fist(open_hand):
    """A glass fist, 40 x 36, anchored at its bottom centre (20, 35)."""
    body = f'<rect x="4" y="4" width="32" height="30" rx="9" fill="{GLASS[1]}" stroke="{INK}" stroke-width="2"/>'
    body += f'<rect x="8" y="7" width="12" height="5" rx="2.5" fill="#FFFFFF" opacity="0.6"/>'
    if open_hand:
        body += ''.join(f'<rect x="{6 + 8 * k}" y="24" width="6" height="10" rx="3" fill="{GLASS[2]}" stroke="{INK}" stroke-width="1.5"/>' for k in range(4))
    else:
        body += ''.join(f'<path d="M {10 + 7 * k} 14 l 0 10" stroke="{GLASS[0]}" stroke-width="2"/>' for k in range(3))
    return body


def heart(k):
    """The heart, 28 x 28, centred (14, 14): 0 and 1 its glow, 2 struck."""
    fill = "#FFFFFF" if k == 2 else RUBY[1]
    r = 10 if k == 0 else 11
    return (f'<circle cx="14" cy="14" r="{r + 2}" fill="{GOLD[2]}" opacity="{0.35 if k < 2 else 0.8}"/>'
            f'<path d="M 14 {14 - r} L {14 + r * 0.8:.1f} 14 L 14 {14 + r} L {14 - r * 0.8:.1f} 14 Z" fill="{fill}" stroke="{INK}" stroke-width="2"/>'
            f'<path d="M 12 {16 - r} L 9 12 L 12 12 Z" fill="#FFFFFF" opacity="0.8"/>')


def icicle(k):
    """A falling icicle, 10 x 20, anchored at its bottom tip (5, 19); k 1 and 2 its shatter."""
    if k == 0:
        return (poly([(1, 1), (9, 1), (5, 19)], GLASS[1], INK, 1.5)
                + '<path d="M 3 3 L 5 12" stroke="#FFFFFF" stroke-width="1"/>')
    spread = 2 * k
    return "".join(poly([(x - 2 - spread * s_, 19 - 3 * k), (x + 2 - spread * s_, 19 - 3 * k), (x - spread * s_, 19)],
                        GLASS[2], INK, 1) for x, s_ in ((3, 1), (5, 0), (7, -1)))


def crown_relic():
    """The keeper's crown, falling when it is beaten: 28 x 22, anchored at its bottom centre."""
    crown = [(2, 20), (4, 4), (9, 12), (14, 2), (19, 12), (24, 4), (26, 20)]
    return (poly(crown, GOLD[1], INK, 2) + '<path d="M 6 16 L 22 16" stroke="#C98A12" stroke-width="2"/>'
            + f'<circle cx="14" cy="14" r="2.5" fill="{RUBY[1]}" stroke="{INK}" stroke-width="1"/>')


def tower_sky():
    """Boss 5's background, 240 x 224 from its top-left: night over the tower's top, the
    moon, panes of the tower's crown on both sides."""
    parts = [gradient("sky", ["#231B45", "#3B2F73", "#6E6890"]),
             '<rect x="0" y="0" width="240" height="224" fill="url(#sky)"/>']
    parts[0] = f"<defs>{parts[0]}</defs>"
    for x, y, r in [(18, 20, 1.2), (64, 40, 1), (110, 14, 1.4), (150, 52, 1), (206, 24, 1.3), (38, 92, 1), (226, 86, 1.1)]:
        parts.append(f'<circle cx="{x}" cy="{y}" r="{r}" fill="{MIST[1]}"/>')
    parts.append(f'<circle cx="186" cy="58" r="20" fill="{GOLD[2]}" stroke="{INK}" stroke-width="2"/>'
                 f'<circle cx="194" cy="52" r="16" fill="#3B2F73" opacity="0.9"/>')
    for side in (0, 1):
        x0 = 0 if side == 0 else 196
        parts.append(f'<rect x="{x0}" y="96" width="44" height="128" fill="{NIGHT[1]}" stroke="{INK}" stroke-width="3"/>')
        for row in range(5):
            parts.append(f'<rect x="{x0 + 8}" y="{106 + 22 * row}" width="28" height="14" rx="3" fill="{GLASS[1]}" '
                         f'fill-opacity="0.35" stroke="{GLASS[2]}" stroke-opacity="0.6" stroke-width="1"/>')
        parts.append(poly([(x0 - 2, 98), (x0 + 22, 76), (x0 + 46, 98)], NIGHT[2], INK, 3))
    parts.append(f'<rect x="44" y="196" width="152" height="28" fill="{NIGHT[0]}" stroke="{INK}" stroke-width="2"/>')
    for k in range(8):
        parts.append(f'<rect x="{48 + 19 * k}" y="200" width="15" height="20" rx="2" fill="{GLASS[0]}" opacity="0.45"/>')
    return "\n".join(parts)


def boss5_background():
    w = SetWriter("boss5_backdrop", "BOSS5_BACKDROP", 0x2406, 0x2446)
    w.picture("tower_sky", 240, 224, tower_sky())
    w.animset(0x2400, "BOSS5_BACKDROP_SET", [frame("tower_sky", [mod("tower_sky")])], [anim("sky", [step("tower_sky", 1000)], 1)])
    return w.write()


# Where each fist rests, from the base point: (x, y) of its bottom centre. Part A is the left
# fist, part B the right one; the slams bring a fist's bottom down to the ground (y 0).
FIST_IDLE = [(-72, -60), (-72, -64)]
FIST_HIGH = [(-64, -136), (-56, -150)]


def boss5():
    w = SetWriter("boss5", "BOSS5", 0x2C09, 0x2C49)
    for pose in (0, 2, 21):
        w.picture(f"keeper{pose}", 144, 160, keeper(pose), (70, 154))
    w.picture("fist", 40, 36, fist(False), (20, 35))
    w.picture("fist_open", 40, 36, fist(True), (20, 35))
    w.picture("dust", 60, 14, f'<ellipse cx="30" cy="8" rx="28" ry="5" fill="{MIST[0]}" opacity="0.75" stroke="{INK}" stroke-width="1"/>', (30, 12))
    for k in range(3):
        w.picture(f"heart{k}", 28, 28, heart(k), (14, 14))
        w.picture(f"icicle{k}", 10, 20, icicle(k), (5, 19))
    w.picture("crown", 28, 22, crown_relic(), (14, 21))
    w.picture("crown_glow", 44, 44, f'<circle cx="22" cy="22" r="20" fill="{GOLD[2]}" opacity="0.35"/>', (22, 32))

    frames = [frame("empty", [])]                                                                  # 0
    heart_box = {pose: (0, (x - 12, y - 12, 24, 24)) for pose, (x, y) in KEEPER_HEART.items()}
    for pose in (0, 2, 21):                                                                         # 1-3
        frames.append(frame(f"keeper{pose}", [mod(f"keeper{pose}")], [heart_box[pose]]))
    fist_box = (-16, -32, 32, 30)

    def fist_frame(name, side, x, y, gob="fist", extra=()):
        # Part B mirrors part A.
        # A flipped module mirrors its place about the anchor too; boxes are given as they lie.
        sx = x if side == 0 else -x
        flip = "h" if side == 1 else None
        box = (0, (sx + fist_box[0], y + fist_box[1], fist_box[2], fist_box[3]))
        mods = [mod(gob, x, y, flip)] + list(extra)
        frames.append(frame(name, mods, [box]))
        return name

    fists = {}
    for side in (0, 1):
        sign = 1 if side == 0 else -1
        ix, iy = FIST_IDLE[0]
        fists[(side, "idle0")] = fist_frame(f"f{side}_idle0", side, ix, iy)
        fists[(side, "idle1")] = fist_frame(f"f{side}_idle1", side, ix, iy - 4)
        hx, hy = FIST_HIGH[0]
        for k in range(4):   # rising toward the high point and back
            t = (k + 1) / 4
            fists[(side, f"up{k}")] = fist_frame(f"f{side}_up{k}", side, round(ix + (hx - ix) * t), round(iy + (hy - iy) * t),
                                                 "fist_open")
        for k, y in enumerate((-100, -50, 0)):   # the slam down beside the keeper
            fists[(side, f"slam{k}")] = fist_frame(f"f{side}_slam{k}", side, -64, y, "fist",
                                                   [mod("dust", -64 * sign, 0)] if y == 0 else [])
        h2x, h2y = FIST_HIGH[1]
        for k, (x, y) in enumerate(((-56, -150), (-40, -110), (-30, -50), (-30, 0))):   # the slam toward the middle
            fists[(side, f"cross{k}")] = fist_frame(f"f{side}_cross{k}", side, x, y, "fist",
                                                    [mod("dust", -30 * sign, 0)] if y == 0 else [])
    for k in range(3):                                                                             # rain
        box = [(0, (-4, -18, 8, 16))] if k == 0 else []
        frames.append(frame(f"icicle{k}", [mod(f"icicle{k}")], box))
    for k in range(3):                                                                             # heart
        frames.append(frame(f"heart{k}", [mod(f"heart{k}", 12, 12)], [(0, (0, 0, 24, 24))]))
    frames.append(frame("crown", [mod("crown_glow"), mod("crown")], [(0, (-12, -20, 24, 20))]))

    def fist_anim(name, side, keys, ms, loops=1):
        return anim(name, [step(fists[(side, key)], m) for key, m in zip(keys, ms)], loops)

    slam_keys = ["up0", "up1", "up2", "up3", "slam0", "slam1", "slam2", "slam2", "up1", "idle0"]
    slam_ms = [80, 80, 80, 200, 60, 60, 250, 100, 120, 120]
    cross_keys = ["up1", "up3", "cross0", "cross1", "cross2", "cross3", "cross3", "up0", "idle0"]
    cross_ms = [100, 220, 120, 60, 60, 260, 100, 120, 120]
    windup_keys, windup_ms = ["idle0", "up0", "up1", "up2", "up3"], [100, 120, 120, 120, 300]
    close_keys, close_ms = ["up3", "up2", "up1", "up0", "idle0"], [100, 100, 100, 100, 100]

    def pair(name, keys, ms, loops=1):
        return [fist_anim(f"{name}_a", 0, keys, ms, loops), fist_anim(f"{name}_b", 1, keys, ms, loops)]

    nothing = anim("unused", [step("empty", 1000)])
    slam, cross = pair("slam", slam_keys, slam_ms), pair("cross", cross_keys, cross_ms)
    windup, idle, close = pair("windup", windup_keys, windup_ms), pair("idle", ["idle0", "idle1"], [400, 400], "forever"), \
        pair("close", close_keys, close_ms)
    animations = [
        anim("rest", [step("keeper0", 1000)]),                                                     # 0
        nothing,                                                                                   # 1
        anim("attacking", [step("keeper2", 1000)]),                                                # 2
        nothing, nothing,                                                                          # 3, 4
        slam[0], slam[1],                                                                          # 5, 6
        windup[0], windup[1],                                                                      # 7, 8
        idle[0], idle[1],                                                                          # 9, 10
        close[0], close[1],                                                                        # 11, 12
        nothing, nothing,                                                                          # 13, 14
        cross[0], cross[1],                                                                        # 15, 16
        # 17: an icicle falls 8 px every 50 ms; 18 shatters on the hero; 19 finished.
        anim("rain_fall", [step("icicle0", 25, (0, 0)), step("icicle0", 25, (0, 8))]),
        anim("rain_struck", [step("icicle1", 80), step("icicle2", 80)], 1),
        anim("rain_done", [step("empty", 1000)]),
        nothing,                                                                                   # 20
        anim("defeated", [step("keeper21", 1000)]),                                                # 21
        anim("heart", [step("heart0", 300), step("heart1", 300)]),                                 # 22
        anim("heart_struck", [step("heart2", 60), step("heart1", 60)], 1),                         # 23
        # 24: the crown falls 4 px every 50 ms.
        anim("crown_fall", [step("crown", 25, (0, 0)), step("crown", 25, (0, 4))]),
    ]
    w.animset(0x2C04, "BOSS5_SET", frames, animations)
    return w.write()


def main():
    for path in [boss1(), boss2(), boss3(), boss4(), boss5(), boss5_background()]:
        print(path)


if __name__ == "__main__":
    main()
