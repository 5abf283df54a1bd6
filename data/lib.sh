# Shared by the data builds; each sources it with its folder as the current one.

# Installs the Debian packages given (as root, or through sudo).
install_debian() {
  [ $# -gt 0 ] || return 0
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "$@"
}

# Installs Node.js (and npm when asked) when missing.
need_node() {
  local need=()
  command -v node >/dev/null 2>&1 || need+=(nodejs)
  if [ "${1:-}" = npm ]; then command -v npm >/dev/null 2>&1 || need+=(npm); fi
  install_debian "${need[@]}"
}

# Builds one of the program's tools in $BUILD (build/ unless set), configuring it
# first when needed; run from the top of the repository.
build_tool() {
  BUILD=${BUILD:-build}
  [ -f "$BUILD/CMakeCache.txt" ] || cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build "$BUILD" --target "$1" -j "$(nproc 2>/dev/null || echo 2)"
}
