#!/usr/bin/env bash
# The Wine test environment of a build tree: an isolated WINEPREFIX, a private
# Xvfb display and a persistent wineserver, so that a test program starts in
# a fraction of a second and never touches the user's own Wine set-up.
#
#   wine-env.sh start BUILD_DIR ARCH   (ARCH: win32 or win64) prints nothing, idempotent
#   wine-env.sh stop BUILD_DIR
#   source wine-env.sh; wine_env_export BUILD_DIR ARCH   sets WINEPREFIX, DISPLAY ...
set -u

wine_loader() {  # ARCH -> program that runs that kind of Windows program
  if [ "$1" = win64 ]; then
    if command -v wine64 >/dev/null 2>&1; then echo wine64; else echo /usr/lib/wine/wine64; fi
  else
    echo wine
  fi
}

wine_server() {
  if [ -x /usr/lib/wine/wineserver64 ]; then echo /usr/lib/wine/wineserver64;
  elif command -v wineserver >/dev/null 2>&1; then echo wineserver;
  else echo /usr/lib/wine/wineserver; fi
}

wine_env_export() {  # BUILD_DIR ARCH
  local state="$1/wine-$2"
  export WINEPREFIX="$state/prefix"
  export WINEARCH="$2"
  export WINEDEBUG="${WINEDEBUG:--all}"
  export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
  if [ -f "$state/display" ]; then export DISPLAY="$(cat "$state/display")"; fi
  WINE_STATE="$state"
}

wine_env_start() {  # BUILD_DIR ARCH
  wine_env_export "$1" "$2"
  mkdir -p "$WINE_STATE"
  exec 9>"$WINE_STATE/lock"
  flock 9
  # A private display for the windows the tests open.
  local pid
  pid=$(cat "$WINE_STATE/xvfb.pid" 2>/dev/null || true)
  if [ -z "$pid" ] || ! kill -0 "$pid" 2>/dev/null; then
    local n=70
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 9>&- &
    echo $! >"$WINE_STATE/xvfb.pid"
    echo ":$n" >"$WINE_STATE/display"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  fi
  export DISPLAY="$(cat "$WINE_STATE/display")"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$(wine_loader "$2")" wineboot -i </dev/null >/dev/null 2>&1 9>&-
    "$(wine_server)" -w
  fi
  # Persistent: stays up between test programs until stopped.
  "$(wine_server)" -p >/dev/null 2>&1 9>&- || true
  # Wine's own service processes start with the first program and live as
  # long as the server. Start them here, detached from any output, or they
  # would hold the first test's output pipe open and CTest would wait for it.
  # A program that finds them running starts at once, so this costs little.
  "$(wine_loader "$2")" cmd /c exit </dev/null >/dev/null 2>&1 9>&-
  flock -u 9
}

wine_env_stop() {  # BUILD_DIR
  local state
  for state in "$1"/wine-win32 "$1"/wine-win64; do
    [ -d "$state" ] || continue
    WINEPREFIX="$state/prefix" "$(wine_server)" -k >/dev/null 2>&1 || true
    local pid
    pid=$(cat "$state/xvfb.pid" 2>/dev/null || true)
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    rm -f "$state/xvfb.pid"
  done
  return 0
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  case "${1:-}" in
    start) wine_env_start "$2" "$3" ;;
    stop) wine_env_stop "$2" ;;
    *) echo "usage: wine-env.sh start BUILD_DIR ARCH | stop BUILD_DIR" >&2; exit 2 ;;
  esac
fi
