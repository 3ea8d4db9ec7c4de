"""wine_support.py: what the test scripts need to run programs under Wine: runs whose output no Wine process
they start can hold, and the user's language, which Wine 8 takes from LC_MESSAGES (its
SetThreadPreferredUILanguages and SetThreadUILanguage change nothing); the locales are compiled with localedef
into a directory of the build on first use."""
import os
import shutil
import subprocess
import tempfile

from row_table import Failure

LOCALES = {"es-ES": "es_ES.UTF-8", "en-US": "en_US.UTF-8", "fr-FR": "fr_FR.UTF-8"}
# localedef takes about a second; a hang fails the caller instead of the whole suite.
COMPILE_LIMIT = 60


def run_program(command, limit, **options):
    """subprocess.run(command) with its output through temporary files rather than pipes: a Wine process the
    program starts (the desktop's explorer.exe, for one) inherits them and may outlive it by tens of seconds, and
    reading a pipe would wait for it. Raises subprocess.TimeoutExpired after limit seconds."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        run = subprocess.run(command, stdin=subprocess.DEVNULL, stdout=out, stderr=err, timeout=limit, **options)
        out.seek(0)
        err.seek(0)
        return subprocess.CompletedProcess(command, run.returncode, out.read(), err.read())


def compiled_locale(locales, language):
    """The directory for LOCPATH, holding language's locale (localedef on first use; tests running at the same
    time may both compile it, the first to finish wins)."""
    name = LOCALES[language]
    target = os.path.join(locales, name)
    if not os.path.isdir(target):
        os.makedirs(locales, exist_ok=True)
        partial = tempfile.mkdtemp(prefix=name + ".", dir=locales)
        subprocess.run(["localedef", "-i", name.split(".")[0], "-f", "UTF-8", os.path.join(partial, name)],
                       check=False, capture_output=True, timeout=COMPILE_LIMIT)
        if not os.path.isdir(os.path.join(partial, name)):
            raise Failure("localedef could not compile %s (is the locales package installed?)" % name)
        try:
            os.replace(os.path.join(partial, name), target)
        except OSError:
            if not os.path.isdir(target):
                raise
        shutil.rmtree(partial)
    return locales


def environment_in(locales, language):
    """The environment that gives a program under Wine language as the user's and its thread's UI language."""
    environment = dict(os.environ, LC_MESSAGES=LOCALES[language], LOCPATH=compiled_locale(locales, language))
    environment.pop("LC_ALL", None)
    return environment
