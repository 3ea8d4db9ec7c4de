#!/usr/bin/python3
"""report.py: the Markdown tables of bench/run.sh from what it left in its work directory.

Usage: report.py WORK_DIR PACED_DOCUMENT DOCUMENT...
Reads startup.json (hyperfine, start-up alone), fixed.inprocess and fixed-thread.inprocess (fetch_bench
on a 7 KB document, read on the caller's thread and on a second one) and,
per document: DOCUMENT (its bytes), DOCUMENT.json (hyperfine: ours, wmsinfo, owslib, gdal),
DOCUMENT.COMMAND.kb (/usr/bin/time %M), DOCUMENT.inprocess (fetch_bench's RESULT line) and
DOCUMENT.gdal / DOCUMENT.owslib (en_proceso.py's); for the paced document, paced.rate, and per reader
paced.READER.log (serve.py's last-byte instant) and paced.READER (the reader's first call).
"""
import json
import os
import sys

READERS = ("ours", "gdal", "owslib")


def milliseconds(seconds, size=None):
    if size is None:
        return "%.0f ms" % (seconds * 1e3)
    return "%.0f ms (%.1f MB/s)" % (seconds * 1e3, size / 1e6 / seconds)


def megabytes(size):
    return "%.1f MB" % (size / 1e6)


def result(path):
    with open(path) as f:
        line = [l for l in f.read().splitlines() if l.startswith("RESULT")][-1]
    return {k: float(v) for k, v in (item.split("=") for item in line.split()[1:])}


def load(work, name):
    with open(os.path.join(work, name + ".json")) as f:
        whole = {r["command"]: r["mean"] for r in json.load(f)["results"]}
    memory = {}
    for command in whole:
        with open(os.path.join(work, "%s.%s.kb" % (name, command))) as f:
            memory[command] = int(f.read().split()[-1]) * 1024
    inprocess = {"ours": result(os.path.join(work, name + ".inprocess"))}
    for reader in ("gdal", "owslib"):
        inprocess[reader] = result(os.path.join(work, "%s.%s" % (name, reader)))
    return os.path.getsize(os.path.join(work, name)), whole, memory, inprocess


def print_inprocess_time(rows):
    print("### Time in-process (median of the runs inside one process)\n")
    print("| document | size | ours | GDAL | OWSLib | ours against GDAL | OWSLib's time ÷ ours |")
    print("|---|---|---|---|---|---|---|")
    for name, size, whole, memory, p in rows:
        ours, gdal, owslib = (p[r]["median_s"] for r in READERS)
        against = "%.1f× faster" % (gdal / ours) if gdal >= ours else "%.1f× slower" % (ours / gdal)
        print("| %s | %s | %s | %s | %s | %s | %.1f× |" % (
            name, megabytes(size), milliseconds(ours, size), milliseconds(gdal, size), milliseconds(owslib, size),
            against, owslib / ours))


def print_whole_time(rows, startup):
    print("\n### Time, whole processes (mean of the runs, start-up included)\n")
    print("| document | size | ours under Wine | wmsinfo --json | OWSLib | GDAL | OWSLib ÷ ours | GDAL ÷ ours |")
    print("|---|---|---|---|---|---|---|---|")
    for name, size, t, memory, p in rows:
        print("| %s | %s | %s | %s | %s | %s | %.1f× | %.1f× |" % (
            name, megabytes(size), milliseconds(t["ours"], size), milliseconds(t["wmsinfo"], size),
            milliseconds(t["owslib"], size), milliseconds(t["gdal"], size), t["owslib"] / t["ours"],
            t["gdal"] / t["ours"]))
    print("| start-up alone | | %s (Wine) | | %s (Python, OWSLib imported) | %s (gdalinfo --version) | | |" % (
        milliseconds(startup["ours"]), milliseconds(startup["owslib"]), milliseconds(startup["gdal"])))


def print_memory(rows, fixed, fixed_thread):
    print("\n### Peak memory\n")
    print("In-process: the growth of the peak working set (ours) or of the peak RSS (Python) during the first "
          "call. For ours, a 7 KB document raises it by %s when read on the caller's thread (code pages touched "
          "for the first time, WinHTTP's own state) and by %s when read on a second thread, as answers of "
          "256 KiB or more (all of these) are: that part does not grow with the document, and is taken off "
          "in the fourth column.\n" % (megabytes(fixed), megabytes(fixed_thread)))
    print("| document | size | ours in-process | less the fixed part | GDAL in-process | OWSLib in-process "
          "| ours, whole process | GDAL, whole | OWSLib, whole |")
    print("|---|---|---|---|---|---|---|---|---|")
    for name, size, t, m, p in rows:
        ours = p["ours"]["peak_bytes"]
        print("| %s | %s | %s = %.2f× | %.2f× | %s = %.2f× | %s = %.2f× | %s | %s | %s |" % (
            name, megabytes(size), megabytes(ours), ours / size, (ours - fixed_thread) / size,
            megabytes(p["gdal"]["peak_bytes"]), p["gdal"]["peak_bytes"] / size,
            megabytes(p["owslib"]["peak_bytes"]), p["owslib"]["peak_bytes"] / size,
            megabytes(m["ours"]), megabytes(m["gdal"]), megabytes(m["owslib"])))


def print_paced(work, name, rate):
    print("\n### Served at %.0f MB/s: done after the last byte\n" % (rate / 1e6))
    print("%s (%s) sent at %.0f MB/s by `serve.py`, one call of each reader; the time from the server "
          "handing the body's last byte to the socket to the call's return (both wall clocks).\n" % (
              name, megabytes(os.path.getsize(os.path.join(work, name))), rate / 1e6))
    print("| reader | whole call | after the last byte |")
    print("|---|---|---|")
    for reader in READERS:
        with open(os.path.join(work, "paced.%s.log" % reader)) as f:
            last = float(f.read().split()[-1])
        r = result(os.path.join(work, "paced." + reader))
        print("| %s | %s | %s |" % ({"ours": "ours", "gdal": "GDAL", "owslib": "OWSLib"}[reader],
                                    milliseconds(r["first_s"]), milliseconds(r["end_unix_s"] - last)))


def print_phases(rows):
    print("\n### Where our in-process time goes (medians)\n")
    print("| document | CreaClienteWMS | the fetch alone, body kept | the reading alone, from memory "
          "| GetSRS on every layer (not in CreaClienteWMS) |")
    print("|---|---|---|---|---|")
    for name, size, t, m, p in rows:
        o = p["ours"]
        print("| %s | %s | %s | %s | %s for %d systems |" % (
            name, milliseconds(o["median_s"]), milliseconds(o["fetch_s"], size), milliseconds(o["read_s"], size),
            milliseconds(o["walk_s"]), o["systems"]))


def main():
    work, paced, names = sys.argv[1], sys.argv[2], sys.argv[3:]
    rows = [(name,) + load(work, name) for name in names]
    with open(os.path.join(work, "startup.json")) as f:
        startup = {r["command"]: r["mean"] for r in json.load(f)["results"]}
    fixed = result(os.path.join(work, "fixed.inprocess"))["peak_bytes"]
    fixed_thread = result(os.path.join(work, "fixed-thread.inprocess"))["peak_bytes"]
    with open(os.path.join(work, "paced.rate")) as f:
        rate = float(f.read())

    print_inprocess_time(rows)
    print_whole_time(rows, startup)
    print_memory(rows, fixed, fixed_thread)
    print_paced(work, paced, rate)
    print_phases(rows)
    return 0


if __name__ == "__main__":
    sys.exit(main())
