"""wine_support.py: what the test scripts need to run programs under Wine: runs whose output no Wine process
they start can hold, and the user's language, which Wine 8 takes from LC_MESSAGES (its
SetThreadPreferredUILanguages and SetThreadUILanguage change nothing); see locales.py."""
import os
import subprocess
import tempfile

import locales
from row_table import Failure

LOCALES = {"es-ES": "es_ES.UTF-8", "en-US": "en_US.UTF-8", "fr-FR": "fr_FR.UTF-8"}


def run_program(command, limit, **options):
    """subprocess.run(command) with its output through temporary files rather than pipes: a Wine process the
    program starts (the desktop's explorer.exe, for one) inherits them and may outlive it by tens of seconds, and
    reading a pipe would wait for it. Raises subprocess.TimeoutExpired after limit seconds."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        run = subprocess.run(command, stdin=subprocess.DEVNULL, stdout=out, stderr=err, timeout=limit, **options)
        out.seek(0)
        err.seek(0)
        return subprocess.CompletedProcess(command, run.returncode, out.read(), err.read())


def environment_in(locales_dir, language):
    """The environment that gives a program under Wine language as the user's and its thread's UI language."""
    try:
        locpath = locales.compiled_locale(locales_dir, LOCALES[language])
    except RuntimeError as e:
        raise Failure(str(e))
    environment = dict(os.environ, LC_MESSAGES=LOCALES[language], LOCPATH=locpath)
    environment.pop("LC_ALL", None)
    return environment
