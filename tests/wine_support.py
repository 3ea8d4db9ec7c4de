"""wine_support.py: what the test scripts need to run programs under Wine: bounded runs, and the user's
language, which Wine 8 takes from LC_MESSAGES (its SetThreadPreferredUILanguages and SetThreadUILanguage
change nothing); see locales.py."""
import os
import subprocess

import locales
from row_table import Failure

LOCALES = {"es-ES": "es_ES.UTF-8", "en-US": "en_US.UTF-8", "fr-FR": "fr_FR.UTF-8"}


def run_program(command, limit, **options):
    """subprocess.run(command) with its output captured and no input; command runs a program through the build's
    wine-run, which keeps Wine's helper processes off our pipes. Raises subprocess.TimeoutExpired after limit
    seconds."""
    return subprocess.run(command, stdin=subprocess.DEVNULL, capture_output=True, timeout=limit, **options)


def environment_in(locales_dir, language):
    """The environment that gives a program under Wine language as the user's and its thread's UI language."""
    try:
        locpath = locales.compiled_locale(locales_dir, LOCALES[language])
    except RuntimeError as e:
        raise Failure(str(e))
    environment = dict(os.environ, LC_MESSAGES=LOCALES[language], LOCPATH=locpath)
    environment.pop("LC_ALL", None)
    return environment
