#!/usr/bin/env bash
# Runs a test program as the unprivileged user nobody, for the tests of files
# and folders without permission: root reads and writes them all the same, so
# a suite run as root skips those tests and runs them again through here. Run
# as anyone else the suite has run them already, and this reports itself as
# not run (exit status 77), as it does when nobody cannot reach the program.
set -uo pipefail

if [ "$(id -u)" -ne 0 ]; then
  echo "not run: the suite does not run as root, so it ran these tests itself"
  exit 77
fi
scratch=$(mktemp -d)
chmod 1777 "$scratch"
trap 'rm -rf "$scratch"' EXIT
as_nobody=(setpriv --reuid=nobody --regid=nogroup --clear-groups
  env HOME="$scratch" TMPDIR="$scratch" XDG_RUNTIME_DIR="$scratch")
if ! "${as_nobody[@]}" test -x "$1"; then
  echo "not run: the user nobody cannot reach $1"
  exit 77
fi
"${as_nobody[@]}" "$@"
