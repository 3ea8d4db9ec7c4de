#!/usr/bin/python3
"""en_proceso.py: GDAL or OWSLib reading one server's capabilities, timed inside one Python process.

Usage: en_proceso.py gdal|owslib URL VERSION RUNS
The first call alone gives the peak memory (growth of the process's peak RSS over what it had before)
and the wall-clock instant it ended; RUNS calls more (none when 0) give the median.
GDAL: gdal.Open("WMS:" + url), which fetches the capabilities and lists the layers as subdatasets;
OWSLib: WebMapService(url, version) with the document's own version (it does not negotiate).
Prints "RESULT first_s=... end_unix_s=... peak_bytes=... median_s=...", as fetch_bench does.
"""
import resource
import statistics
import sys
import time


def lector(nombre, url, version):
    if nombre == "gdal":
        from osgeo import gdal

        gdal.UseExceptions()
        return lambda: gdal.Open("WMS:" + url)
    from owslib.wms import WebMapService

    return lambda: WebMapService(url, version=version)


def main():
    if len(sys.argv) != 5 or sys.argv[1] not in ("gdal", "owslib"):
        print(__doc__, file=sys.stderr)
        return 2
    nombre, url, version, vueltas = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
    lee = lector(nombre, url, version)

    antes = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss
    inicio = time.perf_counter()
    resultado = lee()
    primera = time.perf_counter() - inicio
    fin = time.time()
    pico = (resource.getrusage(resource.RUSAGE_SELF).ru_maxrss - antes) * 1024
    del resultado

    tiempos = []
    for _ in range(vueltas):
        inicio = time.perf_counter()
        lee()
        tiempos.append(time.perf_counter() - inicio)
    mediana = " median_s=%.6f" % statistics.median(tiempos) if tiempos else ""
    print("RESULT first_s=%.6f end_unix_s=%.6f peak_bytes=%d%s" % (primera, fin, pico, mediana))
    return 0


if __name__ == "__main__":
    sys.exit(main())
