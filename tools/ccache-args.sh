#!/usr/bin/env bash
# Prints the CMake options that put ccache in front of the compilers, or nothing where ccache is
# not installed: the build scripts work on a fresh machine either way.
if command -v ccache >/dev/null; then
  echo "-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
fi
