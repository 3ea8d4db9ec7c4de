"""wine_support.py: bounded runs of programs under Wine, their output as text, copies of the build's bin/, and
the user's language, which Wine 8 takes from LC_MESSAGES only (see scripts/locales.py)."""
import glob
import os
import shutil
import subprocess
import sys

from row_table import Failure

# The locale compiler is the demo's too: it lives with the project's scripts.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "scripts"))
import locales  # noqa: E402

LOCALES = {"es-ES": "es_ES.UTF-8", "en-US": "en_US.UTF-8", "fr-FR": "fr_FR.UTF-8"}
# A run is cut off after this long: a hang fails the row instead of the whole suite.
RUN_LIMIT = 60


def run_program(command, limit=RUN_LIMIT, **options):
    """subprocess.run(command), output captured, no input; a run longer than limit seconds fails."""
    try:
        return subprocess.run(command, stdin=subprocess.DEVNULL, capture_output=True, timeout=limit, **options)
    except subprocess.TimeoutExpired:
        raise Failure("no exit within %d s" % limit)


def text(output, errors="strict"):
    """A program's UTF-8 output with Windows line ends made Unix ones."""
    return output.decode("utf-8", errors=errors).replace("\r\n", "\n")


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def copy_of_bin(exe, destination, extra=()):
    """Fills destination with what exe, a program in the build's bin/, loads: the libraries beside it, each
    assembly folder's manifest and DLLs (without their language folders), and the files or folders of bin/
    that extra names. Returns destination."""
    source = os.path.dirname(exe)
    for library in glob.glob(os.path.join(source, "*.dll")) + [exe]:
        shutil.copy2(library, destination)
    for manifest in glob.glob(os.path.join(source, "*", "*.manifest")):
        assembly = os.path.join(destination, os.path.basename(os.path.dirname(manifest)))
        os.makedirs(assembly)
        for part in [manifest] + glob.glob(os.path.join(os.path.dirname(manifest), "*.dll")):
            shutil.copy2(part, assembly)
    for entry in extra:
        path, target = os.path.join(source, entry), os.path.join(destination, entry)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        (shutil.copytree if os.path.isdir(path) else shutil.copy2)(path, target)
    return destination


def environment_in(locales_dir, language):
    """The environment that gives a program under Wine language as the user's and its thread's UI language."""
    try:
        locpath = locales.compiled_locale(locales_dir, LOCALES[language])
    except RuntimeError as e:
        raise Failure(str(e))
    environment = dict(os.environ, LC_MESSAGES=LOCALES[language], LOCPATH=locpath)
    environment.pop("LC_ALL", None)
    return environment
