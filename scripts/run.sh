#!/usr/bin/env bash
# Builds the project and runs the reference host.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
if [ -x build/default/bin/studyhost ]; then
  exec build/default/bin/studyhost "$@"
fi
echo "run.sh: the reference host (studyhost) is not part of this build yet; the libraries built." >&2
exit 1
