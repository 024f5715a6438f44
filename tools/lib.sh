# What the scripts of tools/ share; each sources it and then works from the
# repository's root:
#   source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
# Sets ZEMKARI_ROOT and changes into it.

# The repository's root: the folder above the one this file is in, wherever the
# script was started from.
ZEMKARI_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ZEMKARI_ROOT" || exit 1

# Builds the browser page's whole site into build/web/site (web preset).
build_web() {
  cmake --preset web >/dev/null && cmake --build --preset web
}

# Runs python3 with the project's Python tools (tools/zemkari_tools) importable.
browser_python() {
  PYTHONPATH="$ZEMKARI_ROOT/tools${PYTHONPATH:+:$PYTHONPATH}" /usr/bin/python3 "$@"
}

# Runs a command on a private X server (tools/with-xvfb.sh) of screen SCREEN (Xvfb's
# "-screen 0" argument, e.g. "1024x768x24 -dpi 96") with openbox managing its windows,
# once openbox has taken over; stops openbox afterwards. The command's status is the
# function's.
# Usage: with_window_manager SCREEN COMMAND [ARG...]
with_window_manager() {
  local screen=$1
  shift
  "$ZEMKARI_ROOT/tools/with-xvfb.sh" -s "-screen 0 $screen" bash -c '
    openbox >/dev/null 2>&1 &
    wm=$!
    # The window manager has taken over once it names itself on the root window.
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
      kill -0 $wm 2>/dev/null || { echo "openbox did not start" >&2; exit 1; }
      sleep 0.1
    done
    status=0
    "$@" || status=$?
    kill $wm
    exit $status' bash "$@"
}
