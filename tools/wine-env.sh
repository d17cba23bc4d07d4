# Sourced by every script that runs the Windows build under Wine. It picks
# the build that can run on this machine and sets up Wine for it:
#   TW_WIN=win32  the 32-bit product under 32-bit Wine (build/win32);
#   TW_WIN=win64  where the kernel runs no 32-bit programs (its 32-bit
#                 emulation is off, so 32-bit Wine fails with "Exec format
#                 error"), the same sources built for 64-bit Windows run
#                 under wine64 instead (build/win64).
# TW_TOOLCHAIN names the matching cross toolchain file.
tw_top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEDEBUG=-all
if [ -z "${TW_WIN:-}" ]; then
  if /usr/lib/wine/wine --version >/dev/null 2>&1 || ! [ -x /usr/lib/wine/wine64 ]; then
    TW_WIN=win32
  else
    TW_WIN=win64
  fi
fi
export TW_WIN
if [ "$TW_WIN" = win32 ]; then
  export WINEARCH=win32 WINEPREFIX=${WINEPREFIX:-$tw_top/build/wineprefix}
  TW_TOOLCHAIN=$tw_top/cmake/mingw-i686.cmake
else
  # Debian's wine, wine-stable and wineserver start the 32-bit loader first;
  # these stand-ins go straight to the 64-bit one.
  tw_shim=$tw_top/build/wine64-shim
  mkdir -p "$tw_shim"
  for tw_name in wine wine-stable; do
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' > "$tw_shim/$tw_name"
  done
  printf '#!/bin/sh\nexec /usr/lib/wine/wineserver64 "$@"\n' > "$tw_shim/wineserver"
  chmod +x "$tw_shim"/*
  case ":$PATH:" in *":$tw_shim:"*) ;; *) export PATH="$tw_shim:$PATH" ;; esac
  export WINEARCH=win64 WINEPREFIX=$tw_top/build/wineprefix64
  TW_TOOLCHAIN=$tw_top/cmake/mingw-x86_64.cmake
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  rm -rf "$WINEPREFIX"
  wine wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
fi
