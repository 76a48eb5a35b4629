"""Builds the package mirvok with the project's CMake: the core and the
compiled module _mirvok, optimised, in a build folder of its own
(build/wheel) with the window and the tests off; the package it makes there
(module, signatures, stub, py.typed) goes into the wheel, and nothing else
of the build folder does. pyproject.toml holds the package's description.
"""

import os
import pathlib
import re
import shutil
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = pathlib.Path(__file__).resolve().parent
BUILD = ROOT / "build" / "wheel"
# What make_package.py puts beside the compiled module.
PACKAGE_FILES = ("__init__.py", "__init__.pyi", "_keywords.py", "_neo.py", "py.typed")


def version():
    """The project's version, written once, in CMakeLists.txt."""
    text = (ROOT / "CMakeLists.txt").read_text()
    return re.search(r"project\(mirvok VERSION ([0-9.]+)", text).group(1)


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        made = BUILD / "python"
        # The build folder lies beside build/release, at the same depth, so
        # that ccache, hashing paths relative to the project, finds what the
        # optimised build compiled.
        env = dict(os.environ)
        env.setdefault("CCACHE_BASEDIR", str(ROOT))
        env.setdefault("CCACHE_NOHASHDIR", "true")
        subprocess.run(["cmake", "-S", str(ROOT), "-B", str(BUILD), "-DCMAKE_BUILD_TYPE=Release",
                        "-DMIRVOK_TESTS=OFF", "-DMIRVOK_UI=OFF", f"-DMIRVOK_PYTHON_DIR={made}"],
                       check=True, env=env, stdout=subprocess.DEVNULL)
        jobs = os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL", str(os.cpu_count() or 1))
        subprocess.run(["cmake", "--build", str(BUILD), "-j", jobs, "--target", "mirvok_python"],
                       check=True, env=env)
        module = pathlib.Path(self.get_ext_fullpath(ext.name))
        module.parent.mkdir(parents=True, exist_ok=True)
        built = list((made / "mirvok").glob("_mirvok*.so"))
        if len(built) != 1:
            sys.exit(f"setup.py: expected one compiled module in {made / 'mirvok'}, found {built}")
        shutil.copyfile(built[0], module)
        for name in PACKAGE_FILES:
            shutil.copyfile(made / "mirvok" / name, module.parent / name)


setup(
    version=version(),
    packages=[],
    py_modules=[],
    ext_modules=[Extension("mirvok._mirvok", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
)
