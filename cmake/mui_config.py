#!/usr/bin/env python3
"""mui_config.py: writes the MUI resource configuration record (resource "MUI" 1) of a main module
(ortus.dll, ortusc.dll, NadirSockets.dll, NadirWMS.dll) or of one of its language resource modules (NAME.mui).

Usage: mui_config.py OUTPUT MAJOR_VERSION [--module NAME] [--language LANG]

Without --language the record marks the module as a language-neutral main module whose user-interface
resources live in language modules, with en-US as the ultimate fallback language: outside it for
ortus.dll, inside it as well for the Nadir libraries, which keep their English strings so that a
missing language folder never loses a message. With --language it marks a language-specific module
holding those resources in LANG (e.g. es-ES). Both carry the same checksum, which is how the loader
pairs a main module with its language modules.

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
FALLBACK_LOCATION_INTERNAL = 1  # the main file holds the fallback language's resources too
FALLBACK_LOCATION_EXTERNAL = 2  # the fallback language's resources are not in the main file
HEADER_SIZE = 132

MAIN_NAME_TYPES = ["MUI"]
FALLBACK_LANGUAGE = "en-US"
RT_STRING = 6


class Module:
    def __init__(self, product, main_ids, ui_ids, fallback_location):
        self.product = product        # named in the checksum
        self.main_ids = main_ids      # ID types the main module holds besides this record
        self.ui_ids = ui_ids          # ID types the language modules hold
        self.fallback_location = fallback_location


MODULES = {
    # RT_VERSION, RT_MANIFEST; RT_ICON, RT_DIALOG, RT_STRING, RT_GROUP_ICON.
    "ortus": Module("Ortus", [16, 24], [3, 5, 6, 14], FALLBACK_LOCATION_EXTERNAL),
    # RT_DIALOG (the wait's window) and RT_STRING.
    "NadirSockets": Module("NadirSockets", [5, RT_STRING], [5, RT_STRING], FALLBACK_LOCATION_INTERNAL),
    "NadirWMS": Module("NadirWMS", [RT_STRING], [RT_STRING], FALLBACK_LOCATION_INTERNAL),
    # RT_VERSION, RT_MANIFEST; RT_STRING (the messages of the C interface).
    "ortusc": Module("OrtusC", [16, 24], [RT_STRING], FALLBACK_LOCATION_EXTERNAL),
}


def multi_string(names):
    return "".join(name + "\0" for name in names).encode("utf-16-le") + b"\0\0" if names else b""


def id_list(ids):
    return struct.pack(f"<{len(ids)}I", *ids)


def language_name(name):
    return (name + "\0").encode("utf-16-le") if name else b""


def checksum(module, major):
    # The main module and its language modules of the same major version carry the same value.
    return hashlib.md5(f"{module.product} {major}".encode("utf-16-le")).digest()


def main_module_blocks(module):
    return [multi_string(MAIN_NAME_TYPES), id_list(module.main_ids), b"", id_list(module.ui_ids),
            b"",  # language: a main module names only its fallback
            language_name(FALLBACK_LANGUAGE)]


def language_module_blocks(module, language):
    return [b"", b"", multi_string(["MUI"]), id_list(module.ui_ids), language_name(language), b""]


def build(major, language=None, module_name="ortus"):
    module = MODULES[module_name]
    if language:
        blocks = language_module_blocks(module, language)
        file_type, fallback_location = FILE_TYPE_LANGUAGE_SPECIFIC, 0
    else:
        blocks = main_module_blocks(module)
        file_type, fallback_location = FILE_TYPE_LANGUAGE_NEUTRAL_MAIN, module.fallback_location
    data = b""
    pairs = []
    for block in blocks:
        if block:
            pairs += [HEADER_SIZE + len(data), len(block)]
            data += block + b"\0" * (-len(block) % 8)
        else:
            pairs += [0, 0]
    size = HEADER_SIZE + len(data)
    digest = checksum(module, major)
    header = struct.pack("<7I", SIGNATURE, size, VERSION, 0, file_type, 0, fallback_location)
    header += digest + digest + b"\0" * 24 + struct.pack("<12I", *pairs)
    assert len(header) == HEADER_SIZE
    return header + data


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("output")
    parser.add_argument("major")
    parser.add_argument("--module", choices=sorted(MODULES), default="ortus",
                        help="the main module the record is for, or whose language module it is (default ortus)")
    parser.add_argument("--language", help="write a language module's record for this language (e.g. es-ES)")
    args = parser.parse_args()
    with open(args.output, "wb") as f:
        f.write(build(args.major, args.language, args.module))


if __name__ == "__main__":
    main()
