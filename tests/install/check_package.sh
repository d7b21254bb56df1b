#!/usr/bin/env bash
# Puts the Debian package through Debian's own checks: builds the .deb into a
# temporary folder, then lintian on it, appstreamcli on its AppStream
# metadata and desktop-file-validate on its desktop entry. Any error or
# warning of any of them fails (lintian's informational tags do not). Also
# checks what lintian does not: the dependencies on the platform plugin and
# the fonts, the changelog's newest entry against the package's version, the
# manual page's sections, and the files' modes.
# Usage: check_package.sh BUILD_DIR
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
cpack=${CPACK:-cpack}
for tool in lintian appstreamcli desktop-file-validate man; do
  if ! command -v "$tool" > /dev/null; then
    echo "FAIL: $tool is missing: scripts/install-deps.sh installs it" >&2
    exit 1
  fi
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=()
fail() { failures+=("$1"); }

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

# lintian warns about running as root without checking anything differently:
# as root it runs as the user nobody where it can.
as_user=()
if [ "$(id -u)" -eq 0 ] && setpriv --reuid=nobody --regid=nogroup --clear-groups true 2> /dev/null; then
  chmod 755 "$tmp" "$tmp/out"
  chmod 644 "$deb"
  mkdir "$tmp/home" && chown nobody "$tmp/home"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME="$tmp/home")
fi
lint_status=0
"${as_user[@]}" lintian --no-cfg --fail-on error,warning "$deb" > "$tmp/lintian.log" 2>&1 \
  || lint_status=$?
grep -E '^[EW]: ' "$tmp/lintian.log" | sed 's/^/lintian: /' > "$tmp/lintian.bad" || true
while read -r line; do fail "$line"; done < "$tmp/lintian.bad"
if [ "$lint_status" -ne 0 ] && [ ! -s "$tmp/lintian.bad" ]; then
  fail "lintian failed (status $lint_status): $(cat "$tmp/lintian.log")"
fi

dpkg-deb -x "$deb" "$tmp/root"
usr=$tmp/root/usr

metainfo=("$usr"/share/metainfo/*.metainfo.xml)
if [ ! -f "${metainfo[0]}" ]; then
  fail "no AppStream metadata in usr/share/metainfo"
elif ! appstreamcli validate --no-net --pedantic "${metainfo[0]}" > "$tmp/appstream.log" 2>&1 \
  || grep -qE '^[EW]: ' "$tmp/appstream.log"; then
  fail "appstreamcli validate: $(cat "$tmp/appstream.log")"
elif ! grep -qF '<launchable type="desktop-id">zelkscope.desktop</launchable>' "${metainfo[0]}"; then
  fail "the AppStream metadata does not launch zelkscope.desktop"
fi

desktop=$usr/share/applications/zelkscope.desktop
if ! desktop-file-validate "$desktop" > "$tmp/desktop.log" 2>&1 \
  || grep -qiE '(error|warning):' "$tmp/desktop.log"; then
  fail "desktop-file-validate: $(cat "$tmp/desktop.log")"
fi

# What the program loads at run time, which no binary names.
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libc6 qt6-qpa-plugins fonts-liberation2; do
  echo "$depends" | tr ',' '\n' | awk '{ print $1 }' | grep -qxF "$dep" \
    || fail "Depends ($depends) does not name $dep"
done

version=$(dpkg-deb -f "$deb" Version)
changelog=$usr/share/doc/zelkscope/changelog.gz
if [ -f "$changelog" ]; then
  newest=$(zcat "$changelog" | head -n 1)
  [[ "$newest" == "zelkscope ($version) "* ]] \
    || fail "the changelog's newest entry is '$newest', not version $version"
fi

page=$usr/share/man/man1/zelkscope.1.gz
if [ -f "$page" ]; then
  MANWIDTH=80 man -l "$page" > "$tmp/man.txt" 2> /dev/null || fail "man cannot show zelkscope.1.gz"
  for section in SYNOPSIS OPTIONS FILES KEYS 'EXIT STATUS'; do
    grep -qx "$section" "$tmp/man.txt" || fail "the manual page has no $section section"
  done
  grep -qF -- '--export' "$tmp/man.txt" || fail "the manual page does not name --export"
fi

# Folders and programs rwxr-xr-x, every other file rw-r--r--, all root's.
while read -r mode owner path; do
  case "$mode" in
    d*) want=drwxr-xr-x ;;
    l*) continue ;;
    *) want=-rw-r--r-- ;;
  esac
  [ "$path" = ./usr/lib/zelkscope/zelkscope ] && want=-rwxr-xr-x
  [ "$mode" = "$want" ] || fail "$path has mode $mode, not $want"
  [ "$owner" = root/root ] || fail "$path belongs to $owner, not root/root"
done < <(dpkg-deb -c "$deb" | awk '{ print $1, $2, $6 }')

if [ ${#failures[@]} -ne 0 ]; then
  printf 'FAIL: %s\n' "${failures[@]}" >&2
  exit 1
fi
echo "ok: $(basename "$deb") ($(stat -c %s "$deb") bytes): lintian, appstreamcli and" \
  "desktop-file-validate report no error or warning"
