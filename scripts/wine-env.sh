# Shared by the scripts that run Windows programs under Wine. Source it; it
# defines the functions below and sets no state until they are called.
#
# 32-bit Wine needs a kernel that starts 32-bit Linux programs. Where it can't
# (some sandboxed kernels answer "Exec format error"), the Windows tests run in
# a 64-bit build of the same sources under 64-bit Wine; wine_arch says which.

orvo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Prints win32 when 32-bit Wine can run here, else win64.
wine_arch() {
  if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo win32
  else
    echo win64
  fi
}

# The Wine loader for an architecture (win32 or win64).
wine_loader() {
  if [ "$1" = win32 ]; then echo /usr/lib/wine/wine; else echo /usr/lib/wine/wine64; fi
}

# Exports what every Wine command of this project needs. $1: arch, $2: prefix.
wine_env() {
  export WINEARCH=$1 WINEPREFIX=$2
  export WINELOADER; WINELOADER=$(wine_loader "$1")
  export WINEDEBUG=${WINEDEBUG:--all}
  # No Mono or Gecko installers: nothing here needs them.
  export WINEDLLOVERRIDES="mscoree=;mshtml="
  # Code page 932, so that ANSI calls carry Japanese.
  export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
}

# Starts Xvfb on a free display unless DISPLAY already answers; exports DISPLAY
# and sets orvo_xvfb_pid when it started one.
start_display() {
  orvo_xvfb_pid=""
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n
  for n in $(seq 90 130); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    orvo_xvfb_pid=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 100); do
      xdpyinfo >/dev/null 2>&1 && return 0
      kill -0 "$orvo_xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
  done
  echo "could not start Xvfb" >&2
  return 1
}

stop_display() {
  if [ -n "${orvo_xvfb_pid:-}" ]; then
    kill "$orvo_xvfb_pid" 2>/dev/null || true
    wait "$orvo_xvfb_pid" 2>/dev/null || true
    orvo_xvfb_pid=""
  fi
}

# Writes a .reg file the way regedit wants it: UTF-16LE with BOM, CR LF.
wine_import_reg() {
  local tmp
  tmp=$(mktemp --suffix=.reg)
  { printf 'Windows Registry Editor Version 5.00\n\n'; cat; } | sed 's/$/\r/' |
    iconv -f UTF-8 -t UTF-16 >"$tmp"
  "$WINELOADER" regedit /S "$(winepath -w "$tmp" 2>/dev/null || echo "Z:${tmp//\//\\}")"
  rm -f "$tmp"
}

# Creates (once) and boots the prefix named by wine_env: Japanese fonts, no
# crash dialogs, a 1024x768 virtual desktop with a taskbar.
wine_prefix() {
  local stamp="$WINEPREFIX/.orvo-ready"
  if [ ! -f "$stamp" ]; then
    mkdir -p "$WINEPREFIX"
    "$WINELOADER" wineboot -i >/dev/null 2>&1
    wineserver -w
    wine_import_reg <<'REG'
[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"ＭＳ Ｐゴシック"="IPAPGothic"
"MS PGothic"="IPAPGothic"
"MS UI Gothic"="IPAPGothic"
"MS Shell Dlg"="IPAPGothic"
"ＭＳ ゴシック"="IPAGothic"
"MS Gothic"="IPAGothic"
REG
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    mkdir -p "$fonts"
    if [ -f /usr/share/wine/fonts/marlett.ttf ]; then cp /usr/share/wine/fonts/marlett.ttf "$fonts/"; fi
    # The registry reaches the disk when the server ends.
    wineserver -w
    touch "$stamp"
  fi
  # One server for all the programs that follow; wine_stop ends it.
  wineserver -p 60
}

# The end-to-end run's stand-in for the shell's collection of browser windows
# and for the browser (tests/e2e), served from a process of its own, as
# Explorer and Internet Explorer are. CLASS=SERVED... (the .reg lines it
# prints) treats each class as one of the stand-in's, so that Explorer's class
# object is passed over and nothing is in-process.
shell_class={9BA05972-F6A8-11CF-A442-00A0C90A8F39} ie_class={0002DF01-0000-0000-C000-000000000046}
wine_serve() {
  local pair
  for pair; do
    printf '[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\%s\\TreatAs]\n@="%s"\n' "${pair%=*}" "${pair#*=}"
    printf '[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\%s\\LocalServer32]\n@="C:\\\\e2e\\\\orvo_e2e_stand_in.exe"\n' "${pair#*=}"
  done
}

# Starts the stand-in from build folder $1 in the prefix, before any program,
# as Explorer is; sets stand_in_pid once it is ready (it has registered the
# document's type library).
wine_stand_in() {
  local tools=$WINEPREFIX/drive_c/e2e
  mkdir -p "$tools" && cp "$1/tests/win32/e2e/orvo_e2e_stand_in.exe" "$tools/"
  { wine_serve $shell_class={8DF51A28-CE91-424C-80C1-7ED7706BAA02} $ie_class={50194D1F-3BFE-40E2-8A9D-CF091D1A40CA}
    printf '[HKEY_LOCAL_MACHINE\\Software\\Classes\\InternetExplorer.Application\\CLSID]\n@="%s"\n' $ie_class; } |
    wine_import_reg
  "$WINELOADER" "$tools/orvo_e2e_stand_in.exe" &>/dev/null &
  stand_in_pid=$!
  for _ in $(seq 600); do [ -f "$tools/orvo_e2e_document.tlb" ] && return 0; sleep 0.1; done
  echo "the stand-in did not start" >&2 && return 1
}

# The end-to-end run's driver (tests/e2e/e2e_driver.cpp), the exe $1: one
# process for a whole run, a command a line through fds 7 and 8; sets
# driver_pid.
wine_driver() {
  coproc driver { "$WINELOADER" "$1" 2>/dev/null; }
  exec 7>&"${driver[1]}" 8<&"${driver[0]}"
  driver_pid=$driver_PID
}
# COMMAND ARG...: the driver's output lines, and its status. With target_pid
# set, the driver sees only that process's windows.
drive() {
  local IFS=$'\t' line
  echo "${target_pid:-0}$IFS$*" >&7
  while read -r -t 60 line <&8; do [[ $line == "== "* ]] && return "${line:3:1}"; echo "${line%$'\r'}"; done && return 1
}
# The place of the first visible window of CLASS [and TITLE], as WxH+X+Y.
geometry() { drive list | awk -v c="$1" -v t="${2:-}" '$8 == c && $3 == 1 && (t == "" || substr($0, index($0, $9)) == t) {print $6 "x" $7 "+" $4 "+" $5; f=1; exit} END {exit !f}'; }
# The tray icon's place, asked of the tray once it shows the icon. Wine's
# taskbar draws its first icon in the square at the right end of the tray
# window, as tall as the tray.
locate_icon() { IFS='x+' read -r icon_w icon_h icon_x icon_y < <(geometry Shell_TrayWnd) && icon_x=$((icon_x + icon_w - icon_h)) icon_w=$icon_h; }
icon_point() { echo $((icon_x + icon_w / 2 - ${1:-0})) $((icon_y + icon_h / 2 - ${2:-0})); } # [DX DY] left and up of its middle
# The pointer comes onto the icon from elsewhere, which shows its tooltip;
# tip_shown then reads it into $tip.
hover_icon() { xdotool mousemove 500 300 sleep 0.2 mousemove $(icon_point 2 1) sleep 0.1 mousemove $(icon_point); }
tip_shown() { tip=$(drive list | awk '$8 == "tooltips_class32" && $3 == 1 && $9 != "" {print substr($0, index($0, $9)); exit}') && [ -n "$tip" ]; }

wine_stop() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}
