"""Builds the compiled module with CMake from the source tree this folder belongs to, and puts
it into the package together with the shared libraries it needs, so that `pip install
--no-build-isolation ./python` gives a self-contained package. Every library is built with the
run path it gets on installation, $ORIGIN, and so finds the others beside it."""

import glob
import os
import pathlib
import shutil
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

SOURCE_TREE = pathlib.Path(__file__).resolve().parent.parent


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        if not (SOURCE_TREE / "CMakeLists.txt").exists():
            sys.exit(f"lrx: the library's source tree was not found at {SOURCE_TREE}")
        build = pathlib.Path(self.build_temp).resolve() / "cmake"
        package = pathlib.Path(self.get_ext_fullpath(ext.name)).resolve().parent
        subprocess.run(["cmake", "-S", str(SOURCE_TREE), "-B", str(build), "-DCMAKE_BUILD_TYPE=Release",
                        "-DLRX_BUILD_TESTS=OFF", f"-DLRX_PYTHON_EXECUTABLE={sys.executable}",
                        "-DLRX_PYTHON_BUNDLE=ON", "-DCMAKE_BUILD_WITH_INSTALL_RPATH=ON"], check=True)
        subprocess.run(["cmake", "--build", str(build), "--target", "_lrx", "-j2"], check=True)
        package.mkdir(parents=True, exist_ok=True)
        shutil.copy2(glob.glob(str(build / "python" / "lrx" / "_lrx*.so"))[0], self.get_ext_fullpath(ext.name))
        for library in glob.glob(str(build / "src" / "**" / "lib*.so.*"), recursive=True):
            if os.path.basename(library).count(".") == 2:  # the soname links: liblrx.so.0, libvnk.so.0
                shutil.copy2(library, package / os.path.basename(library), follow_symlinks=True)


setup(ext_modules=[Extension("lrx._lrx", sources=[])], cmdclass={"build_ext": CMakeBuild})
