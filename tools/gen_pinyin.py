#!/usr/bin/env python3
"""Generates src/master/PinyinTable.cpp, the reading table of the pinyin initials.

The table has one entry per GBK double-byte position, lead byte 0x81..0xFE
(126 rows) by trail byte 0x40..0xFE (191 columns): the upper-case initial of
the character's Mandarin reading, or a space where there is none.

Where the initials come from:
  * GB2312 level 1 (0xB0A1..0xD7F9) is ordered by pinyin, so the initial follows
    from the code range the character lies in; a few characters are sorted by
    another reading than the one we use, and two have none (LEVEL1_EXCEPTIONS).
  * GB2312 level 2 and the GBK extension areas (lead 0x81..0xA0; trail
    0x40..0xA0 under lead 0xAA..0xFE): the first letter of the first (most
    common) reading in the go-pinyin dictionary shipped by the Debian package
    golang-github-mozillazg-go-pinyin-dev. A compatibility ideograph without an
    entry of its own takes the reading of the ideograph it stands for.
  * Symbol rows, the GBK symbol area and the user-defined areas: no readings.

Byte positions are mapped to characters with Python's "gbk" codec, which agrees
with glibc's GBK converter (the one the program uses) on every position.

Usage:
  tools/gen_pinyin.py            write the table and print the coverage per area
  tools/gen_pinyin.py --check    fail if the committed table differs from a fresh one
"""

import argparse
import os
import re
import sys
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
DEFAULT_DICT = "/usr/share/gocode/src/github.com/mozillazg/go-pinyin/pinyin_dict.go"
DEFAULT_OUT = os.path.join(ROOT, "src", "master", "PinyinTable.cpp")

LEAD_FIRST, LEAD_LAST = 0x81, 0xFE
TRAIL_FIRST, TRAIL_LAST = 0x40, 0xFE
COLUMNS = TRAIL_LAST - TRAIL_FIRST + 1  # 191
ROWS = LEAD_LAST - LEAD_FIRST + 1       # 126
NONE = " "

# GB2312 level 1: first code of each initial; the last one runs to 0xD7F9.
LEVEL1_FIRST, LEVEL1_LAST = 0xB0A1, 0xD7F9
LEVEL1_RANGES = [
    ("A", 0xB0A1), ("B", 0xB0C5), ("C", 0xB2C1), ("D", 0xB4EE), ("E", 0xB6EA),
    ("F", 0xB7A2), ("G", 0xB8C1), ("H", 0xB9FE), ("J", 0xBBF7), ("K", 0xBFA6),
    ("L", 0xC0AC), ("M", 0xC2E8), ("N", 0xC4C3), ("O", 0xC5B6), ("P", 0xC5BE),
    ("Q", 0xC6DA), ("R", 0xC8BB), ("S", 0xC8F6), ("T", 0xCBFA), ("W", 0xCDDA),
    ("X", 0xCEF4), ("Y", 0xD1B9), ("Z", 0xD4D1),
]

# Level-1 characters whose reading differs from the one they are sorted by
# (None: no reading at all).
LEVEL1_EXCEPTIONS = {
    "耙": "P", "辟": "P", "长": "Z", "匙": "S", "幢": "Z", "翟": "Z", "调": "T",
    "囤": "T", "佛": None, "脯": "P", "蛤": "H", "给": None, "夯": "B", "貉": "M",
    "槛": "K", "侥": "Y", "咯": "G", "瀑": "B", "刹": "C", "宿": "X", "厦": "S",
    "挟": "J", "行": "H", "畜": "C", "吁": "X", "曾": "C", "栅": "S",
}

# The reading kept for common characters that have several.
CHOSEN_READINGS = {
    "重": "Z", "单": "D", "解": "J", "朴": "P", "仇": "C", "藏": "C", "还": "H",
    "会": "H", "觉": "J", "角": "J", "薄": "B", "乐": "L", "区": "Q", "沈": "S",
    "率": "L", "嗯": "E",
}

# Characters outside level 1 that keep a fixed entry whatever the dictionary says.
OTHER_OVERRIDES = {"髟": None}

# Characters whose initials must come out as given (a check on the dictionary).
TELLING = {
    "婷": "T", "昊": "H", "琦": "Q", "钰": "Y", "璐": "L", "曦": "X", "淼": "M", "鑫": "X",
    "喆": "Z", "堃": "K", "犇": "B", "垚": "Y", "彧": "Y",
    "玥": "Y", "赟": "Y", "祎": "Y", "頔": "D", "镕": "R",
}


def code(lead, trail):
    return lead << 8 | trail


def in_level1(lead, trail):
    return 0xB0 <= lead <= 0xD7 and 0xA1 <= trail <= 0xFE and code(lead, trail) <= LEVEL1_LAST


def in_level2(lead, trail):
    return 0xD8 <= lead <= 0xF7 and 0xA1 <= trail <= 0xFE


def in_gbk3(lead, trail):
    return 0x81 <= lead <= 0xA0 and trail != 0x7F


def in_gbk4(lead, trail):
    return 0xAA <= lead <= 0xFE and 0x40 <= trail <= 0xA0 and trail != 0x7F


AREAS = [
    ("GB2312 level 1 (B0A1-D7F9)", in_level1),
    ("GB2312 level 2 (D8A1-F7FE)", in_level2),
    ("GBK extension, lead 81-A0", in_gbk3),
    ("GBK extension, trail 40-A0 under lead AA-FE", in_gbk4),
    ("symbol rows A1-A9 (trail A1-FE)", lambda l, t: 0xA1 <= l <= 0xA9 and 0xA1 <= t <= 0xFE),
    ("GBK symbol area A840-A9A0", lambda l, t: 0xA8 <= l <= 0xA9 and 0x40 <= t <= 0xA0 and t != 0x7F),
    ("user-defined AAA1-AFFE", lambda l, t: 0xAA <= l <= 0xAF and 0xA1 <= t <= 0xFE),
    ("user-defined F8A1-FEFE", lambda l, t: 0xF8 <= l <= 0xFE and 0xA1 <= t <= 0xFE),
    ("user-defined A140-A7A0", lambda l, t: 0xA1 <= l <= 0xA7 and 0x40 <= t <= 0xA0 and t != 0x7F),
]
READING_AREAS = 4  # the first four carry readings, the others must stay empty


def gbk_bytes(ch):
    b = ch.encode("gbk")
    assert len(b) == 2, ch
    return b[0], b[1]


def char_at(lead, trail):
    try:
        s = bytes([lead, trail]).decode("gbk")
    except UnicodeDecodeError:
        return None
    return s if len(s) == 1 and ord(s) >= 0x80 else None


def level1_initial(lead, trail):
    c = code(lead, trail)
    letter = None
    for initial, first in LEVEL1_RANGES:
        if c >= first:
            letter = initial
    return letter


def load_dictionary(path):
    try:
        with open(path, encoding="utf-8") as f:
            text = f.read()
    except OSError as e:
        sys.exit(f"gen_pinyin: cannot read the reading list {path}: {e}\n"
                 "(install golang-github-mozillazg-go-pinyin-dev, or pass --dict)")
    readings = {}
    for m in re.finditer(r"0x([0-9A-Fa-f]+):\s*\"([^\"]*)\"", text):
        readings[int(m.group(1), 16)] = m.group(2)
    if len(readings) < 20000:
        sys.exit(f"gen_pinyin: {path} holds only {len(readings)} readings; is it the right file?")
    return readings


def first_letter(readings, ch):
    """Upper-case first letter of the first reading of ch, or None."""
    for cand in (ch, unicodedata.normalize("NFC", ch)):
        entry = readings.get(ord(cand))
        if not entry:
            continue
        syllable = entry.split(",")[0].strip()
        # Tone marks (and the ü, ê, ń, m̀ forms) decompose into a base letter
        # plus combining marks.
        base = "".join(c for c in unicodedata.normalize("NFD", syllable) if not unicodedata.combining(c))
        if base and "a" <= base[0].lower() <= "z":
            return base[0].upper()
    return None


def build(readings):
    table = [NONE] * (ROWS * COLUMNS)
    level1_exc = {gbk_bytes(ch): v for ch, v in LEVEL1_EXCEPTIONS.items()}
    other = {gbk_bytes(ch): v for ch, v in OTHER_OVERRIDES.items()}
    for ch, v in CHOSEN_READINGS.items():
        pos = gbk_bytes(ch)
        if in_level1(*pos):
            # Level 1 already sorts these under the reading we keep.
            if level1_initial(*pos) != v:
                sys.exit(f"gen_pinyin: {ch} sorts under {level1_initial(*pos)}, not {v}")
        else:
            other[pos] = v

    disagreements = 0
    for lead in range(LEAD_FIRST, LEAD_LAST + 1):
        for trail in range(TRAIL_FIRST, TRAIL_LAST + 1):
            pos = (lead, trail)
            if in_level1(lead, trail):
                letter = level1_exc[pos] if pos in level1_exc else level1_initial(lead, trail)
                ch = char_at(lead, trail)
                if ch is not None and pos not in level1_exc and first_letter(readings, ch) != letter:
                    disagreements += 1
            elif in_level2(lead, trail) or in_gbk3(lead, trail) or in_gbk4(lead, trail):
                if pos in other:
                    letter = other[pos]
                else:
                    ch = char_at(lead, trail)
                    letter = first_letter(readings, ch) if ch else None
            else:
                letter = None
            table[(lead - LEAD_FIRST) * COLUMNS + (trail - TRAIL_FIRST)] = letter or NONE

    for ch, want in TELLING.items():
        lead, trail = gbk_bytes(ch)
        got = table[(lead - LEAD_FIRST) * COLUMNS + (trail - TRAIL_FIRST)]
        if got != want:
            sys.exit(f"gen_pinyin: {ch} ({lead:02X}{trail:02X}) gives {got!r}, expected {want}")
    return "".join(table), disagreements


def coverage(table):
    lines = []
    for i, (name, inside) in enumerate(AREAS):
        positions = chars = read = 0
        for lead in range(LEAD_FIRST, LEAD_LAST + 1):
            for trail in range(TRAIL_FIRST, TRAIL_LAST + 1):
                if not inside(lead, trail):
                    continue
                positions += 1
                chars += char_at(lead, trail) is not None
                read += table[(lead - LEAD_FIRST) * COLUMNS + (trail - TRAIL_FIRST)] != NONE
        if i >= READING_AREAS and read:
            sys.exit(f"gen_pinyin: {name} should have no readings but has {read}")
        lines.append(f"  {name:45s} {read:5d} readings / {chars:5d} characters / {positions:5d} positions")
    return lines


def render(table):
    out = [
        "// Generated by tools/gen_pinyin.py; do not edit, run the script again.",
        "// The initial of the Mandarin reading of every GBK double-byte position:",
        "// one row per lead byte 0x81..0xFE, one letter per trail byte 0x40..0xFE,",
        "// a space where the position has no reading.",
        "#include \"master/IMCode.h\"",
        "",
        "namespace PinyinTable {",
        "",
        "const char kInitials[kRows * kColumns + 1] =",
    ]
    for r in range(ROWS):
        row = table[r * COLUMNS:(r + 1) * COLUMNS]
        out.append(f"    /* {LEAD_FIRST + r:02X} */ \"{row}\"")
    out[-1] += ";"
    out += ["", "} // namespace PinyinTable", ""]
    return "\n".join(out)


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--dict", default=DEFAULT_DICT, help="go-pinyin's pinyin_dict.go")
    ap.add_argument("--out", default=DEFAULT_OUT, help="the C++ source to write")
    ap.add_argument("--check", action="store_true", help="compare with --out instead of writing it")
    args = ap.parse_args()

    table, disagreements = build(load_dictionary(args.dict))
    text = render(table)
    print("Pinyin reading table coverage:")
    print("\n".join(coverage(table)))
    print(f"  level-1 range initials that differ from the dictionary's first reading: {disagreements}")

    if args.check:
        try:
            with open(args.out, encoding="utf-8") as f:
                current = f.read()
        except OSError:
            current = None
        if current != text:
            sys.exit(f"gen_pinyin: {args.out} is not up to date")
        print(f"{args.out} is up to date")
        return
    with open(args.out, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)
    print(f"wrote {args.out}")


if __name__ == "__main__":
    main()
