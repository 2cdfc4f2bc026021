# Sourced by scripts/run and scripts/test: installs the Debian packages the
# build, the program and the tests need, skipping those already present.
yarnspin_packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6printsupport6 qt6-webengine-dev libgl-dev
  qt6-image-formats-plugins qt6-gtk-platformtheme
  libbenchmark-dev
  fonts-wine fonts-liberation fonts-dejavu-core
  xvfb xauth xdotool xclip poppler-utils
)

install_missing_packages() {
  local missing=()
  local package
  for package in "${yarnspin_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

build_yarnspin() {
  local root="$1"
  cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$root/build" --parallel "$(nproc)"
}
