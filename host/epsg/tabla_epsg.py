#!/usr/bin/python3
"""tabla_epsg.py: writes the table of EPSG reference systems that quasar.exe loads, from PROJ's database.

Usage: tabla_epsg.py PROJ_DB OUTPUT
The table is UTF-8 text: a header line "quasar-epsg 1 COUNT EPSG_VERSION", then one "CODE<TAB>NAME" line
per system, codes ascending, each once. It holds every EPSG system a map can be drawn in: geographic 2D and
3D, projected and compound, deprecated ones included, since servers still offer them."""
import os
import sqlite3
import sys

QUERY = """
SELECT CAST(code AS INTEGER), name FROM geodetic_crs WHERE auth_name = 'EPSG' AND type != 'geocentric'
UNION ALL SELECT CAST(code AS INTEGER), name FROM projected_crs WHERE auth_name = 'EPSG'
UNION ALL SELECT CAST(code AS INTEGER), name FROM compound_crs WHERE auth_name = 'EPSG'
"""


def systems(database):
    with sqlite3.connect("file:%s?mode=ro" % database, uri=True) as connection:
        rows = sorted(connection.execute(QUERY).fetchall())
        version = connection.execute("SELECT value FROM metadata WHERE key = 'EPSG.VERSION'").fetchone()
    for (code, name), following in zip(rows, rows[1:] + [(None, None)]):
        if code == following[0] or code <= 0 or not name or any(c in name for c in "\t\r\n"):
            raise ValueError("EPSG:%s cannot be written as one line of the table" % code)
    return rows, version[0] if version else "unknown"


def main():
    if len(sys.argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    rows, version = systems(sys.argv[1])
    partial = sys.argv[2] + ".tmp"
    with open(partial, "w", encoding="utf-8", newline="\n") as table:
        table.write("quasar-epsg 1 %d %s\n" % (len(rows), version))
        table.writelines("%d\t%s\n" % row for row in rows)
    os.replace(partial, sys.argv[2])
    return 0


if __name__ == "__main__":
    sys.exit(main())
