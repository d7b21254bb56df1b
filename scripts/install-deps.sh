#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing ZelkScope
# need, skipping those already present. Runs as root or through sudo. The
# build writes the manual page with help2man; the Debian package's test runs
# dpkg-shlibdeps (dpkg-dev, which CPack needs `file` for), lintian,
# appstreamcli and desktop-file-validate.
# `install-deps.sh fuzz` also installs clang with its libFuzzer runtime and
# llvm-symbolizer, which only `make fuzz` needs; `install-deps.sh bench`
# Google Benchmark, which only `make bench` needs; `install-deps.sh mutate`
# Python and a compiler cache for `make mutate`.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  qt6-base-dev qt6-qpa-plugins libgl-dev libpng-dev zlib1g-dev
  libgtest-dev libgmock-dev
  fonts-liberation2
  xvfb xauth imagemagick
  help2man gzip dpkg-dev file
  lintian appstream desktop-file-utils man-db
)
case "${1:-}" in
  "") ;;
  fuzz) packages+=(clang libclang-rt-14-dev llvm) ;;
  bench) packages+=(libbenchmark-dev) ;;
  mutate) packages+=(python3 ccache) ;;
  *)
    echo "usage: install-deps.sh [fuzz|bench|mutate]" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
