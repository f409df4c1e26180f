# Sourced: Wine for the Windows tests, with no way to a real serial port.
#
# Wine gives every serial device of the machine (/dev/ttyS*, USB adapters) a
# COM name of its own at each start, and on some machines /dev/ttyS0 is the
# system console. So Wine runs only inside a private mount namespace in which
# /dev/null is bound over every such device before Wine starts, and with a
# fresh prefix in a temporary folder. scripts/wine-test sets this up and runs
# a command in it; scripts that need a port map one to a pseudo-terminal:
#
#   ksv_wine_isolate                 bind /dev/null over the serial devices
#                                    (root, in a private mount namespace only)
#   ksv_wine_display_start           a virtual display for the session
#   ksv_wine_prefix_new              fresh prefix (and home) in a temporary folder
#   ksv_wine_map_port COM5 /dev/pts/3
#                                    \\.\COM5 under Wine reaches that device
#   ksv_wine_end                     stop Wine, remove the prefix
#
# Wine reads the COM names (HKLM\Software\Wine\Ports) when its session starts,
# so ksv_wine_map_port writes the name and then restarts the wine server; the
# next Windows program started begins a new session that has the port.

export WINEDEBUG=${WINEDEBUG:--all}
# No .NET or browser add-ons: they cannot be downloaded and nothing needs them.
# Nor desktop entries: winemenubuilder would write the shortcuts an installer
# makes into the real home's desktop and menus.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}
export WINEARCH=win64

ksv_wine_serial_devices() {
  local d
  for d in /dev/ttyS* /dev/ttyUSB* /dev/ttyACM* /dev/ttyAMA* /dev/rfcomm*; do
    [ -e "$d" ] && echo "$d"
  done
  return 0
}

ksv_wine_isolate() {
  if [ "$(readlink /proc/self/ns/mnt)" = "$(readlink /proc/1/ns/mnt)" ]; then
    echo "ksv_wine_isolate: not in a private mount namespace (use scripts/wine-test)" >&2
    return 1
  fi
  local d
  for d in $(ksv_wine_serial_devices); do
    mount --bind /dev/null "$d" || return 1
  done
  # Checked, not assumed: every one of them must now be /dev/null.
  for d in $(ksv_wine_serial_devices); do
    if [ "$(stat -Lc %t:%T "$d")" != "$(stat -Lc %t:%T /dev/null)" ]; then
      echo "ksv_wine_isolate: $d is still a serial device" >&2
      return 1
    fi
  done
}

# A virtual display (Xvfb) for the whole Wine session: Wine's desktop process
# starts with the session and takes the display it finds then, so a window
# program has windows only if the display was there first.
ksv_wine_display_start() {
  ksv_wine_tmp
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$KSV_WINE_TMP/display" \
    >"$KSV_WINE_TMP/xvfb.log" 2>&1 &
  KSV_WINE_XVFB=$!
  local i display=""
  for i in $(seq 100); do
    display=$(cat "$KSV_WINE_TMP/display")
    [ -n "$display" ] && DISPLAY=:$display xwininfo -root >/dev/null 2>&1 && break
    sleep 0.2
  done
  [ -n "$display" ] || { echo "ksv_wine_display_start: Xvfb did not start" >&2; return 1; }
  export DISPLAY=:$display
}

ksv_wine_tmp() {
  [ -n "${KSV_WINE_TMP:-}" ] && return 0
  export KSV_WINE_TMP
  KSV_WINE_TMP=$(mktemp -d "${TMPDIR:-/tmp}/ksv-wine-XXXXXX")
}

# The prefix links the user's Desktop, Documents and Downloads to $HOME: a
# home of its own, so that nothing run under Wine writes into the real one.
ksv_wine_prefix_new() {
  ksv_wine_tmp
  export HOME="$KSV_WINE_TMP/home"
  mkdir -p "$HOME"
  export WINEPREFIX="$KSV_WINE_TMP/prefix"
  wineboot -i >"$KSV_WINE_TMP/wineboot.log" 2>&1 || {
    cat "$KSV_WINE_TMP/wineboot.log" >&2
    return 1
  }
  ksv_wine_server_start
}

# A wine server that stays up between programs, with the session's own
# processes (services, devices) started here: every test case is a Windows
# program of its own, starting a session costs seconds, and the session's
# processes would otherwise keep the first program's output open (ctest waits
# for it until its timeout).
ksv_wine_server_start() {
  wineserver -w
  wineserver -p >>"$KSV_WINE_TMP/wineserver.log" 2>&1
  wineboot </dev/null >/dev/null 2>&1
}

ksv_wine_map_port() {
  local name=$1 device=$2
  [ -e "$device" ] || { echo "ksv_wine_map_port: no $device" >&2; return 1; }
  wine reg add 'HKLM\Software\Wine\Ports' /v "$name" /t REG_SZ /d "$device" /f >/dev/null || return 1
  wineserver -k
  ksv_wine_server_start
}

ksv_wine_end() {
  [ -n "${WINEPREFIX:-}" ] && { wineserver -k 2>/dev/null || true; }
  [ -n "${KSV_WINE_XVFB:-}" ] && { kill "$KSV_WINE_XVFB" 2>/dev/null || true; }
  [ -n "${KSV_WINE_TMP:-}" ] && rm -rf "$KSV_WINE_TMP"
  return 0
}
