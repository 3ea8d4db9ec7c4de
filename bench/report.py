#!/usr/bin/python3
"""report.py: the Markdown tables of bench/run.sh from what it left in its work directory.

Usage: report.py WORK_DIR DOCUMENT...
Reads startup.json (hyperfine, start-up alone), fixed.inprocess (fetch_bench on a 7 KB document) and,
per document: DOCUMENT (its bytes), DOCUMENT.json (hyperfine: ours, wmsinfo, owslib, gdal),
DOCUMENT.COMMAND.kb (/usr/bin/time %M) and DOCUMENT.inprocess (fetch_bench's RESULT line).
"""
import json
import os
import sys


def milliseconds(seconds, size):
    return "%.0f ms (%.1f MB/s)" % (seconds * 1e3, size / 1e6 / seconds)


def megabytes(size):
    return "%.1f MB" % (size / 1e6)


def load(work, name):
    with open(os.path.join(work, name + ".json")) as f:
        times = {r["command"]: r["mean"] for r in json.load(f)["results"]}
    memory = {}
    for command in times:
        with open(os.path.join(work, "%s.%s.kb" % (name, command))) as f:
            memory[command] = int(f.read().split()[-1]) * 1024
    with open(os.path.join(work, name + ".inprocess")) as f:
        inprocess = {k: float(v) for k, v in (item.split("=") for item in f.read().split()[1:])}
    return os.path.getsize(os.path.join(work, name)), times, memory, inprocess


def main():
    work, names = sys.argv[1], sys.argv[2:]
    rows = [(name,) + load(work, name) for name in names]

    print("### Time (mean of the runs; MB/s = document size / time)\n")
    print("| document | size | ours in-process | ours, whole process under Wine | wmsinfo --json, whole "
          "| OWSLib | GDAL | OWSLib ÷ ours (in-process, whole) | GDAL ÷ ours (in-process, whole) |")
    print("|---|---|---|---|---|---|---|---|---|")
    for name, size, t, m, p in rows:
        ours = p["median_s"]
        print("| %s | %s | %s | %s | %s | %s | %s | %.1f×, %.1f× | %.1f×, %.1f× |" % (
            name, megabytes(size), milliseconds(ours, size), milliseconds(t["ours"], size),
            milliseconds(t["wmsinfo"], size), milliseconds(t["owslib"], size), milliseconds(t["gdal"], size),
            t["owslib"] / ours, t["owslib"] / t["ours"], t["gdal"] / ours, t["gdal"] / t["ours"]))

    with open(os.path.join(work, "startup.json")) as f:
        startup = {r["command"]: r["mean"] for r in json.load(f)["results"]}
    print("| start-up alone | | | %.0f ms (Wine) | | %.0f ms (Python, OWSLib imported) | %.0f ms | | |" % (
        startup["ours"] * 1e3, startup["owslib"] * 1e3, startup["gdal"] * 1e3))

    with open(os.path.join(work, "fixed.inprocess")) as f:
        fixed = float(dict(item.split("=") for item in f.read().split()[1:])["peak_bytes"])
    print("\n### Peak memory\n")
    print("Ours in-process: the peak working set during the first CreaClienteWMS, less the working set just "
          "before it. A 7 KB document raises it by %s (code pages touched for the first time, WinHTTP's "
          "own state): that part does not grow with the document.\n" % megabytes(fixed))
    print("| document | size | ours in-process | the same less the fixed part | ours, whole process "
          "| wmsinfo --json | OWSLib | GDAL | OWSLib ÷ ours (whole) | GDAL ÷ ours (whole) |")
    print("|---|---|---|---|---|---|---|---|---|---|")
    for name, size, t, m, p in rows:
        print("| %s | %s | %s = %.2f× the document | %.2f× | %s | %s | %s | %s | %.1f× | %.1f× |" % (
            name, megabytes(size), megabytes(p["peak_bytes"]), p["peak_bytes"] / size,
            (p["peak_bytes"] - fixed) / size, megabytes(m["ours"]), megabytes(m["wmsinfo"]),
            megabytes(m["owslib"]), megabytes(m["gdal"]), m["owslib"] / m["ours"], m["gdal"] / m["ours"]))

    print("\n### Where our in-process time goes (medians)\n")
    print("| document | CreaClienteWMS | fetch | normalise | XmlLite walk and tree | "
          "GetSRS on every layer (not in CreaClienteWMS) |")
    print("|---|---|---|---|---|---|")
    for name, size, t, m, p in rows:
        print("| %s | %.0f ms | %.0f ms | %.0f ms | %.0f ms | %.0f ms for %d systems |" % (
            name, p["median_s"] * 1e3, p["fetch_s"] * 1e3, p["normalise_s"] * 1e3,
            (p["read_s"] - p["normalise_s"]) * 1e3, p["walk_s"] * 1e3, p["systems"]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
