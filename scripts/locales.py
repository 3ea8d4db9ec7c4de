#!/usr/bin/python3
"""locales.py: glibc locales compiled with localedef into a directory of the build, for LOCPATH.

Wine 8 takes a process's UI language from LC_MESSAGES, and only from a locale the system has: tests that
run a program in another language start it with LC_MESSAGES and LOCPATH pointing here.
Usage: locales.py DIRECTORY NAME...   (names such as es_ES.UTF-8); exits 1 if one cannot be compiled."""
import os
import shutil
import subprocess
import sys
import tempfile

COMPILE_LIMIT = 60


def compiled_locale(locales, name):
    """The directory for LOCPATH, holding the locale name (compiled on first use; tests running at the same
    time may both compile it, the first to finish wins)."""
    target = os.path.join(locales, name)
    if not os.path.isdir(target):
        os.makedirs(locales, exist_ok=True)
        partial = tempfile.mkdtemp(prefix=name + ".", dir=locales)
        subprocess.run(["localedef", "-i", name.split(".")[0], "-f", "UTF-8", os.path.join(partial, name)],
                       check=False, capture_output=True, timeout=COMPILE_LIMIT)
        if not os.path.isdir(os.path.join(partial, name)):
            shutil.rmtree(partial)
            raise RuntimeError("localedef could not compile %s (is the locales package installed?)" % name)
        try:
            os.replace(os.path.join(partial, name), target)
        except OSError:
            if not os.path.isdir(target):
                raise
        shutil.rmtree(partial)
    return locales


def main():
    if len(sys.argv) < 3:
        sys.stderr.write(__doc__)
        return 2
    try:
        for name in sys.argv[2:]:
            compiled_locale(sys.argv[1], name)
            print("%s in %s" % (name, sys.argv[1]))
    except (RuntimeError, OSError, subprocess.TimeoutExpired) as e:
        print("locales.py: %s" % e)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
