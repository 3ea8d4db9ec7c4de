#!/usr/bin/python3
"""wmsinfo_test.py: runs wmsinfo.exe under Wine on each row of a table and checks exit status, stderr and JSON.

Usage: wmsinfo_test.py --wine-run PATH --exe PATH --fixtures DIR --corpus DIR
Needs the loopback servers (CTest fixture loopback_servers). Prints one line per row; exits 1 if any failed.
"""
import argparse
import json
import os
import subprocess
import sys
import tempfile

# Each run of wmsinfo is cut off after this long: a hang fails the row instead of the whole suite.
RUN_LIMIT = 60

# Mostly characters of two, three and four UTF-8 bytes, so that the reader's pieces end inside them.
WIDE_TITLE = "Capa " + "\U0001F30A\u00d1\u20ac" * 12 + " \"comillas\" \\barra\\ </Title>"


def escaped_document(path):
    """A document whose texts need JSON escapes, with enough layers that the output is written in several
    blocks and characters outside the BMP fall across block boundaries."""
    def xml(text):
        return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
    layers = "".join("<Layer><Name>l%d</Name><Title>%s %d</Title></Layer>" % (i, xml(WIDE_TITLE), i)
                     for i in range(3000))
    document = ('<?xml version="1.0" encoding="UTF-8"?>\n'
                '<WMS_Capabilities version="1.3.0" xmlns="http://www.opengis.net/wms"><Service><Name>WMS</Name>'
                '<Title>%s</Title><Abstract>tab\tand\r\nnew line</Abstract></Service><Capability>'
                '<Layer><Title>root</Title><CRS>EPSG:4326</CRS>%s</Layer></Capability></WMS_Capabilities>\n'
                % (xml(WIDE_TITLE), layers))
    with open(path, "w", encoding="utf-8") as f:
        f.write(document)


def leaves(layer):
    if not layer["layers"]:
        return [layer]
    return [leaf for child in layer["layers"] for leaf in leaves(child)]


def names_depth_first(layer):
    return [layer["name"]] + [name for child in layer["layers"] for name in names_depth_first(child)]


def check_mapserver_json(out):
    root = out["layers"][0]
    expect(out["version"] == "1.3.0", "version %r" % out["version"])
    expect(out["metadato"] == ["Fixture WMS \u2014 R\u00edo de la Plata", "Loopback WMS for Ortus tests.", "",
                               "WMS 1.3.0"], "metadato %r" % out["metadato"])
    expect(names_depth_first(root) == ["ortus_fixture", "agua", "hidrografia", "rio_de_la_plata", "", "fauna",
                                       "\u00d1and\u00fa"], "names %r" % names_depth_first(root))
    # ortus.map: systems stated at the root, in the groups agua and hidrografia, and in rio_de_la_plata.
    expect([leaf["srs"] for leaf in leaves(root)] == [
        ["EPSG:4326", "EPSG:3857", "CRS:84", "EPSG:22185", "EPSG:32721", "EPSG:5347"],
        ["EPSG:4326", "EPSG:3857", "CRS:84", "EPSG:22185", "EPSG:32721"],
        ["EPSG:4326", "EPSG:3857", "CRS:84"]], "leaf systems %r" % [leaf["srs"] for leaf in leaves(root)])


def check_corpus_json(out):
    expect(out == {"version": "1.3.0",
                   "metadato": ["Test simple wms", "", "MapServer - Tom Kralidis - tomkralidis@xxxxxxx.xxx",
                                "WMS 1.3.0"],
                   "layers": [{"name": "WMS_TEST", "title": "My Layers",
                               "srs": ["EPSG:42304", "EPSG:42101", "EPSG:4269", "EPSG:4326"],
                               "layers": [{"name": "road", "title": "road",
                                           "srs": ["EPSG:42304", "EPSG:42101", "EPSG:4269", "EPSG:4326",
                                                   "EPSG:43204"],
                                           "layers": []}]}]},
           "document read as %r" % out)


def check_empty_json(out):
    expect(out["layers"] == [], "layers %r" % out["layers"])
    expect(out["version"] == "1.3.0", "version %r" % out["version"])


def check_escaped_json(out):
    expect(out["metadato"][0] == WIDE_TITLE, "title %r" % out["metadato"][0])
    expect(out["metadato"][1] == "tab and new line", "abstract %r" % out["metadato"][1])
    titles = [layer["title"] for layer in out["layers"][0]["layers"]]
    expect(titles == ["%s %d" % (WIDE_TITLE, i) for i in range(3000)],
           "%d titles, first wrong one: %r" % (len(titles), next(
               (t for i, t in enumerate(titles) if t != "%s %d" % (WIDE_TITLE, i)), None)))


class Failure(Exception):
    pass


def expect(condition, message):
    if not condition:
        raise Failure(message)


def rows(ctx):
    """(case, arguments, exit status, text stderr must hold, check of the JSON on stdout or None)."""
    http = "http://127.0.0.1:%d" % ctx["http"]
    mapserver = "http://127.0.0.1:%d/wms" % ctx["mapserver"]
    host = "127.0.0.1:%d" % ctx["http"]
    corpus = ctx["corpus"]
    usage = "usage: wmsinfo [--json] [--timeout SECONDS] ADDRESS"
    return [
        ("no address", [], 2, usage, None),
        ("two addresses", ["a.xml", "b.xml"], 2, usage, None),
        ("unknown option", ["--verbose", mapserver], 2, "unknown option --verbose", None),
        ("timeout without seconds", ["--timeout"], 2, "--timeout needs a number of seconds", None),
        ("timeout of zero", ["--timeout", "0", mapserver], 2, "--timeout needs a number of seconds", None),
        ("timeout not a number", ["--timeout", "soon", mapserver], 2, usage, None),
        ("server answers 404", ["--json", http + "/wms/status-404/wmsinfo"], 1, host + ": HTTP 404 Not Found", None),
        ("server sends HTML", [http + "/html-200"], 1,
         host + " sent an HTML page, not a WMS capabilities document. Older WMS versions failed too.", None),
        ("connection refused", ["--json", "http://127.0.0.1:%d/wms" % ctx["refused"]], 1,
         "the connection was refused", None),
        ("--timeout reaches the connection", ["--timeout", "1", http + "/never-answers"], 1,
         host + " accepted the connection but did not answer within 1 s.", None),
        ("other scheme", ["ftp://127.0.0.1/wms"], 1, "only http:// and https:// addresses can be asked", None),
        ("missing file", [os.path.join(corpus, "no-such-document.xml")], 1, "Cannot read", None),
        ("exception document", [os.path.join(corpus, "mapserver__wms_exception_updatesequence1.xml")], 1,
         "the server answered with an exception: CurrentUpdateSequence", None),
        ("corpus document", ["--json", os.path.join(corpus, "mapserver__wms_cap130.xml")], 0, "", check_corpus_json),
        ("document without layers", ["--json", os.path.join(corpus, "mapserver__wms_empty_cap130.xml")], 0, "",
         check_empty_json),
        ("texts that need escapes", ["--json", ctx["escaped"]], 0, "", check_escaped_json),
        ("MapServer", ["--json", "--timeout", "30", mapserver], 0, "", check_mapserver_json),
        ("MapServer without a scheme", ["--json", mapserver[len("http://"):]], 0, "", check_mapserver_json),
    ]


def run_row(args, case, arguments, status, in_stderr, check):
    try:
        run = subprocess.run([args.wine_run, args.exe] + arguments, stdin=subprocess.DEVNULL,
                             capture_output=True, timeout=RUN_LIMIT, cwd=os.path.dirname(args.exe))
    except subprocess.TimeoutExpired:
        raise Failure("no exit within %d s" % RUN_LIMIT)
    stderr = run.stderr.decode("utf-8", errors="strict")
    expect(run.returncode == status, "exit status %d, expected %d; stderr: %s" % (run.returncode, status, stderr))
    expect(in_stderr in stderr, "stderr %r lacks %r" % (stderr, in_stderr))
    if status != 0:
        expect(run.stdout == b"", "stdout not empty on failure: %r" % run.stdout[:200])
    if check:
        text = run.stdout.decode("utf-8", errors="strict")
        expect(text.endswith("\n") and text.count("\n") == 1, "not one line of JSON")
        check(json.loads(text))


def read_ports(fixtures):
    ports = {}
    with open(os.path.join(fixtures, "ports.txt")) as f:
        for line in f:
            name, port = line.split()
            ports[name] = int(port)
    with open(os.path.join(fixtures, "mapserver.port")) as f:
        ports["mapserver"] = int(f.read())
    return ports


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--wine-run", required=True)
    parser.add_argument("--exe", required=True)
    parser.add_argument("--fixtures", required=True)
    parser.add_argument("--corpus", required=True)
    args = parser.parse_args()
    args.wine_run, args.exe = os.path.abspath(args.wine_run), os.path.abspath(args.exe)
    ctx = read_ports(args.fixtures)
    ctx["corpus"] = os.path.abspath(args.corpus)
    failed = 0
    with tempfile.TemporaryDirectory(prefix="wmsinfo_test.") as temporary:
        ctx["escaped"] = os.path.join(temporary, "escaped.xml")
        escaped_document(ctx["escaped"])
        for case, arguments, status, in_stderr, check in rows(ctx):
            try:
                run_row(args, case, arguments, status, in_stderr, check)
                print("ok      %s" % case)
            except (Failure, ValueError, KeyError, IndexError, TypeError) as e:
                failed += 1
                print("FAILED  %s: %s" % (case, e))
    print("%d of %d rows failed" % (failed, len(rows(ctx))))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
