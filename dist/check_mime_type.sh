#!/usr/bin/env bash
# Compiles the project files' MIME type into a scratch MIME database and checks what the
# database says of it: its suffix glob and its magic. Fails on any warning of the compiler.
# Usage: check_mime_type.sh <mime xml>
set -euo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/mime/packages"
cp "$1" "$scratch/mime/packages/"
warnings=$(XDG_DATA_DIRS="$scratch:/usr/share" update-mime-database "$scratch/mime" 2>&1)
[ -z "$warnings" ] || { echo "update-mime-database: $warnings" >&2; exit 1; }
grep -q -x '50:application/x-hygrova-project:\*.hygrova' "$scratch/mime/globs2" ||
  { echo "no glob *.hygrova in $(cat "$scratch/mime/globs2")" >&2; exit 1; }
grep -q 'application/x-hygrova-project' "$scratch/mime/magic" ||
  { echo "no magic for application/x-hygrova-project" >&2; exit 1; }
echo "application/x-hygrova-project: glob and magic in place"
