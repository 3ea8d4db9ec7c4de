#!/usr/bin/env python3
"""mui_config.py: writes the MUI resource configuration record (resource "MUI" 1) of ortus.dll or of
one of its language resource modules ortus.dll.mui.

Usage: mui_config.py OUTPUT MAJOR_VERSION [--language LANG]

Without --language the record marks ortus.dll as a language-neutral main module whose user-interface
resources live outside it, with en-US as the ultimate fallback language. With --language it marks a
language-specific module holding those resources in LANG (e.g. es-ES). Both carry the same checksum,
which is how the loader pairs a main module with its language modules.

Layout (little-endian DWORDs): signature, size, version, path type, file type, system attributes,
fallback location, service checksum (16), checksum (16), 6 reserved DWORDs (MUI path offset/size
among them), then offset/size pairs for the main name types, main ID types, MUI name types, MUI ID
types, language and fallback language; 132 bytes in all, followed by the data the pairs point at.
"""
import argparse
import hashlib
import struct

SIGNATURE = 0xFECDFECD
VERSION = 0x10000
# The file types as stored: 0x10 plus the bit GetFileMUIInfo reports (MUI_FILETYPE_LANGUAGE_NEUTRAL_MAIN
# 2, MUI_FILETYPE_LANGUAGE_NEUTRAL_MUI 4) shifted right by one.
FILE_TYPE_LANGUAGE_NEUTRAL_MAIN = 0x11
FILE_TYPE_LANGUAGE_SPECIFIC = 0x12
FALLBACK_LOCATION_EXTERNAL = 2  # the fallback language's resources are not in the main file
HEADER_SIZE = 132

MAIN_NAME_TYPES = ["MUI"]
MAIN_ID_TYPES = [16, 24]  # RT_VERSION, RT_MANIFEST: all ortus.dll holds besides this record
UI_ID_TYPES = [3, 5, 6, 14]  # RT_ICON, RT_DIALOG, RT_STRING, RT_GROUP_ICON: the language modules' share
FALLBACK_LANGUAGE = "en-US"


def multi_string(names):
    return "".join(name + "\0" for name in names).encode("utf-16-le") + b"\0\0" if names else b""


def id_list(ids):
    return struct.pack(f"<{len(ids)}I", *ids)


def language_name(name):
    return (name + "\0").encode("utf-16-le") if name else b""


def checksum(major):
    # The main module and its language modules of the same major version carry the same value.
    return hashlib.md5(f"Ortus {major}".encode("utf-16-le")).digest()


def main_module_blocks():
    return [multi_string(MAIN_NAME_TYPES), id_list(MAIN_ID_TYPES), b"", id_list(UI_ID_TYPES),
            b"",  # language: a main module names only its fallback
            language_name(FALLBACK_LANGUAGE)]


def language_module_blocks(language):
    return [b"", b"", multi_string(["MUI"]), id_list(UI_ID_TYPES), language_name(language), b""]


def build(major, language=None):
    if language:
        blocks = language_module_blocks(language)
        file_type, fallback_location = FILE_TYPE_LANGUAGE_SPECIFIC, 0
    else:
        blocks = main_module_blocks()
        file_type, fallback_location = FILE_TYPE_LANGUAGE_NEUTRAL_MAIN, FALLBACK_LOCATION_EXTERNAL
    data = b""
    pairs = []
    for block in blocks:
        if block:
            pairs += [HEADER_SIZE + len(data), len(block)]
            data += block + b"\0" * (-len(block) % 8)
        else:
            pairs += [0, 0]
    size = HEADER_SIZE + len(data)
    digest = checksum(major)
    header = struct.pack("<7I", SIGNATURE, size, VERSION, 0, file_type, 0, fallback_location)
    header += digest + digest + b"\0" * 24 + struct.pack("<12I", *pairs)
    assert len(header) == HEADER_SIZE
    return header + data


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("output")
    parser.add_argument("major")
    parser.add_argument("--language", help="write a language module's record for this language (e.g. es-ES)")
    args = parser.parse_args()
    with open(args.output, "wb") as f:
        f.write(build(args.major, args.language))


if __name__ == "__main__":
    main()
