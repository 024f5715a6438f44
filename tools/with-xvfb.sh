#!/usr/bin/env bash
# Runs a command on a private X server (Xvfb) with a private session bus and runtime
# folder, then stops the server. The server picks a free display itself (-displayfd)
# and the command starts only once the server accepts connections, so any number of
# these can run side by side. Exits with the command's status.
#
# Usage: tools/with-xvfb.sh [-s "XVFB ARGS"] [--] COMMAND [ARG...]
#        (default Xvfb arguments: -screen 0 1280x1024x24)
set -euo pipefail

server_args=(-screen 0 1280x1024x24)
if [[ ${1:-} == -s ]]; then
  read -ra server_args <<<"${2:?-s needs the server arguments}"
  shift 2
fi
[[ ${1:-} == -- ]] && shift
if (($# == 0)); then
  echo "usage: $0 [-s \"XVFB ARGS\"] [--] COMMAND [ARG...]" >&2
  exit 2
fi

work=$(mktemp -d)
server=
stop() {
  if [[ -n $server ]]; then
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap stop EXIT

# Xvfb writes its display number to the pipe once it is ready for clients; it writes
# nothing if it cannot start, and the read then ends empty.
mkfifo "$work/display"
# -noreset: by default the server resets whenever its last client disconnects (here the
# readiness probe, or a helper such as the accessibility bus launcher) and refuses
# connections while it does, which a client starting at that moment meets as a failure.
Xvfb -displayfd 3 -nolisten tcp -noreset "${server_args[@]}" 3>"$work/display" 2>"$work/xvfb.log" &
server=$!
read -r number <"$work/display" || true
if [[ ! $number =~ ^[0-9]+$ ]]; then
  echo "with-xvfb: Xvfb did not start:" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$number"
if ! xdpyinfo >/dev/null 2>"$work/xdpyinfo.log"; then
  echo "with-xvfb: Xvfb on $DISPLAY refuses connections:" >&2
  cat "$work/xdpyinfo.log" "$work/xvfb.log" >&2
  exit 1
fi

export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DBUS_SESSION_BUS_ADDRESS
status=0
dbus-run-session -- "$@" || status=$?
exit "$status"
