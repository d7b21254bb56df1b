#!/usr/bin/env bash
# Checks what a user gets on their disk: `tree` installs the build into a
# temporary prefix, `deb` builds the Debian package and unpacks it; either
# way exactly the program, its sample logs, its desktop entry, its icons, its
# manual page, its licence and history and its AppStream metadata must be
# there.
# Usage: check_install.sh tree|deb BUILD_DIR SOURCE_DIR
set -euo pipefail

if [ $# -ne 3 ] || { [ "$1" != tree ] && [ "$1" != deb ]; }; then
  echo "usage: $0 tree|deb BUILD_DIR SOURCE_DIR" >&2
  exit 2
fi
mode=$1
build=$(cd "$2" && pwd)
source=$(cd "$3" && pwd)
cmake=${CMAKE:-cmake}
cpack=${CPACK:-cpack}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

icon_sizes=(16 24 32 48 64 128 256)
logs=(drive_frames.txt drive_quillon.txt drive_time.txt)
expected=(bin/zelkscope lib/zelkscope/zelkscope share/applications/zelkscope.desktop
  share/man/man1/zelkscope.1.gz share/doc/zelkscope/copyright share/doc/zelkscope/changelog.gz
  share/metainfo/org.example.zelkscope.metainfo.xml)
for log in "${logs[@]}"; do expected+=("lib/zelkscope/logs/$log"); done
for n in "${icon_sizes[@]}"; do expected+=("share/icons/hicolor/${n}x${n}/apps/zelkscope.png"); done

failures=()
fail() { failures+=("$1"); }

# The big-endian 32-bit number at byte `offset` of `file`.
be32() {
  od -An -tu1 -j "$2" -N 4 "$1" | awk '{ print ((($1 * 256 + $2) * 256 + $3) * 256 + $4) }'
}

# Checks the installed files under `prefix` (the folder that holds bin/).
check_prefix() {
  local prefix=$1 where=$2
  local want have
  want=$(printf '%s\n' "${expected[@]}" | sort)
  have=$(cd "$prefix" && find . \( -type f -o -type l \) | sed 's|^\./||' | sort)
  while read -r f; do [ -n "$f" ] && fail "$where: missing $f"; done \
    < <(comm -23 <(echo "$want") <(echo "$have"))
  while read -r f; do [ -n "$f" ] && fail "$where: unexpected $f"; done \
    < <(comm -13 <(echo "$want") <(echo "$have"))

  local link=$prefix/bin/zelkscope
  if [ ! -L "$link" ]; then
    fail "$where: bin/zelkscope is not a symlink"
  elif [ "$(readlink "$link")" != ../lib/zelkscope/zelkscope ]; then
    fail "$where: bin/zelkscope points to $(readlink "$link"), not ../lib/zelkscope/zelkscope"
  elif [ ! -x "$link" ] || [ ! -f "$link" ]; then
    fail "$where: bin/zelkscope does not lead to an executable file"
  fi

  for log in "${logs[@]}"; do
    [ -f "$prefix/lib/zelkscope/logs/$log" ] || continue
    cmp -s "$source/logs/$log" "$prefix/lib/zelkscope/logs/$log" \
      || fail "$where: lib/zelkscope/logs/$log differs from logs/$log"
  done

  local desktop=$prefix/share/applications/zelkscope.desktop
  if [ -f "$desktop" ]; then
    for line in 'Exec=zelkscope %f' 'MimeType=text/plain;' 'Icon=zelkscope' 'Name=ZelkScope'; do
      grep -qxF "$line" "$desktop" || fail "$where: zelkscope.desktop has no line '$line'"
    done
  fi

  local n png
  for n in "${icon_sizes[@]}"; do
    png=$prefix/share/icons/hicolor/${n}x${n}/apps/zelkscope.png
    [ -f "$png" ] || continue
    if [ "$(od -An -tx1 -N 16 "$png" | tr -d ' \n')" != 89504e470d0a1a0a0000000d49484452 ]; then
      fail "$where: ${n}x${n}/apps/zelkscope.png is not a PNG"
    elif [ "$(be32 "$png" 16)x$(be32 "$png" 20)" != "${n}x${n}" ]; then
      fail "$where: ${n}x${n}/apps/zelkscope.png is $(be32 "$png" 16)x$(be32 "$png" 20) pixels"
    fi
  done
}

if [ "$mode" = tree ]; then
  if ! "$cmake" --install "$build" --prefix "$tmp/prefix" > "$tmp/install.log" 2>&1; then
    cat "$tmp/install.log" >&2
    echo "FAIL: cmake --install $build failed" >&2
    exit 1
  fi
  check_prefix "$tmp/prefix" "cmake --install"
else
  if ! "$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$tmp/out" > "$tmp/cpack.log" 2>&1; then
    cat "$tmp/cpack.log" >&2
    echo "FAIL: cpack -G DEB failed" >&2
    exit 1
  fi
  debs=("$tmp"/out/*.deb)
  if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    echo "FAIL: cpack made no single .deb: $(ls "$tmp/out")" >&2
    exit 1
  fi
  deb=${debs[0]}
  package=$(dpkg-deb -f "$deb" Package)
  version=$(dpkg-deb -f "$deb" Version)
  arch=$(dpkg-deb -f "$deb" Architecture)
  [ "$package" = zelkscope ] || fail "deb: Package is '$package', not zelkscope"
  [ "$(basename "$deb")" = "zelkscope_${version}_${arch}.deb" ] \
    || fail "deb: file is named $(basename "$deb"), not zelkscope_${version}_${arch}.deb"
  depends=$(dpkg-deb -f "$deb" Depends)
  for dep in libc6 libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins fonts-liberation2 libpng16-16; do
    echo "$depends" | tr ',' '\n' | awk '{ print $1 }' | grep -qxF "$dep" \
      || fail "deb: Depends ($depends) does not name $dep"
  done
  dpkg-deb -x "$deb" "$tmp/root"
  others=$(cd "$tmp/root" && find . -mindepth 1 -maxdepth 1 ! -name usr)
  [ -z "$others" ] || fail "deb: files outside /usr: $others"
  check_prefix "$tmp/root/usr" "deb"
fi

if [ ${#failures[@]} -ne 0 ]; then
  printf 'FAIL: %s\n' "${failures[@]}" >&2
  exit 1
fi
echo "ok: $mode"
