#!/usr/bin/env bash
# Installs everything the build and the tests need, from Debian's archive only.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
need_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  need_root dpkg --add-architecture i386
fi
need_root apt-get update -qq
need_root apt-get install -y -qq --no-install-recommends \
  cmake ninja-build g++ make libgtest-dev libgmock-dev \
  mingw-w64 g++-mingw-w64-i686 binutils-mingw-w64-i686 \
  wine wine32:i386 wine64 \
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386 \
  fonts-wine xvfb xauth x11-utils imagemagick zip unzip python3 ca-certificates \
  x264 mkvtoolnix ffmpeg clang libfuzzer-14-dev libclang-rt-14-dev >/dev/null
