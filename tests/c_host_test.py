#!/usr/bin/python3
"""c_host_test.py: the C host of ortusc.dll (tests/fixtures/anfitrion_c), built for the MSVC ABI with clang and
lld-link and with mingw-w64 GCC from one source: what each imports, and a run of the MSVC-ABI one from an INI file
through the connection dialog, driven to OK by the host's own timer against the loopback MapServer, back to the
file (the C interface's own cases, the host's callbacks among them: capi_test).

Usage: c_host_test.py --wine-run PATH --msvc PATH --mingw PATH --objdump PATH --fixtures DIR
Prints one line per row (and the MSVC-ABI host's output); exits 1 if any row failed."""
import os
import re
import subprocess
import sys
import tempfile

from row_table import Failure, arguments, expect_equal, fixture_ports, run_table
from wine_support import run_program

RUN_LIMIT = 90  # the host cancels by itself after 60 s
SECTION = "Servidores"
SYSTEM_DLLS = {"KERNEL32.dll", "USER32.dll", "SHELL32.dll"}


def check_imports(args, exe):
    """Win32's own DLLs and ortusc.dll: no C runtime (msvcrt, ucrtbase, vcruntime), no GCC runtime."""
    dump = subprocess.run([args.objdump, "-p", exe], capture_output=True, check=True, timeout=60).stdout.decode()
    expect_equal("imported DLLs", sorted(re.findall(r"DLL Name: (\S+)", dump)), sorted(SYSTEM_DLLS | {"ortusc.dll"}))


def run_host(args, exe):
    """The host's output lines and the INI file it leaves, after a run from a catalogue of two servers: the first
    slow enough for Nadir's wait window to show over the host while the dialog asks it."""
    slow = "http://127.0.0.1:%d/steady?rate=1024&seconds=1&VERSION=1.3.0" % fixture_ports(args.fixtures)["http"]
    mapserver = "http://127.0.0.1:%d/wms" % fixture_ports(args.fixtures)["mapserver"]
    with tempfile.TemporaryDirectory(prefix="c_host_test.") as scratch:
        ini = os.path.join(scratch, "catalogo.ini")
        with open(ini, "w", encoding="utf-16") as f:
            f.write('[%s]\r\nURL1="Lento",%s\r\nURL2="MapServer",%s\r\n' % (SECTION, slow, mapserver))
        environment = dict(os.environ, LC_MESSAGES="C.UTF-8")
        environment.pop("LC_ALL", None)
        try:
            run = run_program([args.wine_run, exe, "Z:" + ini.replace("/", "\\"), SECTION], RUN_LIMIT,
                              cwd=os.path.dirname(exe), env=environment)
        except subprocess.TimeoutExpired:
            raise Failure("no exit within %d s" % RUN_LIMIT)
        output = run.stdout.decode("utf-8").replace("\r\n", "\n")
        if run.returncode != 0:
            raise Failure("exit status %d\n%s%s" % (run.returncode, output, run.stderr.decode(errors="replace")))
        with open(ini, "rb") as f:
            stored = f.read()
        stored = stored.decode("utf-16" if stored.startswith(b"\xff\xfe") else "utf-8").splitlines()
    return output.splitlines(), stored, mapserver


def check_run(args, exe):
    lines, stored, mapserver = run_host(args, exe)
    print("\n".join("  " + line for line in lines))
    expect_equal("output", lines, [
        "ortusc.dll 1.0.0",
        "servers read: 2",
        "dialog: OK",
        "server: MapServer " + mapserver,
        "layers offered: 3, reference systems: 6",
        "layer rio_de_la_plata, reference system CRS:84, output file C:\\mapas\\valle.tif, load option 1",
        "catalogue written back"])
    for wanted in ("SeleccionURL=1", "SeleccionCapa=rio_de_la_plata", "SeleccionSR=CRS:84", "ArchivoSalida=C:\\mapas\\valle.tif",
                   "Cargar=1", 'URL2="MapServer",' + mapserver):
        if wanted not in stored:
            raise Failure("the INI file lacks %r: %r" % (wanted, stored))


def main():
    args = arguments(__doc__, "--wine-run", "--msvc", "--mingw", "--objdump", "--fixtures")
    rows = [
        ("the MSVC-ABI host imports Win32 and ortusc.dll, no runtime", check_imports, args.msvc),
        ("the mingw-w64 GCC host imports the same", check_imports, args.mingw),
        ("the MSVC-ABI host: INI, dialog driven to OK on MapServer, choice, INI", check_run, args.msvc),
    ]
    return run_table(rows, lambda check, exe: check(args, exe), (OSError, subprocess.SubprocessError))


if __name__ == "__main__":
    sys.exit(main())
