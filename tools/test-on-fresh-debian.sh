#!/usr/bin/env bash
# Runs the README's two commands as a newcomer would: in a minimal Debian 12 made for
# this run (debootstrap's default variant of bookworm, from the host's Debian mirror),
# the source copied in as `git archive HEAD` gives it, as root in a plain environment
# (env -i, chroot):
#   tools/test.sh   installs the packages, builds and runs every test;
#   tools/play.sh   must build the game and bring its window up on an X server (Xvfb),
#                   the game still running 5 s later; then it is closed.
# Prints how long each phase took. Exits with the test command's status, or 1 when it
# passed but the game did not come up. Every process of the fresh system and every mount
# into it are gone when this script ends, whether the run passed, failed or was
# interrupted, and the fresh system is deleted.
#
# Needs root and a git clone. The pristine base is kept as a tarball in
# $ZEMKARI_CI_CACHE (default /var/cache/zemkari-ci) and bootstrapped again once it is a
# week old; each run unpacks a copy under /var/tmp.
#
# Usage: tools/test-on-fresh-debian.sh [--no-play] [COMMAND]
#   COMMAND   a shell command run at the source's root instead of tools/test.sh, to try
#             one script on a fresh system, e.g. 'tools/install-deps.sh && tools/lighthouse.sh'
#   --no-play leaves out the check of tools/play.sh
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

cache=${ZEMKARI_CI_CACHE:-/var/cache/zemkari-ci}
base=$cache/bookworm-base.tar
source_dir=/root/zemkari
# What a root login on Debian has; nothing of the caller's environment gets in but the
# CA bundle's place for the tools that are told it by variable (Node.js for one).
plain_env=(HOME=/root LANG=C.UTF-8 PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin)
for variable in NODE_EXTRA_CA_CERTS SSL_CERT_FILE; do
  [[ -n ${!variable:-} ]] && plain_env+=("$variable=/etc/ssl/certs/ca-certificates.crt")
done
system=    # the fresh system's folder, once there is one
job=       # the command running in the background, if any
origin=    # where the base came from
revision=  # the commit under test
phases=()
running=bootstrap  # the phase under way
run_started=$(date +%s)
phase_started=$run_started

# finish_phase NAME NOTE [END]: records the phase that started at phase_started and
# ended at END (seconds since the epoch, default now).
finish_phase() {
  local end=${3:-$(date +%s)}
  phases+=("$(printf '%-13s %6d s  %s' "$1" $((end - phase_started)) "$2")")
  phase_started=$end
  running=
}

print_phases() {
  ((${#phases[@]} > 0)) || return 0
  printf '\n== Phases on a fresh Debian 12 (%s)\n' "${revision:0:12}"
  printf '%s\n' "${phases[@]}"
  printf '%-13s %6d s\n' total $(($(date +%s) - run_started))
}

# The host's mirror of a suite, as its apt sources name it.
mirror_of() {
  # shellcheck disable=SC2016 # apt's own placeholders
  apt-get indextargets --format '$(SITE) $(CODENAME)' 'Created-By: Packages' 2>/dev/null |
    awk -v suite="$1" '$2 == suite { print $1; exit }'
}

# Processes whose root is DIR or below it: those of the fresh system.
processes_in() {
  find /proc -mindepth 2 -maxdepth 2 -name root \( -lname "$1" -o -lname "$1/*" \) 2>/dev/null | cut -d/ -f3
}

# Ends every process of the fresh system at DIR: asked for 5 s, then killed.
stop_processes_in() {
  local pids signal=TERM deadline=$((SECONDS + 5))
  while :; do
    mapfile -t pids < <(processes_in "$1")
    ((${#pids[@]} > 0)) || return 0
    ((SECONDS < deadline)) || signal=KILL
    if ((SECONDS > deadline + 10)); then
      echo "test-on-fresh-debian: processes still running in $1: ${pids[*]}" >&2
      return 1
    fi
    kill -"$signal" "${pids[@]}" 2>/dev/null || true
    sleep 0.2
  done
}

# Says which processes COMMAND left running in the fresh system.
report_leftovers() {
  local pids
  mapfile -t pids < <(processes_in "$system")
  ((${#pids[@]} == 0)) && return 0
  echo "test-on-fresh-debian: $1 left running: $(ps -o comm= -p "$(IFS=,; echo "${pids[*]}")" | xargs)" >&2
}

# Mount points at or below DIR, the deepest first.
mounts_under() {
  awk -v dir="$1" '$5 == dir || index($5, dir "/") == 1 { print $5 }' /proc/self/mountinfo | sort -r
}

# Ends the processes of the system at DIR, unmounts everything below it and deletes it;
# deletes nothing while a mount is left, and says so.
remove_system() {
  local dir=$1 point
  stop_processes_in "$dir" || true
  for point in $(mounts_under "$dir"); do
    umount "$point" 2>/dev/null || umount --lazy "$point" || true
  done
  if [[ -n $(mounts_under "$dir") ]]; then
    echo "test-on-fresh-debian: still mounted, $dir kept: $(mounts_under "$dir" | xargs)" >&2
    return 1
  fi
  rm -rf --one-file-system "$dir"
}

finish() {
  local status=$?
  # Cleaning up is not interrupted again.
  trap '' INT TERM HUP
  [[ -n $job ]] && { kill -TERM "$job" 2>/dev/null || true; }
  [[ -n $running ]] && finish_phase "$running" "stopped (status $status)"
  if [[ -n $system ]]; then
    if remove_system "$system"; then
      finish_phase cleanup "the fresh system's processes ended, its mounts undone, its folder deleted"
    else
      status=1
      finish_phase cleanup "incomplete: see above"
    fi
  fi
  print_phases
  exit "$status"
}

# run_job COMMAND [ARG...]: runs a command in the background and waits for it, so that
# a signal reaches this script's traps at once; its status is the command's.
run_job() {
  "$@" </dev/null &
  job=$!
  local status=0
  wait "$job" || status=$?
  job=
  return "$status"
}

# in_system SCRIPT: runs SCRIPT with bash at the source's root in the fresh system.
in_system() {
  run_job env -i "${plain_env[@]}" chroot "$system" /bin/bash -c "cd $source_dir && $1"
}

# The pristine base: debootstrap's default variant of bookworm, bootstrapped again once
# a week so that the packages it starts from do not age. One run at a time renews it.
# Sets origin to where it came from.
renew_base() {
  local lock
  mkdir -p "$cache"
  exec {lock}>"$cache/lock"
  flock "$lock"
  if [[ -f $base && -z $(find "$base" -mtime +6) ]]; then
    origin="the base bootstrapped on $(date -r "$base" '+%Y-%m-%d %H:%M'), $base"
  else
    # The harness's own need, not the project's: the newcomer's machine is what
    # debootstrap makes, so debootstrap runs on the host.
    if ! command -v debootstrap >/dev/null; then
      apt-get update -qq
      DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
    fi
    system=$(mktemp -d /var/tmp/zemkari-bootstrap.XXXXXX)
    run_job debootstrap bookworm "$system" "$1"
    tar -C "$system" --numeric-owner -cpf "$base.partial" .
    mv "$base.partial" "$base"
    remove_system "$system"
    system=
    origin="debootstrap bookworm from $1, kept as $base"
  fi
  exec {lock}>&-
}

# write_sources DIR ARCHIVE SECURITY: the suites the host has, bookworm, its updates and
# its security fixes (Chromium comes from those).
write_sources() {
  rm -f "$1/etc/apt/sources.list"
  cat >"$1/etc/apt/sources.list.d/debian.sources" <<EOF
Types: deb
URIs: $2
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: $3
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
}

# A copy of the base in a new folder, with the host's network (its name servers, and
# the certificate authorities it added, which the ca-certificates package takes into the
# fresh system's bundle once the project's package list installs it), the source, and
# the kernel's file systems mounted.
make_system() {
  system=$(mktemp -d /var/tmp/zemkari-fresh.XXXXXX)
  tar -C "$system" --numeric-owner -xpf "$base"
  chmod 755 "$system"
  write_sources "$system" "$1" "$2"
  # The system lives for one run: dpkg need not sync every file it unpacks to the disk,
  # which would cost minutes over the project's packages.
  echo force-unsafe-io >"$system/etc/dpkg/dpkg.cfg.d/unsafe-io"
  cp -L /etc/resolv.conf /etc/hosts "$system/etc/"
  if [[ -d /usr/local/share/ca-certificates ]]; then
    mkdir -p "$system/usr/local/share/ca-certificates"
    cp -rL /usr/local/share/ca-certificates/. "$system/usr/local/share/ca-certificates/"
  fi
  mkdir -p "$system$source_dir"
  git archive "$revision" | tar -x -C "$system$source_dir"
  # Private mounts, so that nothing mounted into the system shows elsewhere: on a host
  # whose mounts are shared (systemd's default), the tmpfs on the system's /dev/shm
  # would otherwise cover the host's own.
  mount --bind "$system" "$system"
  mount --make-private "$system"
  mount -t proc proc "$system/proc"
  mount -t sysfs sysfs "$system/sys"
  mount --bind /dev "$system/dev"
  mount --make-private "$system/dev"
  mount -t tmpfs -o mode=1777,nosuid,nodev tmpfs "$system/dev/shm"
  mount --bind /dev/pts "$system/dev/pts"
  mount --make-private "$system/dev/pts"
  if [[ -x $system/usr/sbin/update-ca-certificates ]]; then
    env -i "${plain_env[@]}" chroot "$system" update-ca-certificates >/dev/null
  fi
}

# The README's play command on a private X server: the check holds once the game's
# window is mapped and the game is still running, its window still there, 5 s later.
# Runs in the fresh system at the source's root.
play_check() {
  # shellcheck disable=SC2016 # the script runs on the X server
  tools/install-deps.sh && tools/with-xvfb.sh bash -c '
    tools/play.sh &
    play=$!
    started=
    until xwininfo -name Zemkari 2>/dev/null | grep -q "Map State: IsViewable"; do
      if ! kill -0 $play 2>/dev/null; then
        status=0
        wait $play || status=$?
        echo "play: tools/play.sh ended with status $status before the game showed its window" >&2
        exit 1
      fi
      # Building takes what it takes; once play.sh has become the game, the window has a minute.
      if [[ -z $started && $(readlink /proc/$play/exe) == */app/zemkari ]]; then started=$SECONDS; fi
      if [[ -n $started ]] && ((SECONDS - started > 60)); then
        echo "play: the game showed no window within a minute" >&2
        exit 1
      fi
      sleep 0.2
    done
    sleep 5
    if ! kill -0 $play 2>/dev/null || ! xwininfo -name Zemkari 2>/dev/null | grep -q "Map State: IsViewable"; then
      echo "play: the game did not keep its window up for 5 s" >&2
      exit 1
    fi
    kill -TERM $play
    wait $play || true
    echo "play: the game showed its window and was still running 5 s later; closed"'
}

# The whole run is one function, read before it starts: a change to this file during a
# run does not reach that run.
main() {
  local play=yes command archive security test_status=0 play_status=0 installed
  if [[ ${1:-} == --no-play ]]; then
    play=no
    shift
  fi
  command=${1:-tools/test.sh}
  if ((EUID != 0)); then
    echo "test-on-fresh-debian: needs root (debootstrap, mount, chroot)" >&2
    exit 2
  fi
  if ! revision=$(git rev-parse --verify --quiet HEAD); then
    echo "test-on-fresh-debian: needs a git clone: the fresh system gets the source as git archive HEAD gives it" >&2
    exit 2
  fi
  archive=$(mirror_of bookworm)
  security=$(mirror_of bookworm-security)
  archive=${archive:-http://deb.debian.org/debian}
  security=${security:-http://deb.debian.org/debian-security}

  trap finish EXIT
  trap 'echo "test-on-fresh-debian: interrupted" >&2; exit 130' INT
  trap 'echo "test-on-fresh-debian: terminated" >&2; exit 143' TERM HUP

  renew_base "$archive"
  make_system "$archive" "$security"
  finish_phase bootstrap "$origin"

  printf '\n== %s on a fresh Debian 12\n' "$command"
  running="test command"
  in_system "$command" || test_status=$?
  report_leftovers "$command"
  stop_processes_in "$system"
  # The test command starts by installing the packages; apt's history is last written
  # when the last of them is in.
  installed=$(stat -c %Y "$system/var/log/apt/history.log" 2>/dev/null || echo 0)
  if ((installed > phase_started)); then
    finish_phase packages "installed by $command" "$installed"
  fi
  finish_phase "test command" "$command: $( ((test_status == 0)) && echo passed || echo "failed with status $test_status")"

  if [[ $play == yes ]]; then
    printf '\n== tools/play.sh on a fresh Debian 12\n'
    running=play
    in_system "$(declare -f play_check); play_check" || play_status=$?
    report_leftovers tools/play.sh
    finish_phase play "tools/play.sh: $( ((play_status == 0)) && echo "the window up, still there 5 s later" || echo failed)"
  fi

  ((test_status == 0)) || exit "$test_status"
  ((play_status == 0)) || exit 1
  exit 0
}

main "$@"
