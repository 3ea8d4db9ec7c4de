#!/usr/bin/python3
"""host_program_test.py: quasar.exe as its users run it: the exit status, what it prints on stdout (a windows
program's output reaches a pipe) and stderr, and where it leaves the catalogue.

Usage: host_program_test.py --wine-run PATH --exe PATH --fixtures DIR
Runs quasar.exe (--exe, in the build's bin/) once per row, in a scratch folder for its INI files; the
unattended rows ask the loopback MapServer (CTest fixture loopback_servers). Prints one line per row;
exits 1 if any failed."""
import os
import sys
import struct
import tempfile
import zlib

from row_table import Failure, arguments, expect_equal, fixture_ports, run_table
from wine_support import copy_of_bin, run_program, text, windows_path


def run(args, options, directory=None):
    exe = os.path.join(directory, os.path.basename(args.exe)) if directory else args.exe
    done = run_program([args.wine_run, exe] + options, cwd=args.scratch)
    return done.returncode, text(done.stdout), text(done.stderr)


def expect_in(what, text, wanted):
    if wanted not in text:
        raise Failure("%s lacks %r:\n%s" % (what, wanted, text))


def bin_without(args, left_out):
    """A copy of what quasar.exe needs from the build's bin/ but one of its files or folders."""
    extra = [entry for entry in ("quasar-epsg.tsv", "en-US", "es-ES", "help") if entry != left_out]
    return copy_of_bin(args.exe, tempfile.mkdtemp(dir=args.scratch), extra)


def png_colours(path):
    """Width, height and the number of distinct colours of a PNG as EscribePng writes them (8-bit RGB, one
    IDAT, no row filters)."""
    with open(path, "rb") as f:
        data = f.read()
    width, height = struct.unpack(">II", data[16:24])
    start = data.index(b"IDAT") + 4
    rows = zlib.decompress(data[start:start + struct.unpack(">I", data[start - 8:start - 4])[0]])
    stride = 1 + 3 * width
    return width, height, len({rows[y * stride + 1 + 3 * x:y * stride + 4 + 3 * x] for y in range(height) for x in range(width)})


def rows(args, mapserver, refused):
    def ini(name):
        return windows_path(os.path.join(args.scratch, name))

    def usage():
        status, out, err = run(args, ["--help"])
        expect_equal("exit status", status, 0)
        expect_in("stdout", out, "usage: quasar [OPTIONS]\n")
        expect_equal("stderr", err, "")

    def bad_argument():  # every message: host_test
        status, out, err = run(args, ["--colour"])
        expect_equal("exit status", status, 2)
        expect_equal("stderr", err, 'quasar: unknown option "--colour"\nTry quasar --help.\n')
        expect_equal("stdout", out, "")

    def chooses_mapserver():
        picture = os.path.join(args.scratch, "dialogo.png")
        status, out, err = run(args, ["--auto", "--ini", ini("auto.ini"), "--add", "Cerrado=" + refused,
                                      "--add", "MapServer=" + mapserver, "--screenshot", windows_path(picture)])
        expect_equal("exit status", status, 0)
        for line in ("Dialog ended with: OK\n", "Server:            MapServer\n", "Address:           %s\n" % mapserver,
                     "Layer:             rio_de_la_plata\n", "Reference system:  CRS:84\n",
                     "Catalogue stored:  INI file %s, section [ConexionWMS]\n" % ini("auto.ini")):
            expect_in("stdout", out, line)
        with open(os.path.join(args.scratch, "auto.ini"), encoding="utf-8", errors="replace") as stored:
            expect_in("the INI file", stored.read(), '"MapServer",%s\n' % mapserver)
        width, height, colours = png_colours(picture)
        # The dialog's frame, caption, controls and texts, not an empty window.
        if not (400 < width < 1200 and 400 < height < 1200 and colours > 20):
            raise Failure("a picture of %dx%d with %d colours" % (width, height, colours))

    def add_gives_a_known_name_its_new_address():
        run(args, ["--auto", "--ini", ini("otra.ini"), "--add", "MapServer=" + mapserver])
        moved = mapserver + "?otra=1"
        status, out, err = run(args, ["--auto", "--ini", ini("otra.ini"), "--add", "MapServer=" + moved,
                                      "--add", "Copia=" + moved])
        expect_equal("exit status", status, 0)
        expect_equal("stderr", err, "quasar: --add Copia: another server has the address %s\n" % moved)
        expect_in("stdout", out, "Address:           %s\n" % moved)
        with open(os.path.join(args.scratch, "otra.ini"), encoding="utf-8", errors="replace") as stored:
            lines = stored.read().splitlines()
        expect_equal("MapServer's lines", [l for l in lines if "MapServer" in l], ['URL4="MapServer",%s' % moved])
        expect_equal("Copia's lines", [l for l in lines if "Copia" in l], [])

    def cancels_without_layers():
        status, out, _ = run(args, ["--auto", "--ini", ini("cerrado.ini"), "--add", "Cerrado=" + refused])
        expect_equal("exit status", status, 4)
        expect_in("stdout", out, "Dialog ended with: Cancel\n")

    def no_dialog_without_modules():
        status, _, err = run(args, ["--auto"], bin_without(args, "en-US"))
        expect_equal("exit status", status, 3)
        expect_in("stderr", err, "ortus.dll.mui cannot be loaded: the dialogs have no templates\n")

    return [
        ("--help prints the usage", usage),
        ("a bad argument", bad_argument),
        ("--auto picks MapServer, prints the choice, stores it and --screenshot writes the dialog's picture",
         chooses_mapserver),
        ("--add of a known name gives it the new address; a taken address is refused", add_gives_a_known_name_its_new_address),
        ("--auto with no server that has layers cancels", cancels_without_layers),
        ("no English module: no dialog", no_dialog_without_modules),
    ]


def main():
    args = arguments(__doc__, "--wine-run", "--exe", "--fixtures")
    ports = fixture_ports(args.fixtures)
    mapserver, refused = ("http://127.0.0.1:%d/wms" % ports[name] for name in ("mapserver", "refused"))
    with tempfile.TemporaryDirectory(prefix="host_program_test.") as scratch:
        args.scratch = scratch
        return run_table(rows(args, mapserver, refused), lambda row: row(), (OSError, UnicodeDecodeError, ValueError))


if __name__ == "__main__":
    sys.exit(main())
