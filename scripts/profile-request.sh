#!/usr/bin/env bash
# Counts what one scripting request costs on both sides: instructions (callgrind) and
# system calls (strace -c), for `Quorvane --json` of a FaultTargetApp of WINDOWS windows,
# each a chain of DEPTH nested views, on a private registrar. Instruction counts do not
# depend on the machine's load, unlike times.
#
#	scripts/profile-request.sh [BUILD] [OUT] [WINDOWS] [DEPTH]
#
# BUILD defaults to build/default, OUT to profile/ (ignored by git), WINDOWS to 10 and
# DEPTH to 100 (6,062 requests, each with up to 101 specifiers, as in AnalysisBench). It
# writes OUT/quorvane.cg, OUT/app.<pid>.cg.1 (the application, from its first request to
# its last), OUT/quorvane.strace and OUT/app.strace; read them with
# `callgrind_annotate --inclusive=yes`. Needs valgrind and strace.
set -euo pipefail

build=${1:-build/default}
out=${2:-profile}
windows=${3:-10}
depth=${4:-100}
signature=application/x-vnd.profile-nested
mkdir -p "$out"

export BEKIT_RUNTIME_DIR=$(mktemp -d /tmp/profile-request.XXXXXX) BE_DISPLAY=offscreen
pids=()
cleanup() {
	for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
	wait 2>/dev/null || true
	rm -rf "$BEKIT_RUNTIME_DIR"
}
trap cleanup EXIT

"$build/bin/registrar" & pids+=($!)
wait_for_application() {
	for _ in $(seq 100); do
		"$build/bin/Quorvane" --send "$signature" count Window >/dev/null 2>&1 && return 0
		sleep 0.2
	done
	echo "the application did not start" >&2
	return 1
}

# Instructions: the application's counters are zeroed once it answers, and dumped after
# the analysis.
# Names uncompressed: a later dump would refer to names defined in an earlier one.
valgrind --tool=callgrind --compress-strings=no --callgrind-out-file="$out/app.%p.cg" \
	"$build/bin/FaultTargetApp" "$signature" nested "$windows" "$depth" 2>"$out/app.vg" &
application=$!
pids+=($application)
wait_for_application
callgrind_control -z "$application" >/dev/null
valgrind --tool=callgrind --callgrind-out-file="$out/quorvane.cg" \
	"$build/bin/Quorvane" --json "$signature" >/dev/null 2>"$out/quorvane.vg"
callgrind_control -d "$application" >/dev/null
kill "$application"
wait "$application" || true

# System calls, without valgrind.
"$build/bin/FaultTargetApp" "$signature" nested "$windows" "$depth" &
application=$!
pids+=($application)
wait_for_application
strace -c -f -p "$application" -o "$out/app.strace" &
tracer=$!
sleep 1
strace -c -f -o "$out/quorvane.strace" "$build/bin/Quorvane" --json "$signature" >/dev/null 2>&1
sleep 0.5
kill -INT "$tracer"
wait "$tracer" || true
