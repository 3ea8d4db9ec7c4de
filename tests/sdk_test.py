#!/usr/bin/python3
"""sdk_test.py: the SDK as a host developer gets it: installed into a temporary prefix, the installed samples and
the C host (tests/sdk_example_c, with each toolchain file) built outside the source tree with find_package(Ortus),
run under Wine from the prefix's bin/, the C host against the loopback MapServer; the prefix and the CPack ZIP
against what they used.

Usage: sdk_test.py --cmake PATH --build-dir DIR --example-c DIR --wine-run PATH --locales DIR --objdump PATH
                   --fixtures DIR
Prints how long each step took and one line per check; exits 1 if any failed.
"""
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile

from row_table import Failure, arguments, expect_equal, fixture_ports, run_table
from wine_support import environment_in, run_program, text, windows_path

# Each step is cut off after this long: a hang fails the test instead of the whole suite.
STEP_LIMIT = 240


def step(what, command, **options):
    """Runs command, failing with its output when it ends with another status; prints how long it took."""
    start = time.monotonic()
    try:
        run = run_program(command, STEP_LIMIT, **options)
    except Failure as e:
        raise Failure("%s: %s" % (what, e))
    print("%-40s %5.1f s" % (what, time.monotonic() - start))
    if run.returncode != 0:
        raise Failure("%s: exit status %d\n%s%s" % (what, run.returncode, text(run.stdout, "replace"),
                                                     text(run.stderr, "replace")))
    return run


# The C host's builds: the toolchain file each uses and the name its program gets in bin/.
C_TOOLCHAINS = {"mingw-w64 GCC": ("mingw-w64-x86_64.cmake", "sdk_example_c_gcc.exe", "libortusc.dll.a"),
                "clang for the MSVC ABI": ("clang-msvc-x86_64.cmake", "sdk_example_c_msvc.exe", "ortusc.lib")}


def build_against(args, prefix, source, build, toolchain="mingw-w64-x86_64.cmake"):
    """Configures and builds the project in source as a host would, with one of the SDK's toolchain files."""
    what = "%s (%s)" % (os.path.basename(source), toolchain)
    step("configure " + what, [
        args.cmake, "-S", source, "-B", build, "-G", "Ninja",
        "-DCMAKE_TOOLCHAIN_FILE=" + os.path.join(prefix, "share", "ortus", toolchain),
        "-DCMAKE_PREFIX_PATH=" + prefix])
    step("build " + what, [args.cmake, "--build", build])


def loaded_from(trace, prefix):
    """The modules Wine's loaddll trace shows loaded from under prefix, as paths relative to it."""
    loaded = set()
    for path in re.findall(r'Loaded L"([^"]+)"', trace):
        path = path.replace("\\\\", "\\")
        if path.upper().startswith("Z:\\"):
            posix = path[2:].replace("\\", "/")
            if posix.startswith(prefix + "/"):
                loaded.add(os.path.relpath(posix, prefix))
    return loaded


def files_under(prefix, folder, pattern):
    return {os.path.relpath(path, prefix)
            for path in glob.glob(os.path.join(prefix, folder, "**", pattern), recursive=True)}


class Sdk:
    def __init__(self, args, temporary):
        self.args = args
        self.temporary = temporary
        self.prefix = os.path.join(temporary, "sdk")
        self.samples_build = os.path.join(temporary, "samples-build")
        self.c_builds = {}  # toolchain's name: build folder

    def make(self):
        step("install", [self.args.cmake, "--install", self.args.build_dir, "--prefix", self.prefix])
        build_against(self.args, self.prefix, os.path.join(self.prefix, "share", "ortus", "samples"),
                      self.samples_build)
        source_c = os.path.join(self.temporary, "sdk_example_c")
        shutil.copytree(self.args.example_c, source_c)
        for name, (toolchain, program, _) in C_TOOLCHAINS.items():
            build = os.path.join(self.temporary, "example-c-build-" + toolchain)
            build_against(self.args, self.prefix, source_c, build, toolchain)
            self.c_builds[name] = build
            # The host's executable beside the modules it ships with, as HOSTING.md lays them out.
            shutil.copy2(os.path.join(build, "sdk_example_c.exe"), os.path.join(self.prefix, "bin", program))


def check_c_build(sdk, toolchain):
    """The C host links the import library of its ABI and imports no runtime of its compiler."""
    _, name, library = C_TOOLCHAINS[toolchain]
    link = subprocess.run(["ninja", "-C", sdk.c_builds[toolchain], "-t", "commands", "sdk_example_c.exe"],
                          capture_output=True, check=True, timeout=STEP_LIMIT).stdout.decode().splitlines()[-1]
    if os.path.join(sdk.prefix, "lib", library) not in link:
        raise Failure("the link does not name lib/%s: %s" % (library, link))
    dump = subprocess.run([sdk.args.objdump, "-p", os.path.join(sdk.prefix, "bin", name)], capture_output=True,
                          check=True, timeout=STEP_LIMIT).stdout.decode()
    expect_equal("imports", sorted(re.findall(r"DLL Name: (\S+)", dump)),
                 ["KERNEL32.dll", "SHELL32.dll", "USER32.dll", "ortusc.dll"])


def check_c_run(sdk):
    """The MSVC-ABI C host from bin/, for an es-ES user: a catalogue of two servers from an INI file, the first slow
    enough for Nadir's wait window to show over the host, the dialog driven to OK on MapServer, the choice read and
    stored."""
    ports = fixture_ports(sdk.args.fixtures)
    slow = "http://127.0.0.1:%d/steady?rate=1024&seconds=1&VERSION=1.3.0" % ports["http"]
    mapserver = "http://127.0.0.1:%d/wms" % ports["mapserver"]
    ini = os.path.join(sdk.temporary, "catalogo.ini")
    with open(ini, "w", encoding="utf-16") as f:
        f.write('[Servidores]\r\nURL1="Lento",%s\r\nURL2="MapServer",%s\r\n' % (slow, mapserver))
    environment = environment_in(sdk.args.locales, "es-ES")
    environment.pop("WINEPATH", None)  # the search path is the host's folder and the system's
    program = os.path.join(sdk.prefix, "bin", C_TOOLCHAINS["clang for the MSVC ABI"][1])
    run = step("run " + os.path.basename(program), [sdk.args.wine_run, program, windows_path(ini), "Servidores"],
               cwd=os.path.dirname(program), env=environment)
    expect_equal("output", text(run.stdout, "replace").replace("\r\n", "\n").splitlines(), [
        "ortusc.dll 1.0 (OrtusC.h 1.0)", "dialog: OK",
        "server 1, layer rio_de_la_plata, reference system CRS:84, file C:\\mapas\\valle.tif, load option 1"])
    with open(ini, "rb") as f:
        stored = f.read()
    stored = stored.decode("utf-16" if stored.startswith(b"\xff\xfe") else "utf-8").splitlines()
    missing = [line for line in ["SeleccionURL=1", "SeleccionCapa=rio_de_la_plata", "SeleccionSR=CRS:84",
                                 "ArchivoSalida=C:\\mapas\\valle.tif", "Cargar=1"] if line not in stored]
    if missing:
        raise Failure("the INI file lacks %r: %r" % (missing, stored))


def check_modules(sdk):
    """Every module under bin/ is one the sample host loads, from there: Nadir's from their assembly folders (the
    only copies), nothing stray, nothing from the build tree; ortusc.dll is the C hosts'."""
    environment = dict(environment_in(sdk.args.locales, "en-US"), WINEDEBUG="-all,+loaddll")
    environment.pop("WINEPATH", None)
    bin_dir = os.path.join(sdk.prefix, "bin")
    run = step("run quasar.exe --help", [sdk.args.wine_run, os.path.join(bin_dir, "quasar.exe"), "--help"],
               cwd=bin_dir, env=environment)
    loaded = loaded_from(text(run.stderr, "replace"), sdk.prefix)
    expect_equal("modules loaded from the prefix", sorted(loaded),
                 sorted(files_under(sdk.prefix, "bin", "*.dll") - {"bin/ortusc.dll"} | {"bin/quasar.exe"}))
    expect_equal("Nadir's libraries", sorted(path for path in loaded if "Nadir" in path),
                 ["bin/Nadir.Sockets/NadirSockets.dll", "bin/Nadir.WMS/NadirWMS.dll"])


def check_headers(sdk):
    """include/ holds exactly the headers the C host's and the samples' compiles read: nothing internal, nothing
    missing."""
    include = os.path.join(sdk.prefix, "include") + "/"
    used = set()
    for build in [sdk.samples_build] + list(sdk.c_builds.values()):
        deps = subprocess.run(["ninja", "-C", build, "-t", "deps"], capture_output=True, check=True,
                              timeout=STEP_LIMIT).stdout.decode()
        used |= {os.path.relpath(path, sdk.prefix) for path in re.findall(r"^\s+(\S+)$", deps, re.MULTILINE)
                 if path.startswith(include)}
    expect_equal("headers in include/", sorted(files_under(sdk.prefix, "include", "*.h")), sorted(used))


def check_zip(sdk):
    """cpack -G ZIP packs what cmake --install lays out, under one top folder."""
    package = os.path.join(sdk.temporary, "package")
    step("cpack -G ZIP", [os.path.join(os.path.dirname(sdk.args.cmake), "cpack"), "-G", "ZIP",
                          "--config", os.path.join(sdk.args.build_dir, "CPackConfig.cmake"), "-B", package])
    archives = glob.glob(os.path.join(package, "*.zip"))
    expect_equal("archives", len(archives), 1)
    with zipfile.ZipFile(archives[0]) as archive:
        names = [name for name in archive.namelist() if not name.endswith("/")]
    top = os.path.basename(archives[0])[:-len(".zip")] + "/"
    expect_equal("entries outside " + top, [name for name in names if not name.startswith(top)], [])
    installed = files_under(sdk.prefix, "", "*") - {"bin/" + program for _, program, _ in C_TOOLCHAINS.values()}
    expect_equal("files", sorted(name[len(top):] for name in names),
                 sorted(path for path in installed if os.path.isfile(os.path.join(sdk.prefix, path))))


def rows():
    return [
        ("a C host built with mingw-w64 GCC against Ortus::C", check_c_build, "mingw-w64 GCC"),
        ("a C host built for the MSVC ABI against Ortus::C and ortusc.lib", check_c_build, "clang for the MSVC ABI"),
        ("the MSVC-ABI C host: INI, dialog driven to OK on MapServer, choice, INI", check_c_run),
        ("bin/ holds just the modules a host runs, Nadir's as assemblies", check_modules),
        ("include/ holds just the headers a host and the samples compile with", check_headers),
        ("the ZIP holds the same files", check_zip),
    ]


def main():
    args = arguments(__doc__, "--cmake", "--build-dir", "--example-c", "--wine-run", "--locales", "--objdump",
                     "--fixtures")
    with tempfile.TemporaryDirectory(prefix="sdk_test.") as temporary:
        sdk = Sdk(args, temporary)
        try:
            sdk.make()
        except (Failure, OSError) as e:
            print("FAILED  making the SDK and building against it: %s" % e)
            return 1
        return run_table(rows(), lambda check, *row: check(sdk, *row), (OSError, subprocess.SubprocessError))


if __name__ == "__main__":
    sys.exit(main())
