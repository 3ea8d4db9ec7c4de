#!/usr/bin/python3
"""host_program_test.py: quasar.exe as its users run it: the exit status, what it prints on stdout (a windows
program's output reaches a pipe) and stderr, and where it leaves the catalogue.

Usage: host_program_test.py --wine-run PATH --exe PATH --fixtures DIR
Runs quasar.exe (--exe, in the build's bin/) once per row, in a scratch folder for its INI files; the
unattended rows ask the loopback MapServer (CTest fixture loopback_servers). Prints one line per row;
exits 1 if any failed."""
import argparse
import glob
import os
import shutil
import subprocess
import sys
import struct
import tempfile
import zlib

from row_table import Failure, expect_equal, run_table

RUN_LIMIT = 60


def run(args, arguments, directory=None):
    exe = os.path.join(directory, os.path.basename(args.exe)) if directory else args.exe
    try:
        done = subprocess.run([args.wine_run, exe] + arguments, stdin=subprocess.DEVNULL, capture_output=True,
                              timeout=RUN_LIMIT, cwd=args.scratch)
    except subprocess.TimeoutExpired:
        raise Failure("no exit within %d s" % RUN_LIMIT)
    decode = lambda b: b.decode("utf-8", errors="strict").replace("\r\n", "\n")
    return done.returncode, decode(done.stdout), decode(done.stderr)


def expect_in(what, text, wanted):
    if wanted not in text:
        raise Failure("%s lacks %r:\n%s" % (what, wanted, text))


def bin_without(args, left_out):
    """A copy of what quasar.exe needs from the build's bin/ (Nadir's assembly folders among it), but one of its
    files or folders."""
    copy = tempfile.mkdtemp(dir=args.scratch)
    source = os.path.dirname(args.exe)
    wanted = [os.path.basename(args.exe), "quasar-epsg.tsv", "en-US", "es-ES", "help"]
    libraries = glob.glob(os.path.join(source, "*.dll"))
    assemblies = [os.path.dirname(p) for p in glob.glob(os.path.join(source, "*", "*.manifest"))]
    for entry in wanted + [os.path.basename(p) for p in libraries + assemblies]:
        if entry == left_out:
            continue
        path = os.path.join(source, entry)
        (shutil.copytree if os.path.isdir(path) else shutil.copy2)(path, os.path.join(copy, entry))
    return copy


def png_colours(path):
    """Width, height and the number of distinct colours of a PNG as EscribePng writes them (8-bit RGB, one
    IDAT, no row filters)."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise Failure("%s is not a PNG file" % path)
    width, height = struct.unpack(">II", data[16:24])
    start = data.index(b"IDAT") + 4
    length = struct.unpack(">I", data[start - 8:start - 4])[0]
    rows = zlib.decompress(data[start:start + length])
    stride = 1 + 3 * width
    colours = {rows[y * stride + 1 + 3 * x:y * stride + 4 + 3 * x] for y in range(height) for x in range(width)}
    return width, height, len(colours)


def rows(args, mapserver, refused):
    def ini(name):
        return "Z:" + os.path.join(args.scratch, name).replace("/", "\\")

    def usage():
        status, out, err = run(args, ["--help"])
        expect_equal("exit status", status, 0)
        expect_in("stdout", out, "usage: quasar [OPTIONS]\n")
        expect_equal("stderr", err, "")

    def bad_argument(arguments, message):
        def row():
            status, out, err = run(args, arguments)
            expect_equal("exit status", status, 2)
            expect_equal("stderr", err, "quasar: %s\nTry quasar --help.\n" % message)
            expect_equal("stdout", out, "")
        return row

    def chooses_mapserver():
        status, out, err = run(args, ["--auto", "--ini", ini("auto.ini"), "--add", "Cerrado=" + refused,
                                      "--add", "MapServer=" + mapserver])
        expect_equal("exit status", status, 0)
        for line in ("Dialog ended with: OK\n", "Server:            MapServer\n", "Address:           %s\n" % mapserver,
                     "Layer:             rio_de_la_plata\n",
                     "Catalogue stored:  INI file %s, section [ConexionWMS]\n" % ini("auto.ini")):
            expect_in("stdout", out, line)
        with open(os.path.join(args.scratch, "auto.ini"), encoding="utf-8", errors="replace") as stored:
            expect_in("the INI file", stored.read(), '"MapServer",%s\n' % mapserver)

    def takes_the_picture():
        picture = os.path.join(args.scratch, "dialogo.png")
        status, out, err = run(args, ["--auto", "--ini", ini("foto.ini"), "--add", "MapServer=" + mapserver,
                                      "--screenshot", "Z:" + picture.replace("/", "\\")])
        expect_equal("exit status", status, 0)
        expect_in("stdout", out, "Dialog ended with: OK\n")
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

    def own_list_without_table():
        status, out, err = run(args, ["--auto", "--ini", ini("sin-tabla.ini"), "--add", "MapServer=" + mapserver],
                               bin_without(args, "quasar-epsg.tsv"))
        expect_equal("exit status", status, 0)
        expect_in("stderr", err, "quasar-epsg.tsv cannot be read; reference systems are named from the host's own list of 12.\n")
        expect_in("stdout", out, "Dialog ended with: OK\n")

    def no_dialog_without_modules():
        status, _, err = run(args, ["--auto"], bin_without(args, "en-US"))
        expect_equal("exit status", status, 3)
        expect_in("stderr", err, "ortus.dll.mui cannot be loaded: the dialogs have no templates\n")

    return [
        ("--help prints the usage", usage),
        ("an unknown option", bad_argument(["--colour"], 'unknown option "--colour"')),
        ("a missing value", bad_argument(["--auto", "--ini"], "--ini needs the name of an INI file")),
        ("a rule between options", bad_argument(["--screenshot", "a.png"],
                                                "--screenshot needs --auto: the picture is taken just before the host presses OK")),
        ("--auto picks MapServer, prints the choice and stores it", chooses_mapserver),
        ("--add of a known name gives it the new address; a taken address is refused", add_gives_a_known_name_its_new_address),
        ("--auto with no server that has layers cancels", cancels_without_layers),
        ("--screenshot writes the dialog's picture", takes_the_picture),
        ("no EPSG table: the host's own list, said on stderr", own_list_without_table),
        ("no English module: no dialog", no_dialog_without_modules),
    ]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    for option in ("--wine-run", "--exe", "--fixtures"):
        parser.add_argument(option, required=True, type=os.path.abspath)
    args = parser.parse_args()
    with open(os.path.join(args.fixtures, "ports.txt")) as f:
        ports = {name: int(port) for name, port in (line.split() for line in f)}
    with open(os.path.join(args.fixtures, "mapserver.port")) as f:
        mapserver = "http://127.0.0.1:%d/wms" % int(f.read())
    refused = "http://127.0.0.1:%d/wms" % ports["refused"]
    with tempfile.TemporaryDirectory(prefix="host_program_test.") as scratch:
        args.scratch = scratch
        return run_table(rows(args, mapserver, refused), lambda row: row(), (OSError, UnicodeDecodeError))


if __name__ == "__main__":
    sys.exit(main())
