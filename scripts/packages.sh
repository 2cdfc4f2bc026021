# Sourced by scripts/run and scripts/test: the Debian packages they need, and
# the steps they share.

# What building and running the program need.
yarnspin_run_packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6printsupport6 qt6-webengine-dev libgl-dev libxcb1-dev
  qt6-image-formats-plugins qt6-gtk-platformtheme
  fonts-wine fonts-liberation fonts-dejavu-core qt6-translations-l10n
)

# What making the Debian package needs besides building: the library
# dependencies read from the binary (dpkg-shlibdeps) and CPack's look at
# which files are binaries.
yarnspin_package_packages=(dpkg-dev file)

# What only the tests and the benchmarks need: X servers of their own, a
# window manager and a tray host on them, key presses and the clipboard from
# outside, a D-Bus session bus of their own, PDF text, the benchmark library,
# Mesa's GL driver, which every desktop has and which the web engine's start-up
# loads, so the tests meet it as users' machines do, and the checkers of the
# package and of the desktop's metadata (lintian, appstreamcli,
# desktop-file-validate, man).
yarnspin_test_packages=(
  xvfb xauth x11-utils xdotool xclip poppler-utils desktop-file-utils trayer openbox wmctrl dbus-daemon
  libbenchmark-dev libgl1-mesa-dri
  "${yarnspin_package_packages[@]}" lintian appstream man-db
)

# install_missing_packages <package>...: installs those not installed yet,
# as root or through sudo; without either, says what to install and fails.
install_missing_packages() {
  local missing=()
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
      echo "These packages are missing and there is no sudo to install them; as root, run: apt-get install ${missing[*]}" >&2
      return 1
    fi
    sudo=(sudo)
  fi
  echo "Installing: ${missing[*]}"
  # Another install (an update notifier, a second terminal) may hold the
  # package lock: wait for it rather than fail.
  local wait_for_lock=(-o DPkg::Lock::Timeout=600)
  "${sudo[@]}" apt-get "${wait_for_lock[@]}" update -q
  # sudo resets the environment: the variable goes through env, after sudo.
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get "${wait_for_lock[@]}" install -y -q --no-install-recommends "${missing[@]}"
}

# heading <text>: one line that tells where the time goes.
heading() {
  printf '\n==> %s\n' "$*"
}

# build_yarnspin <source folder> <build folder> [cmake option]... [-- build target]...
# Builds every target, or only the targets named after "--".
build_yarnspin() {
  local source="$1" build="$2"
  shift 2
  local options=() targets=()
  while [ $# -gt 0 ] && [ "$1" != -- ]; do
    options+=("$1")
    shift
  done
  [ $# -gt 0 ] && shift
  for target in "$@"; do
    targets+=(--target "$target")
  done
  cmake -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" >/dev/null
  cmake --build "$build" --parallel "$(nproc)" "${targets[@]}"
}
