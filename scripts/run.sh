#!/usr/bin/env bash
# Installs what is missing, builds the project (with the sample content and
# the UI pictures) and runs the reference host. Arguments go to studyhost,
# e.g. `scripts/run.sh --screenshot start.png`; without a display the host
# says how to run it offscreen.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
exec build/default/bin/studyhost "$@"
