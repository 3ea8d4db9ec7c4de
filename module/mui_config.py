#!/usr/bin/env python3
"""mui_config.py: writes the MUI resource configuration record of ortus.dll (resource "MUI" 1).

Usage: mui_config.py OUTPUT MAJOR_VERSION

The record marks the file as a language-neutral main module whose user-interface resources live
outside it, with en-US as the ultimate fallback language. Layout (little-endian DWORDs): signature,
size, version, path type, file type, system attributes, fallback location, service checksum (16),
checksum (16), 6 reserved DWORDs (MUI path offset/size among them), then offset/size pairs for the
main name types, main ID types, MUI name types, MUI ID types, language and fallback language;
132 bytes in all, followed by the data the pairs point at.
"""
import hashlib
import struct
import sys

SIGNATURE = 0xFECDFECD
VERSION = 0x10000
# The file type as stored: 0x10 plus the bit GetFileMUIInfo reports as
# MUI_FILETYPE_LANGUAGE_NEUTRAL_MAIN (stored bits are that constant shifted right by one).
FILE_TYPE_LANGUAGE_NEUTRAL_MAIN = 0x11
FALLBACK_LOCATION_EXTERNAL = 2  # the fallback language's resources are not in this file
HEADER_SIZE = 132

MAIN_NAME_TYPES = ["MUI"]
MAIN_ID_TYPES = [16, 24]  # RT_VERSION, RT_MANIFEST: all the file holds besides this record
FALLBACK_LANGUAGE = "en-US"


def multi_string(names):
    return "".join(name + "\0" for name in names).encode("utf-16-le") + b"\0\0"


def checksum(major):
    # The language resource module of the same major version carries the same value.
    return hashlib.md5(f"Ortus {major}".encode("utf-16-le")).digest()


def build(major):
    blocks = [
        multi_string(MAIN_NAME_TYPES),
        struct.pack(f"<{len(MAIN_ID_TYPES)}I", *MAIN_ID_TYPES),
        b"",  # MUI name types
        b"",  # MUI ID types
        b"",  # language: an LN file names only its fallback
        (FALLBACK_LANGUAGE + "\0").encode("utf-16-le"),
    ]
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
    header = struct.pack("<7I", SIGNATURE, size, VERSION, 0, FILE_TYPE_LANGUAGE_NEUTRAL_MAIN, 0,
                         FALLBACK_LOCATION_EXTERNAL)
    header += digest + digest + b"\0" * 24 + struct.pack("<12I", *pairs)
    assert len(header) == HEADER_SIZE
    return header + data


def main():
    output, major = sys.argv[1], sys.argv[2]
    with open(output, "wb") as f:
        f.write(build(major))


if __name__ == "__main__":
    main()
