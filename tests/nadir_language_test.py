#!/usr/bin/python3
"""nadir_language_test.py: Nadir's messages come in the UI language of the host's thread, from the language
modules beside the libraries in their assembly folders, else in English.

Usage: nadir_language_test.py --wine-run PATH --exe PATH --fixtures DIR --locales DIR
Runs idioma_nadir.exe once per row, under the row's locale too (Wine 8 takes the language from LC_MESSAGES),
with the loopback servers up. Prints one line per row; exits 1 if any failed.
"""
import os
import sys
import tempfile

from row_table import Failure, arguments, expect_equal, fixture_ports, run_table
from wine_support import copy_of_bin, environment_in, run_program, text

ALL_MODULES = ["Nadir.Sockets/en-US/NadirSockets.dll.mui", "Nadir.WMS/en-US/NadirWMS.dll.mui",
               "Nadir.Sockets/es-ES/NadirSockets.dll.mui", "Nadir.WMS/es-ES/NadirWMS.dll.mui"]


def addresses(ports):
    return ["http://127.0.0.1:%d/wms" % ports["refused"], "http://127.0.0.1:%d/wms/exception/idioma" % ports["http"]]


# Per language, how the message of each address starts: NadirSockets' for the first, NadirWMS's for the second
# (the whole English texts are the C++ suites'). {refused} and {http} stand for the fixture server's ports.
MESSAGES = {
    "en-US": ["Cannot connect to 127.0.0.1:{refused}: the connection was refused",
              "127.0.0.1:{http}: the server answered with an exception: InvalidParameterValue"],
    "es-ES": ["No se puede conectar con 127.0.0.1:{refused}: la conexi\u00f3n se ha rechazado",
              "127.0.0.1:{http}: el servidor respondi\u00f3 con una excepci\u00f3n: InvalidParameterValue"],
}


def rows():
    """(case, thread language, modules beside the libraries, languages of NadirSockets' and NadirWMS's messages)."""
    return [
        ("es-ES: Spanish", "es-ES", ALL_MODULES, "es-ES", "es-ES"),
        ("fr-FR, which has no modules: en-US's English", "fr-FR", ALL_MODULES, "en-US", "en-US"),
        ("es-ES with NadirWMS's Spanish module alone: each library on its own", "es-ES",
         ["Nadir.WMS/es-ES/NadirWMS.dll.mui"], "en-US", "es-ES"),
    ]


def run_row(args, ports, language, modules, sockets, wms, temporary):
    expected = [m.format(**ports) for m in MESSAGES[sockets][:1] + MESSAGES[wms][1:]]
    # The build's bin/ when every module is wanted, else a copy with those modules only.
    directory = os.path.dirname(args.exe)
    if sorted(modules) != sorted(ALL_MODULES):
        directory = copy_of_bin(args.exe, tempfile.mkdtemp(dir=temporary), modules)
    run = run_program([args.wine_run, os.path.join(directory, os.path.basename(args.exe)), language] +
                      addresses(ports), cwd=directory, env=environment_in(args.locales, language))
    if run.returncode != 0:
        raise Failure("exit status %d: %s" % (run.returncode, text(run.stderr, "replace")))
    lines = text(run.stdout).splitlines()
    if not lines or lines[0] != "language: " + language:
        raise Failure("the thread's UI language is not %s: %r" % (language, lines[:1]))
    expect_equal("messages", [line[:len(start)] for line, start in zip(lines[1:], expected)], expected)


def main():
    args = arguments(__doc__, "--wine-run", "--exe", "--fixtures", "--locales")
    ports = fixture_ports(args.fixtures)
    with tempfile.TemporaryDirectory(prefix="nadir_language_test.") as temporary:
        return run_table(rows(), lambda *row: run_row(args, ports, *row, temporary), (OSError, UnicodeDecodeError))


if __name__ == "__main__":
    sys.exit(main())
