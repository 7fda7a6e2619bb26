# Sourced by the build scripts from the checkout's root. A compiler cache keyed on paths
# relative to the checkout, so a rebuild, a second build tree or a fresh clone on the same
# machine reuses what was compiled before; without ccache the build simply compiles everything.
if command -v ccache >/dev/null 2>&1; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache
  export CCACHE_BASEDIR="$PWD"
  export CCACHE_NOHASHDIR=1
fi
