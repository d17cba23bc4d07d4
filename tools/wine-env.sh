# Sourced by every script that runs the Windows build under Wine. It picks
# the build that can run on this machine and sets up Wine for it:
#   TW_WIN=win32  the 32-bit product under 32-bit Wine (build/win32);
#   TW_WIN=win64  where the kernel runs no 32-bit programs (its 32-bit
#                 emulation is off, so 32-bit Wine fails with "Exec format
#                 error"), the same sources built for 64-bit Windows run
#                 under wine64 instead (build/win64).
# TW_WIN is also the name of the build's preset in CMakePresets.json.
tw_top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEDEBUG=-all
# A crash ends the crashing program instead of starting winedbg, which would
# wait for an answer no one gives; the caller sees the failure and its code.
case ";${WINEDLLOVERRIDES:-};" in
  *";winedbg.exe=d;"*) ;;
  *) export WINEDLLOVERRIDES="winedbg.exe=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}" ;;
esac
if [ -z "${TW_WIN:-}" ]; then
  if timeout 30 /usr/lib/wine/wine --version >/dev/null 2>&1 || ! [ -x /usr/lib/wine/wine64 ]; then
    TW_WIN=win32
  else
    TW_WIN=win64
  fi
fi
export TW_WIN
if [ "$TW_WIN" = win32 ]; then
  export WINEARCH=win32 WINEPREFIX=${WINEPREFIX:-$tw_top/build/wineprefix}
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
fi
# tw_prefix [DPI]: makes $WINEPREFIX when it is not there yet, with Tahoma,
# and gives its display DPI; Wine 8 reads the user's LogPixels, else the
# machine's.
tw_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    rm -rf "$WINEPREFIX"
    timeout -k 10 300 wine wineboot -i >/dev/null 2>&1 || true
    timeout -k 10 120 wineserver -w || true
  fi
  # Debian's Wine draws its Tahoma only from the prefix's own font folder;
  # without it the captions come out in a wider face and are cut.
  for tw_font in tahoma.ttf tahomabd.ttf; do
    if [ -f "/usr/share/wine/fonts/$tw_font" ] && [ ! -f "$WINEPREFIX/drive_c/windows/Fonts/$tw_font" ]; then
      mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
      cp "/usr/share/wine/fonts/$tw_font" "$WINEPREFIX/drive_c/windows/Fonts/"
    fi
  done
  for tw_key in 'HKCU\Control Panel\Desktop' 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
    [ -z "${1:-}" ] || timeout 60 wine reg add "$tw_key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
  done
}
tw_prefix
