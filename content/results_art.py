#!/usr/bin/env python3
"""Writes the pictures and descriptions of the shop and achievement set (shop/), the
defeated hero (defeat/) and the result and game-over panels' pictures (panel/). Run it
from the content folder after changing a picture; the output is committed."""
import json
import math
import os

import level_art

DEFS = open("buttons/button_back.svg").read().split("<defs>")[1].split("</defs>")[0]
INK = "#1B1530"


def svg(path, w, h, note, body):
    with open(path, "w") as out:
        out.write(f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" viewBox="0 0 {w} {h}">\n'
                  f"  <!-- {note} -->\n<defs>{DEFS}</defs>\n{body}\n</svg>\n")


def pill(x, y, w, h, fill, sw=2):
    r = h / 2
    return (f'<rect x="{x + 2}" y="{y + 3}" width="{w}" height="{h}" rx="{r}" fill="{INK}" opacity="0.35"/>'
            f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{r}" fill="url(#{fill})" stroke="{INK}" stroke-width="{sw}"/>'
            f'<rect x="{x + 10}" y="{y + 2.5}" width="{w - 20}" height="{h * 0.36:.1f}" rx="{h * 0.18:.1f}" fill="url(#gloss)"/>')


def panel(x, y, w, h, sw=3):
    return (f'<rect x="{x + 3}" y="{y + 4}" width="{w}" height="{h}" rx="14" fill="{INK}" opacity="0.4"/>'
            f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="14" fill="url(#nightpanel)" stroke="{INK}" stroke-width="{sw}"/>'
            f'<rect x="{x + 4}" y="{y + 4}" width="{w - 8}" height="{h - 8}" rx="11" fill="none" stroke="#FFD84A" stroke-width="2"/>'
            f'<rect x="{x + 14}" y="{y + 7}" width="{w - 28}" height="10" rx="5" fill="url(#gloss)" opacity="0.5"/>')


def well(x, y, w, h):
    return (f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="8" fill="url(#well)" stroke="{INK}" stroke-width="1"/>'
            f'<rect x="{x + 1}" y="{y + h - 2}" width="{w - 2}" height="1" fill="#6E6890" opacity="0.6"/>')


def coin(cx, cy, r):
    # The levels' money pick-up (items/item0.svg), drawn at any size.
    k = r / 6.5
    return (f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="#FFD84A" stroke="{INK}" stroke-width="{1.5 * k:.2f}"/>'
            f'<circle cx="{cx}" cy="{cy}" r="{3.5 * k:.2f}" fill="none" stroke="#C98A12" stroke-width="{1.5 * k:.2f}"/>'
            f'<circle cx="{cx - 2 * k:.2f}" cy="{cy - 3 * k:.2f}" r="{1.5 * k:.2f}" fill="#FFF3B0"/>')


def arrow(cx, cy, left):
    d = -1 if left else 1
    pts = f"{cx - 7 * d},{cy - 10} {cx + 8 * d},{cy} {cx - 7 * d},{cy + 10}"
    return (f'<circle cx="{cx + 1}" cy="{cy + 2}" r="18" fill="{INK}" opacity="0.35"/>'
            f'<circle cx="{cx}" cy="{cy}" r="18" fill="url(#glass)" stroke="{INK}" stroke-width="2"/>'
            f'<ellipse cx="{cx - 4}" cy="{cy - 9}" rx="9" ry="4" fill="#FFFFFF" opacity="0.6"/>'
            f'<polygon points="{pts}" fill="#FFFFFF" stroke="{INK}" stroke-width="2" stroke-linejoin="round"/>')


def sparkles(seed, w, h, n):
    out = []
    for i in range(n):
        x = (seed * 37 + i * 71) % w
        y = (seed * 53 + i * 113) % h
        out.append(f'<circle cx="{x}" cy="{y}" r="{1 + (i % 2)}" fill="#E8FDFF" opacity="{0.25 + 0.1 * (i % 3):.2f}"/>')
    return "".join(out)


def backdrop():
    return (f'<rect x="0" y="0" width="240" height="320" fill="url(#sky)"/>{sparkles(3, 240, 320, 40)}'
            f'<polygon points="0,320 0,250 30,236 70,262 120,240 170,258 210,238 240,252 240,320" fill="#231B45" opacity="0.8"/>')


# Shop background: 240 x 320, anchor at its centre. Screen positions: title row at y 18,
# money at the top right, the weapon's showcase left, the hero right, arrows under them,
# the status line between the arrows, the five lines of how the shop works, and room at the
# bottom for the back and buy buttons.
def shop_background():
    body = backdrop()
    body += panel(6, 4, 228, 28) + coin(178, 18, 7)
    body += panel(6, 40, 228, 144)
    body += well(18, 52, 96, 84) + f'<ellipse cx="66" cy="124" rx="34" ry="7" fill="#7FE7F2" opacity="0.25"/>'
    body += well(126, 52, 96, 84) + f'<ellipse cx="174" cy="128" rx="30" ry="6" fill="{INK}" opacity="0.5"/>'
    body += arrow(32, 160, True) + arrow(208, 160, False)
    body += panel(6, 186, 228, 88)
    return body


# Achievements background: 240 x 320, anchor at its left edge's middle.
def achievement_background():
    body = backdrop()
    body += panel(6, 4, 228, 28)
    body += panel(6, 58, 228, 84)
    for i in range(4):
        body += well(12 + 55 * i, 68, 50, 64)
    body += arrow(32, 168, True) + arrow(208, 168, False)
    body += panel(6, 192, 228, 76)
    return body


def back_button():
    return (pill(1, 1, 90, 34, "ember") +
            f'<polygon points="30,18 52,8 52,28" fill="#FFFFFF" stroke="{INK}" stroke-width="2" stroke-linejoin="round"/>'
            f'<rect x="50" y="14" width="14" height="8" fill="#FFFFFF" stroke="{INK}" stroke-width="2"/>'
            f'<polygon points="31,18 51,9 51,27" fill="#FFFFFF"/>')


def buy_button():
    return (pill(1, 1, 90, 34, "leaf") +
            f'<circle cx="18" cy="18" r="8" fill="url(#gold)" stroke="{INK}" stroke-width="1"/>'
            f'<rect x="17" y="13" width="2" height="10" fill="#C98A12"/>')


def selection():
    return (f'<rect x="2" y="2" width="58" height="68" rx="10" fill="none" stroke="{INK}" stroke-width="5"/>'
            f'<rect x="2" y="2" width="58" height="68" rx="10" fill="none" stroke="#7FE7F2" stroke-width="3"/>'
            f'<circle cx="52" cy="8" r="3" fill="#E8FDFF"/>')


def medal(inner, ribbon="ruby", fill="gold"):
    return (f'<polygon points="14,2 24,2 30,20 20,22" fill="url(#{ribbon})" stroke="{INK}" stroke-width="1.5"/>'
            f'<polygon points="38,2 28,2 22,20 32,22" fill="url(#{ribbon})" stroke="{INK}" stroke-width="1.5"/>'
            f'<circle cx="27" cy="38" r="20" fill="{INK}" opacity="0.35"/>'
            f'<circle cx="26" cy="36" r="20" fill="url(#{fill})" stroke="{INK}" stroke-width="2"/>'
            f'<circle cx="26" cy="36" r="14" fill="none" stroke="{INK}" stroke-opacity="0.35" stroke-width="1.5"/>'
            + inner + f'<ellipse cx="19" cy="26" rx="6" ry="3" fill="#FFFFFF" opacity="0.7"/>')


def star(cx, cy, r, fill):
    pts = []
    for k in range(10):
        a = -math.pi / 2 + k * math.pi / 5
        rr = r if k % 2 == 0 else r * 0.45
        pts.append(f"{cx + rr * math.cos(a):.1f},{cy + rr * math.sin(a):.1f}")
    return f'<polygon points="{" ".join(pts)}" fill="{fill}" stroke="{INK}" stroke-width="1.5" stroke-linejoin="round"/>'


MEDALS = {
    "medal_great": medal(star(26, 37, 11, "#E8FDFF"), "glass", "glass"),
    "medal_perfect": medal(star(20, 38, 7, "#FFF3B0") + star(32, 38, 7, "#FFF3B0") + star(26, 30, 8, "#FFFFFF")),
    "medal_untouched": medal(f'<path d="M26,24 L36,28 L35,39 Q33,46 26,50 Q19,46 17,39 L16,28 Z" fill="url(#leaf)" '
                             f'stroke="{INK}" stroke-width="1.5"/><path d="M21,37 L25,41 L32,32" fill="none" '
                             f'stroke="#FFFFFF" stroke-width="2.5" stroke-linecap="round"/>', "leaf"),
    "medal_arsenal": medal(f'<path d="M17,27 L35,45 M35,27 L17,45" stroke="{INK}" stroke-width="5" stroke-linecap="round"/>'
                           f'<path d="M17,27 L35,45 M35,27 L17,45" stroke="#E8FDFF" stroke-width="2.5" stroke-linecap="round"/>'
                           f'<circle cx="26" cy="36" r="3" fill="url(#ember)" stroke="{INK}" stroke-width="1"/>', "ember", "ember"),
    "medal_locked": (f'<circle cx="27" cy="38" r="20" fill="{INK}" opacity="0.35"/>'
                     f'<circle cx="26" cy="36" r="20" fill="#3B2F73" stroke="{INK}" stroke-width="2"/>'
                     f'<path d="M19,34 V28 Q19,20 26,20 Q33,20 33,28 V34" fill="none" stroke="#6E6890" stroke-width="4"/>'
                     f'<rect x="16" y="33" width="20" height="15" rx="3" fill="#6E6890" stroke="{INK}" stroke-width="1.5"/>'
                     f'<circle cx="26" cy="40" r="2.5" fill="{INK}"/>'),
}


def shop_weapon(drawing):
    # The weapon as the levels draw it (the hero's hand, the top bar's icon, level_art's
    # weapon_drawings, 20 x 20), two and a half times as large over a soft glass glow, so that
    # the shop shows the weapon the hero then throws.
    return (f'<ellipse cx="28" cy="30" rx="22" ry="20" fill="#7FE7F2" opacity="0.12"/>'
            f'<g transform="translate(3 3) scale(2.5)">{drawing}</g>')


WEAPONS = [(f"weapon_{k}", shop_weapon(drawing)) for k, drawing in enumerate(level_art.weapon_drawings())]


def defeated_hero():
    # The levels' hero (hero/stand.svg: orange tunic, night legs, a red tuft) sitting on the
    # ground, dazed, stars over his head, a glass shard beside him.
    def limb(d, colour, w):
        return (f'<path d="{d}" fill="none" stroke="{INK}" stroke-width="{w + 2}" stroke-linecap="round"/>'
                f'<path d="{d}" fill="none" stroke="{colour}" stroke-width="{w}" stroke-linecap="round"/>')
    return (f'<ellipse cx="48" cy="91" rx="40" ry="4" fill="{INK}" opacity="0.35"/>'
            + limb("M44,78 L24,86", "#3B2F73", 8) + limb("M52,78 L72,86", "#3B2F73", 8) +
            f'<rect x="30" y="48" width="36" height="34" rx="13" fill="url(#ember)" stroke="{INK}" stroke-width="2"/>'
            f'<rect x="35" y="52" width="13" height="9" rx="4" fill="#FFFFFF" opacity="0.4"/>'
            + limb("M34,58 L22,74", "#FFC15E", 6) + limb("M62,58 L74,74", "#FFC15E", 6) +
            f'<circle cx="48" cy="30" r="17" fill="#FFC15E" stroke="{INK}" stroke-width="2"/>'
            f'<path d="M33,24 Q48,4 63,20 L55,17 Z" fill="#C4501A" stroke="{INK}" stroke-width="1.5"/>'
            f'<path d="M39,29 L45,35 M45,29 L39,35 M51,29 L57,35 M57,29 L51,35" stroke="{INK}" stroke-width="2.5" stroke-linecap="round"/>'
            f'<path d="M43,41 Q48,38 53,41" fill="none" stroke="{INK}" stroke-width="2" stroke-linecap="round"/>'
            f'<ellipse cx="41" cy="20" rx="4" ry="2" fill="#FFFFFF" opacity="0.5"/>'
            + star(28, 10, 6, "#FFF3B0") + star(68, 8, 5, "#FFF3B0") + star(48, 3, 3.5, "#E8FDFF") +
            f'<polygon points="80,90 87,62 94,90" fill="url(#shard)" stroke="{INK}" stroke-width="1"/>'
            f'<path d="M86,68 L89,76 L85,82" fill="none" stroke="#FFFFFF" stroke-width="1"/>')


def result_panel():
    return (panel(2, 2, 220, 260) + well(14, 86, 196, 90))


def choice(fill):
    return pill(1, 1, 96, 34, fill)


def write_all():
    # Every picture's definitions keep the light blade gradient the first shop pictures used.
    DEFS_EXTRA = '<linearGradient id="mistblade" x1="0" y1="0" x2="1" y2="0"><stop offset="0" stop-color="#D9D4EA"/><stop offset="1" stop-color="#FFFFFF"/></linearGradient>'
    global DEFS
    DEFS += DEFS_EXTRA
    svg("shop/shop_background.svg", 240, 320, "The shop's background. Anchor: centre (120, 160).", shop_background())
    svg("shop/achievement_background.svg", 240, 320, "The achievements' background. Anchor: left middle (0, 160).",
        achievement_background())
    svg("shop/back_button.svg", 94, 38, "The back button: an ember pill with a white arrow. Anchor: centre (46, 18).", back_button())
    svg("shop/buy_button.svg", 94, 38, "The buy button: a leaf pill with a coin. Anchor: bottom-right (92, 36).", buy_button())
    svg("shop/selection.svg", 62, 72, "The selection frame around an achievement. Anchor: centre (31, 36).", selection())
    for name, body in MEDALS.items():
        svg(f"shop/{name}.svg", 52, 58, f"Achievement picture {name}. Anchor: (26, 32).", body)
    svg("shop/coin.svg", 16, 16, "The coin, as the levels' money pick-up. Anchor: top-left.", coin(8, 8, 6.5))
    for name, body in WEAPONS:
        svg(f"shop/{name}.svg", 56, 56, f"Shop picture of {name}. Anchor: centre (28, 28).", body)
    svg("defeat/defeated_hero.svg", 100, 96, "The hero, defeated. Anchor: bottom centre (48, 94).", defeated_hero())
    svg("panel/panel_result.svg", 226, 266, "The result and game-over panel. Anchor: centre (112, 132).", result_panel())
    svg("panel/choice_map.svg", 100, 38, "A choice button (glass). Anchor: centre (49, 18).", choice("glass"))
    svg("panel/choice_go.svg", 100, 38, "A choice button (ember). Anchor: centre (49, 18).", choice("ember"))


def shop_description():
    pics = [{"name": "shop_background", "svg": "shop_background.svg", "anchor": [120, 160]},
            {"name": "achievement_background", "svg": "achievement_background.svg", "anchor": [0, 160]},
            {"name": "back_button", "svg": "back_button.svg", "anchor": [46, 18]},
            {"name": "buy_button", "svg": "buy_button.svg", "anchor": [92, 36]},
            {"name": "selection", "svg": "selection.svg", "anchor": [31, 36]},
            {"name": "coin", "svg": "coin.svg", "anchor": [0, 0]}]
    for name in MEDALS:
        pics.append({"name": name, "svg": f"{name}.svg", "anchor": [26, 32]})
    for name, _ in WEAPONS:
        pics.append({"name": name, "svg": f"{name}.svg", "anchor": [28, 28]})
    for k, s in enumerate([0.35, 0.6, 0.85, 0.6, 0.35]):
        pics.append({"name": f"coin_turn_{k}", "svg": "coin.svg", "scale": 1.0, "anchor": [0, 0]} if False else
                    {"name": f"coin_{k}", "svg": "coin.svg", "scale": s, "anchor": [7, 7]})

    def box(t, r):
        return {"type": t, "rect": r}

    # Shop layout, from the anchor (120, 160).
    shop = {"name": "shop", "modules": [{"gob": "shop_background"}], "boxes": [
        box(0, [-110, -142, 0, 0]) if False else box(0, [0, -142, 0, 0]),
        box(0, [70, -142, 0, 0]),
        box(0, [-106, -38, 212, 0]), box(0, [-106, -22, 212, 0]), box(0, [-106, -6, 212, 0]),
        box(0, [-106, 10, 212, 0]), box(0, [-106, 26, 212, 0]),
        box(0, [-64, 0, 0, 0]),
        box(1, [54, -42, 0, 0]), box(1, [-54, -66, 0, 0]),
        box(2, [-112, -20, 48, 40]), box(2, [64, -20, 48, 40])]}
    # The status line sits between the arrows; the captions start under them.
    shop["boxes"][7] = box(0, [-60, 0, 0, 0])
    for i, y in enumerate([40, 55, 70, 85, 100]):
        shop["boxes"][2 + i] = box(0, [-104, y, 208, 0])
    ach = {"name": "achievements", "modules": [{"gob": "achievement_background"}], "boxes": [
        box(0, [120, -142, 0, 0]), box(0, [20, 70, 200, 0])] +
        [box(1, [37 + 55 * i, -60, 0, 0]) for i in range(4)] +
        [box(2, [8, -12, 48, 40]), box(2, [184, -12, 48, 40])]}
    back_zone = [-112, 116, 92, 36]
    frames = [shop, ach]
    bob0 = [0, -1, -2, -2, -1, 0]
    bob1 = [0, -1, -2, -1, 0]
    for k, dy in enumerate(bob0):
        frames.append({"name": f"back_shop_{k}", "modules": [{"gob": "back_button", "x": -66, "y": 134 + dy}],
                       "boxes": [box(0, back_zone)]})
    for k, dy in enumerate(bob1):
        frames.append({"name": f"back_achievements_{k}", "modules": [{"gob": "back_button", "x": -66, "y": 134 + dy}],
                       "boxes": [box(0, back_zone)]})
    frames.append({"name": "selection", "modules": [{"gob": "selection"}]})
    frames.append({"name": "locked", "modules": [{"gob": "medal_locked"}]})
    for name in ["medal_great", "medal_perfect", "medal_untouched", "medal_arsenal"]:
        frames.append({"name": name, "modules": [{"gob": name}]})
    frames.append({"name": "buy_button", "modules": [{"gob": "buy_button", "x": -8, "y": -8}],
                   "boxes": [box(0, [-100, -44, 92, 36]), box(1, [-41, -26, 0, 0])]})
    for k in range(5):
        frames.append({"name": f"coin_turn_{k}", "modules": [{"gob": f"coin_{k}"}]})
    frames.append({"name": "coin", "modules": [{"gob": "coin"}]})
    for name, _ in WEAPONS:
        frames.append({"name": name, "modules": [{"gob": name}]})
    anims = [{"name": "back_shop", "loops": "forever", "frames": [{"frame": f"back_shop_{k}", "ms": 120} for k in range(6)]},
             {"name": "back_achievements", "loops": "forever",
              "frames": [{"frame": f"back_achievements_{k}", "ms": 140} for k in range(5)]}]
    desc = {"sheet": {"id": "0x816", "name": "SHOP_SHEET"}, "gobs": {"id": "0x811", "name": "SHOP_GOBS", "pictures": pics},
            "animsets": [{"id": "0x806", "name": "SHOP_SET", "frames": frames, "animations": anims}]}
    json.dump(desc, open("shop/shop.json", "w"), indent=1)


def defeat_description():
    frames = [{"name": f"unused_{k}"} for k in range(50)]
    frames.append({"name": "defeated", "modules": [{"gob": "defeated_hero"}]})
    desc = {"sheet": {"id": "0x1802", "name": "DEFEAT_SHEET"},
            "gobs": {"id": "0x1801", "name": "DEFEAT_GOBS",
                     "pictures": [{"name": "defeated_hero", "svg": "defeated_hero.svg", "anchor": [48, 94]}]},
            "animsets": [{"id": "0x1800", "name": "DEFEAT_SET", "frames": frames,
                          "animations": [{"name": "defeated", "loops": 1, "frames": [{"frame": "defeated", "ms": 100}]}]}]}
    json.dump(desc, open("defeat/defeat.json", "w"), indent=1)


if __name__ == "__main__":
    os.chdir(os.path.dirname(os.path.abspath(__file__)))
    write_all()
    shop_description()
    defeat_description()
