# Sourced by scripts/run and scripts/test: installs the Debian packages the
# build needs when they are missing (through sudo when not root).
TRELLAN_PACKAGES="cmake ninja-build g++ qt6-base-dev qt6-svg-dev zlib1g-dev libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev clang libclang-rt-14-dev qt6-translations-l10n"
# What scripts/package (and the package test in scripts/test) needs on top:
# CPack's dependency look-up (dpkg-shlibdeps, file), the icon's rendering
# and the lint.
TRELLAN_PACKAGE_PACKAGES="dpkg-dev file librsvg2-bin lintian"

trellan_install_missing() {
  local missing=""
  for p in $TRELLAN_PACKAGES "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
  done
  [ -z "$missing" ] && return 0
  echo "Installing:$missing"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq || true
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing
}

trellan_build() {
  local root="$1" build="$2"
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" -j "$(nproc)"
}
