#!/usr/bin/python3
"""assembly_binding_test.py: ortus.dll reaches Nadir's libraries only through the side-by-side assemblies its
manifest binds, never through the DLL search path.

Usage: assembly_binding_test.py --wine-run PATH --exe PATH
Runs carga_ortus.exe (--exe), which prints where each Nadir library loaded from or the loader's error, once per
row in a copy of bin/ whose only Nadir DLLs are in the assembly folders, each row changing one thing in the copy.
Prints one line per row; exits 1 if any failed.
"""
import os
import re
import shutil
import sys
import tempfile

from row_table import Failure, arguments, expect_equal, run_table
from wine_support import copy_of_bin, run_program, text, windows_path

ASSEMBLIES = {"NadirSockets.dll": "Nadir.Sockets", "NadirWMS.dll": "Nadir.WMS"}
# A load that fails for a missing dependency: ERROR_MOD_NOT_FOUND (Wine, which drops an activation context it
# cannot build), ERROR_SXS_CANT_GEN_ACTCTX (Windows).
LOAD_ERRORS = {"error 126", "error 14001"}


def assembly_manifest(layout, assembly):
    return os.path.join(layout, assembly, assembly + ".manifest")


def stray_library(layout):
    """Another module under NadirWMS.dll's name in the host's folder, the first place the search path looks."""
    shutil.copy2(os.path.join(layout, "vectra.dll"), os.path.join(layout, "NadirWMS.dll"))


def other_version(layout):
    """Nadir.WMS's manifest one major version on from what ortus.dll binds."""
    path = assembly_manifest(layout, "Nadir.WMS")
    with open(path) as f:
        text = f.read()
    bumped, count = re.subn(r'(name="Nadir\.WMS" version=")(\d+)', lambda m: m.group(1) + str(int(m.group(2)) + 1),
                            text)
    expect_equal("Nadir.WMS identities in its manifest", count, 1)
    with open(path, "w") as f:
        f.write(bumped)


def rows():
    """(case, change to the copy of bin/ or None, whether ortus.dll loads)."""
    return [
        ("as built: each library from its assembly's folder", None, True),
        ("a stray NadirWMS.dll in the host's folder does not take the assembly's place", stray_library, True),
        ("Nadir.WMS at a version ortus.dll does not bind: no load", other_version, False),
    ]


def run_row(args, change, loads, temporary):
    layout = copy_of_bin(args.exe, tempfile.mkdtemp(dir=temporary))
    if change:
        change(layout)
    environment = dict(os.environ)
    environment.pop("WINEPATH", None)  # the search path is the host's folder and the system's, nothing more
    run = run_program([args.wine_run, os.path.join(layout, os.path.basename(args.exe))], cwd=layout,
                      env=environment)
    lines = text(run.stdout, "replace").splitlines()
    if not loads:
        if run.returncode != 1 or len(lines) != 1 or lines[0] not in LOAD_ERRORS:
            raise Failure("ortus.dll loaded or failed otherwise: exit status %d, %r" % (run.returncode, lines))
        return
    if run.returncode != 0:
        raise Failure("exit status %d: %r" % (run.returncode, lines))
    expect_equal("libraries loaded", lines,
                 ["%s %s" % (library, windows_path(os.path.join(layout, assembly, library)))
                  for library, assembly in ASSEMBLIES.items()])


def main():
    args = arguments(__doc__, "--wine-run", "--exe")
    with tempfile.TemporaryDirectory(prefix="assembly_binding_test.") as temporary:
        return run_table(rows(), lambda *row: run_row(args, *row, temporary), (OSError,))


if __name__ == "__main__":
    sys.exit(main())
