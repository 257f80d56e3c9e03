#!/usr/bin/env bash
# Installs what is missing, builds the project (with the sample content and
# the UI pictures) and runs the reference host. Arguments go to studyhost,
# e.g. `scripts/run.sh --screenshot start.png` or
# `scripts/run.sh --scenario host/scenario/scripts/shelf_accepted.scn`; without
# a display the host says how to run it offscreen.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# Lets ccache reuse objects between checkouts in different folders.
export CCACHE_BASEDIR="$PWD"
cmake --preset default >/dev/null
cmake --build --preset default
exec build/default/bin/studyhost "$@"
