#!/usr/bin/env bash
# The C++ layout of the tree (.clang-format).
#   scripts/format.sh          reformats every C++ file tracked by git
#   scripts/format.sh --check  changes nothing; lists the files whose layout
#                              differs and exits 1 when there is any
set -euo pipefail
cd "$(dirname "$0")/.."
# The layout depends on the formatter's version: clang-format 14 (Debian's).
formatter="$(command -v clang-format-14 || command -v clang-format || true)"
if [ -z "$formatter" ]; then
  echo "format: clang-format is not installed (scripts/install-deps.sh installs it)" >&2
  exit 2
fi
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--check" ]; then
  bad=0
  for f in "${files[@]}"; do
    if ! "$formatter" --style=file "$f" | cmp -s - "$f"; then
      echo "format: $f differs from .clang-format's layout (run scripts/format.sh)"
      bad=1
    fi
  done
  exit "$bad"
fi
for f in "${files[@]}"; do
  "$formatter" --style=file -i "$f"
done
