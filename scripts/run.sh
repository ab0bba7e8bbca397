#!/usr/bin/env bash
# Builds Quorvane and runs it beside the sample applications.
#
#   scripts/run.sh [--offscreen]
#
# With a reachable X display, Quorvane's window opens there and the script waits until
# Quorvane quits. Without one (or with --offscreen), everything runs offscreen in a
# private runtime directory: the analysis is printed, a screenshot of the window is saved
# to out/quorvane.png once the outline has filled, and Quorvane is asked to quit.
# docs/running.md describes both modes.
set -euo pipefail
cd "$(dirname "$0")/.."

offscreen=0
for argument in "$@"; do
  case "$argument" in
    --offscreen) offscreen=1 ;;
    *) echo "usage: scripts/run.sh [--offscreen]" >&2; exit 2 ;;
  esac
done

scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)"

bin=build/default/bin
samples=()
for sample in SampleViewer SampleWorkbench; do
  [ -x "$bin/$sample" ] && samples+=("$sample")
done

if [ "$offscreen" -eq 0 ] && [ -n "${DISPLAY:-}" ] \
    && timeout 5 xwd -root -silent >/dev/null 2>&1; then
  mode=display
else
  mode=offscreen
fi

if [ "$mode" = offscreen ]; then
  export BE_DISPLAY=offscreen
  # A private world: its own registrar, nothing left behind.
  BEKIT_RUNTIME_DIR="$(mktemp -d /tmp/quorvane-run.XXXXXX)"
  export BEKIT_RUNTIME_DIR
  runtime="$BEKIT_RUNTIME_DIR"
else
  # The user's runtime directory, as every application of the kit finds it; the first
  # application starts the registrar there when none runs.
  runtime="${BEKIT_RUNTIME_DIR:-${XDG_RUNTIME_DIR:+$XDG_RUNTIME_DIR/bekit}}"
  runtime="${runtime:-/tmp/bekit-$(id -u)}"
fi

pids=()
registrar=""
# SIGTERM asks an application of the kit to quit; one that refuses (a window may say no)
# is killed after five seconds.
stop() {
  kill -TERM "$1" 2>/dev/null || return 0
  for _ in $(seq 50); do
    kill -0 "$1" 2>/dev/null || break
    sleep 0.1
  done
  kill -KILL "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}
cleanup() {
  for pid in "${pids[@]}"; do
    stop "$pid"
  done
  if [ -n "$registrar" ]; then
    stop "$registrar"
    rm -rf "$BEKIT_RUNTIME_DIR"
  fi
}
trap cleanup EXIT

# Waits (at most ten seconds) for a socket to appear.
wait_for_socket() {
  for _ in $(seq 100); do
    [ -S "$1" ] && return 0
    sleep 0.1
  done
  echo "run.sh: $1 did not appear" >&2
  return 1
}

if [ "$mode" = offscreen ]; then
  "$bin/registrar" &
  registrar=$!
  wait_for_socket "$runtime/registrar"
fi

for sample in "${samples[@]}"; do
  "$bin/$sample" &
  pids+=($!)
  wait_for_socket "$runtime/app-$!"
done

if [ "$mode" = display ]; then
  echo "Quorvane opens on $DISPLAY; close its window or press Ctrl+Q to quit."
  "$bin/Quorvane"
  exit 0
fi

mkdir -p out
rm -f out/Quorvane-Quorvane.png out/quorvane.png
BE_SCREENSHOT_DIR="$PWD/out" "$bin/Quorvane" > >(tee out/quorvane.log) 2>&1 &
quorvane=$!
# The outline has filled when the analysis log has been quiet for two seconds (the log
# ends with the last application's tree; its row reaches the window right after).
last=-1
for _ in $(seq 300); do
  sleep 0.5
  size=$(stat -c %s out/quorvane.log 2>/dev/null || echo 0)
  if [ "$size" -gt 0 ] && [ "$size" -eq "$last" ]; then
    quiet=$((${quiet:-0} + 1))
    [ "$quiet" -ge 4 ] && break
  else
    quiet=0
  fi
  last=$size
done
# SIGTERM asks Quorvane to quit as its menu's "Quit" does; the window leaves its last
# picture behind as it closes.
stop "$quorvane"
if [ -f out/Quorvane-Quorvane.png ]; then
  mv out/Quorvane-Quorvane.png out/quorvane.png
  echo "Screenshot of the Quorvane window: out/quorvane.png"
else
  echo "run.sh: no screenshot was saved" >&2
  exit 1
fi
