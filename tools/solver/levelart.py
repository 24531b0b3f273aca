#!/usr/bin/env python3
"""Level art: writes a level file from a picture in letters, or prints a
level file as letters.

    levelart.py to-bkg ART OUT.bkg    ART: ten lines of fourteen letters (the
                                      playable cells; the border is added)
    levelart.py to-art LEVEL.bkg      prints the playable cells as letters

Letters: . empty  : earth  * diamond  E egg  a/b key A/B  A/B locked diamond
A/B  P player  C chaser  H chaser home  O rock  # wall (97)  = wall (135)
& wall (136)  W weed  1-5 teleport entrance  6-9,0 teleport exit 1-5
x/y/z hazard 1-3  X book
"""
import sys

CODES = {'.': 0, ':': 1, '*': 6, 'E': 12, 'a': 20, 'b': 21, 'A': 22, 'B': 23,
         'P': 24, 'C': 64, 'H': 68, 'O': 77, '#': 97, '=': 135, '&': 136,
         'W': 104, '1': 105, '2': 106, '3': 107, '4': 108, '5': 109,
         '6': 110, '7': 111, '8': 112, '9': 113, '0': 114,
         'x': 130, 'y': 131, 'z': 132, 'X': 134}
LETTERS = {v: k for k, v in CODES.items()}


def border(cell):
    return {0: 128, 15: 129, 176: 98, 191: 99}.get(cell, 127)


def to_bkg(art_path, out_path):
    rows = [line.rstrip('\n') for line in open(art_path) if line.strip() and not line.startswith(';')]
    if len(rows) != 10 or any(len(r) != 14 for r in rows):
        sys.exit(f"{art_path}: need 10 rows of 14 letters, got {[len(r) for r in rows]}")
    codes = []
    for cell in range(192):
        col, row = cell % 16, cell // 16
        if col in (0, 15) or row in (0, 11):
            codes.append(border(cell))
        else:
            letter = rows[row - 1][col - 1]
            if letter not in CODES:
                sys.exit(f"{art_path}: unknown letter {letter!r} in row {row}")
            codes.append(CODES[letter])
    with open(out_path, 'w', newline='') as out:
        out.write(''.join(f"{c}\r\n" for c in codes))


def to_art(path):
    codes = [int(line) for line in open(path).read().split()]
    for row in range(1, 11):
        print(''.join(LETTERS.get(codes[row * 16 + col], '?') for col in range(1, 15)))


if __name__ == '__main__':
    if len(sys.argv) == 4 and sys.argv[1] == 'to-bkg':
        to_bkg(sys.argv[2], sys.argv[3])
    elif len(sys.argv) == 3 and sys.argv[1] == 'to-art':
        to_art(sys.argv[2])
    else:
        sys.exit(__doc__)
