#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and run.
# Idempotent: packages already present are left alone and apt is only touched
# when something is missing.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config clang-format-14 lld
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libgl-dev
  nlohmann-json3-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  7zip zlib1g-dev libmp3lame-dev espeak-ng sox
  # line and branch coverage of the suite (scripts/coverage.sh)
  gcovr
  fonts-wqy-zenhei qt6-translations-l10n
  # sound on devices: Qt Multimedia, GStreamer's MP3 decoder and PulseAudio
  # elements; a PulseAudio server and its clients for the device tests
  qt6-multimedia-dev gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  pulseaudio pulseaudio-utils
  # the offline grader (pocketsphinx, its US English model, espeak-ng for
  # words the dictionary lacks) and the voices of its evaluation
  libpocketsphinx-dev libsphinxbase-dev pocketsphinx-en-us libespeak-ng-dev
  flite festival festvox-us-slt-hts
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#PACKAGES[@]} packages present"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
