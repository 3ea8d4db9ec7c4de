#!/usr/bin/python3
"""wmsinfo_test.py: runs wmsinfo.exe under Wine on each row of a table and checks exit status, stderr and JSON.

Usage: wmsinfo_test.py --wine-run PATH --exe PATH --fixtures DIR --corpus DIR
Needs the loopback servers (CTest fixture loopback_servers). Prints one line per row; exits 1 if any failed.
The rows that run on a console give wmsinfo a terminal with script(1).
"""
import json
import os
import shlex
import subprocess
import sys
import tempfile

from row_table import Failure, arguments, expect_equal, fixture_ports, run_table
from wine_support import run_program, text

# Mostly characters of two, three and four UTF-8 bytes, so that the reader's pieces end inside them.
WIDE_TITLE = "Capa " + "\U0001F30A\u00d1\u20ac" * 12 + " \"comillas\" \\barra\\ </Title>"


def escaped_document(path):
    """A document whose texts need JSON escapes, with enough layers that the output is written in several
    blocks and characters outside the BMP fall across block boundaries."""
    title = WIDE_TITLE.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
    layers = "".join("<Layer><Name>l%d</Name><Title>%s %d</Title></Layer>" % (i, title, i) for i in range(3000))
    with open(path, "w", encoding="utf-8") as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n'
                '<WMS_Capabilities version="1.3.0" xmlns="http://www.opengis.net/wms"><Service><Name>WMS</Name>'
                '<Title>%s</Title><Abstract>tab\tand\r\nnew line</Abstract></Service><Capability>'
                '<Layer><Title>root</Title><CRS>EPSG:4326</CRS>%s</Layer></Capability></WMS_Capabilities>\n'
                % (title, layers))


def check_corpus_json(out):
    systems = ["EPSG:42304", "EPSG:42101", "EPSG:4269", "EPSG:4326"]
    road = {"name": "road", "title": "road", "srs": systems + ["EPSG:43204"], "layers": []}
    expect_equal("document read as", out, {
        "version": "1.3.0",
        "metadato": ["Test simple wms", "", "MapServer - Tom Kralidis - tomkralidis@xxxxxxx.xxx", "WMS 1.3.0"],
        "layers": [{"name": "WMS_TEST", "title": "My Layers", "srs": systems, "layers": [road]}]})


def check_escaped_json(out):
    expect_equal("title", out["metadato"][0], WIDE_TITLE)
    expect_equal("abstract", out["metadato"][1], "tab and new line")
    titles = [layer["title"] for layer in out["layers"][0]["layers"]]
    expect_equal("wrong titles", [t for i, t in enumerate(titles) if t != "%s %d" % (WIDE_TITLE, i)], [])
    expect_equal("layers", len(titles), 3000)


def rows(ctx):
    """(case, arguments, exit status, text stderr must hold, check of the JSON on stdout or None)."""
    http = "http://127.0.0.1:%d" % ctx["http"]
    mapserver = "http://127.0.0.1:%d/wms" % ctx["mapserver"]
    host = "127.0.0.1:%d" % ctx["http"]
    corpus = ctx["corpus"]
    usage = "usage: wmsinfo [--json] [--timeout SECONDS] ADDRESS"
    return [
        ("no address", [], 2, usage, None),
        ("unknown option", ["--verbose", mapserver], 2, "unknown option --verbose", None),
        ("timeout without seconds", ["--timeout"], 2, "--timeout needs a number of seconds", None),
        # Nadir's own failures are its tests'; here, that one reaches stderr alone, under --json too.
        ("--timeout reaches the connection", ["--json", "--timeout", "1", http + "/never-answers"], 1,
         host + " accepted the connection but did not answer within 1 s.", None),
        ("missing file", [os.path.join(corpus, "no-such-document.xml")], 1, "Cannot read", None),
        ("corpus document", ["--json", os.path.join(corpus, "mapserver__wms_cap130.xml")], 0, "", check_corpus_json),
        ("texts that need escapes", ["--json", ctx["escaped"]], 0, "", check_escaped_json),
        # The layer tree's JSON is check_corpus_json's: here, that a live server's answer comes out.
        ("MapServer", ["--json", "--timeout", "30", mapserver], 0, "",
         lambda out: expect_equal("metadato", out["metadato"][::3], ["Fixture WMS \u2014 R\u00edo de la Plata",
                                                                    "WMS 1.3.0"])),
        ("progress on a console", ["--timeout", "2", http + "/never-answers/wmsinfo"], 1,
         host + ": waiting for the answer, 1 s", None, True),
    ]


def run_on_a_console(args, options):
    """The program's output and error streams both on the terminal script(1) makes, read as one."""
    command = " ".join(shlex.quote(part) for part in [args.wine_run, args.exe] + options)
    environment = dict(os.environ, ORTUS_WINE_STDERR_AFTER="0")  # stderr on the terminal itself
    run = run_program(["script", "-qec", command, "/dev/null"], cwd=os.path.dirname(args.exe), env=environment)
    return subprocess.CompletedProcess(run.args, run.returncode, b"", run.stdout)


def run_row(args, options, status, in_stderr, check, console=False):
    if console:
        run = run_on_a_console(args, options)
    else:
        run = run_program([args.wine_run, args.exe] + options, cwd=os.path.dirname(args.exe))
    stderr = text(run.stderr)
    expect_equal("exit status (stderr: %s)" % stderr, run.returncode, status)
    if in_stderr not in stderr:
        raise Failure("stderr %r lacks %r" % (stderr, in_stderr))
    # Progress is for a person at a console, not for a pipe or a file.
    if not console and "waiting for the answer" in stderr:
        raise Failure("progress in stderr %r" % stderr)
    if status != 0:
        expect_equal("stdout on failure", run.stdout[:200], b"")
    if check:
        out = text(run.stdout)
        expect_equal("lines of JSON", (out.count("\n"), out.endswith("\n")), (1, True))
        check(json.loads(out))


def main():
    args = arguments(__doc__, "--wine-run", "--exe", "--fixtures", "--corpus")
    ctx = dict(fixture_ports(args.fixtures), corpus=args.corpus)
    with tempfile.TemporaryDirectory(prefix="wmsinfo_test.") as temporary:
        ctx["escaped"] = os.path.join(temporary, "escaped.xml")
        escaped_document(ctx["escaped"])
        return run_table(rows(ctx), lambda *row: run_row(args, *row), (ValueError, KeyError, IndexError, TypeError))


if __name__ == "__main__":
    sys.exit(main())
