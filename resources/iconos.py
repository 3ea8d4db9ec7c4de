#!/usr/bin/env python3
"""iconos.py: draws the icons of the resource modules pixel by pixel and writes them as .ico files.

Usage: iconos.py OUTPUT_DIR [--preview PNG]

Each icon is drawn separately at 16x16 and 32x32 (never scaled), as a grid of characters below whose
palette gives each character a colour with alpha. --preview also writes a sheet of every image,
enlarged eight times and at its real size, over a checkerboard, to look at the pixels.

  conecta_url.ico  the connection dialog: a globe with a server in front of it
  url.ico          the server entry editor: a server with a pencil
"""
import argparse
import os
import struct
import zlib

PALETTE = {
    ".": (0, 0, 0, 0),
    # globe
    "K": (22, 70, 138, 255),    # outline
    "k": (22, 70, 138, 120),    # outline, half covered
    "B": (30, 110, 196, 255),   # ocean, shaded side
    "b": (58, 142, 222, 255),   # ocean
    "h": (140, 198, 246, 255),  # ocean, lit side
    "m": (190, 226, 252, 255),  # meridians and parallels
    "n": (118, 178, 236, 255),  # meridians on the shaded side
    # server
    "S": (52, 58, 68, 255),     # outline and unit borders
    "w": (236, 239, 243, 255),  # front, upper edge
    "s": (200, 206, 214, 255),  # front
    "d": (156, 164, 175, 255),  # front, lower edge
    "x": (92, 100, 112, 255),   # drive slots
    "L": (36, 196, 84, 255),    # power light
    "a": (255, 170, 30, 255),   # activity light
    # pencil
    "O": (112, 72, 16, 255),    # outline
    "y": (255, 222, 110, 255),  # body, lit side
    "Y": (244, 180, 24, 255),   # body
    "P": (232, 112, 132, 255),  # eraser
    "p": (246, 162, 176, 255),  # eraser, lit side
    "M": (176, 180, 190, 255),  # ferrule
    "T": (240, 208, 160, 255),  # sharpened wood
    "N": (48, 48, 56, 255),     # graphite
}

CONECTA_URL_16 = [
    "....KKKKK.......",
    "...KmhmbmK......",
    "..KhmhmbmbK.....",
    ".KmmmmmmmmnK....",
    "KhhmbbmbbnbbK...",
    "KhhmbbmbbnbbK...",
    "KmmmmmmnnnnnK...",
    "KbbmbbnbbnBBK...",
    "Kbbmbbnb........",
    ".Kmmnnnn.SSSSSSS",
    "..KbnbnB.SwwwwwS",
    "...KnbnB.SLaxxsS",
    "....KKKK.SSSSSSS",
    ".........SwwwwwS",
    ".........SLaxxsS",
    ".........SSSSSSS",
]

CONECTA_URL_32 = [
".........KKKKKKK................",
    ".......KKhmhmhmbKK..............",
    ".....KKhhmhhmbbmbbKK............",
    "....KhhhmhhhmbbbmbbbK...........",
    "...KhhhhmhhbmbbbmbbbbK..........",
    "..KmmmmmmmmmmmmmmmmmmmK.........",
    "..KhhhhmhbbbmbbbbmbbbbK.........",
    ".KhhhhhmbbbbmbbbbmbbbbbK........",
    ".KhhhhmbbbbbmbbbbbmbbbbK........",
    "KhhhhhmbbbbbmbbbbbmbbbbbK.......",
    "KhhhhbmbbbbbmbbbbbmbbbbbK.......",
    "KhhhbbmbbbbbmbbbbbmbbbbBK.......",
    "KmmmmmmmmmmmmmmmmmnnnnnnK.......",
    "KhbbbbmbbbbbmbbbbbnbbBBBK.......",
    "KbbbbbmbbbbbmbbbbbnbBBBBK.......",
    "Kbbbbbmbbbbbmbb.................",
    ".Kbbbbmbbbbbmbb.SSSSSSSSSSSSSSSS",
    ".Kbbbbbmbbbbmbb.SwwwwwwwwwwwwwwS",
    "..Kbbbbmbbbbnbb.SLLsaasxxxxxxxsS",
    "..Kmmmmmmmmnnnn.SLLsaasxxxxxxxsS",
    "...KbbbbmbbbnbB.SddddddddddddddS",
    "....KbbbmbbbnBB.SSSSSSSSSSSSSSSS",
    ".....KKbbnbbnBB.SwwwwwwwwwwwwwwS",
    ".......KKbnBnBn.SLLsaasxxxxxxxsS",
    ".........KKKKKK.SLLsaasxxxxxxxsS",
    "................SddddddddddddddS",
    "................SSSSSSSSSSSSSSSS",
    "................SwwwwwwwwwwwwwwS",
    "................SLLsaasxxxxxxxsS",
    "................SLLsaasxxxxxxxsS",
    "................SddddddddddddddS",
    "................SSSSSSSSSSSSSSSS",
]

URL_16 = [
    "................",
    "................",
    "SSSSSSSSSSS.....",
    "SwwwwwwwwwS...OO",
    "SLaxxxxxxsS..OpP",
    "SdddddddddS.OMMO",
    "SSSSSSSSSS.OyYMO",
    "Swwwwwwww.OyYYO.",
    "SLaxxxxx.OyYYO..",
    "Sddddddd.OyYO...",
    "SSSSSSSS.OTTO...",
    "Swwwwww.OTTO....",
    "SLaxxxx.ONO.....",
    "Sddddddd.O......",
    "SSSSSSSSS.......",
    "................",
]

URL_32 = [
    "................................",
    "................................",
    "................................",
    "SSSSSSSSSSSSSSSSSSSSSS..........",
    "SwwwwwwwwwwwwwwwwwwwwS..........",
    "SssssssssssssssssssssS.....OOO..",
    "SsLLsaasxxxxxxxxxxxssS....OpPPO.",
    "SsLLsaasxxxxxxxxxxxssS...OppPPPO",
    "SddddddddddddddddddddS...OpPPPPO",
    "SSSSSSSSSSSSSSSSSSSSSS.OMMPPPO..",
    "Swwwwwwwwwwwwwwwwwwww.OMMMMPO...",
    "Ssssssssssssssssssss.OyMMMMO....",
    "SsLLsaasxxxxxxxxxxx.OyyYMMO.....",
    "SsLLsaasxxxxxxxxxx.OyyYYYO......",
    "Sddddddddddddddddd.OyyYYYO......",
    "SSSSSSSSSSSSSSSSS.OyyYYYO.......",
    "Swwwwwwwwwwwwwww.OyyYYYO........",
    "Ssssssssssssssss.OyYYYO.........",
    "SsLLsaasxxxxxxx.OyyYYYO.........",
    "SsLLsaasxxxxxx.OyyYYYO..........",
    "Sdddddddddddd.OyyYYYO...........",
    "SSSSSSSSSSSSS.OTyYYO............",
    "Swwwwwwwwwww.OTTTYO.............",
    "Ssssssssssss.OTTTTO.............",
    "SsLLsaasxxx.OTTTTO..............",
    "SsLLsaasxxx.ONNTO...............",
    "Sddddddddd.ONNNO................",
    "SSSSSSSSSS.ONNO.................",
    "...........NO...................",
    "................................",
    "................................",
    "................................",
]

ICONS = {
    "conecta_url": [CONECTA_URL_16, CONECTA_URL_32],
    "url": [URL_16, URL_32],
}


def pixels(grid):
    """Rows of RGBA tuples, top row first."""
    size = len(grid)
    assert all(len(row) == size for row in grid), "an icon grid must be square"
    return [[PALETTE[ch] for ch in row] for row in grid]


def ico_image(grid):
    """One 32-bit icon image: BITMAPINFOHEADER (double height), BGRA rows bottom-up, AND mask."""
    size = len(grid)
    rows = pixels(grid)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = (size + 31) // 32 * 4
    mask = b""
    for row in reversed(rows):
        bits = 0
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits |= 1 << (mask_stride * 8 - 1 - x)
        mask += bits.to_bytes(mask_stride, "big")
    return header + colour + mask


def ico_file(grids):
    images = [ico_image(grid) for grid in grids]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for grid, image in zip(grids, images):
        out += struct.pack("<BBBBHHII", len(grid), len(grid), 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


def png_file(rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\0" + bytes(channel for pixel in row for channel in pixel) for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def checkerboard(x, y):
    return 255 if (x // 4 + y // 4) % 2 else 204


def over(pixel, back):
    r, g, b, a = pixel
    return tuple((c * a + back * (255 - a)) // 255 for c in (r, g, b)) + (255,)


def preview_sheet(icons, scale=8, gap=8):
    """One row per icon: each size enlarged, then each size at its real size, on a checkerboard."""
    rows = []
    for grids in icons:
        tiles = [(pixels(grid), scale) for grid in grids] + [(pixels(grid), 1) for grid in grids]
        height = max(len(tile) * factor for tile, factor in tiles)
        width = sum(len(tile) * factor + gap for tile, factor in tiles)
        sheet = [[(255, 255, 255, 255)] * width for _ in range(height + gap)]
        left = 0
        for tile, factor in tiles:
            for y in range(len(tile) * factor):
                for x in range(len(tile) * factor):
                    sheet[y][left + x] = over(tile[y // factor][x // factor], checkerboard(x, y))
            left += len(tile) * factor + gap
        rows += sheet
    return rows


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("output_dir")
    parser.add_argument("--preview", metavar="PNG", help="also write a sheet of the images to this file")
    args = parser.parse_args()
    os.makedirs(args.output_dir, exist_ok=True)
    for name, grids in ICONS.items():
        with open(os.path.join(args.output_dir, name + ".ico"), "wb") as f:
            f.write(ico_file(grids))
    if args.preview:
        with open(args.preview, "wb") as f:
            f.write(png_file(preview_sheet(ICONS.values())))


if __name__ == "__main__":
    main()
