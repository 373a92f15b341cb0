#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, build-fuzz/) and runs every one for SECONDS seconds (default
# 30), each on a scratch copy of its seed corpus under build-fuzz/fuzz-runs/<target>/, so the
# checked-in corpora are never written. Prints one line per target: executions, executions per
# second and findings (crash, leak, timeout and out-of-memory files, or "none"). Exits 1 when any
# target found something or could not run.
#
#   bash scripts/fuzz.sh [SECONDS] [TARGET...]
#
# FUZZ_JOBS sets the build's parallel jobs (default 3). A finding is replayed with
#   build-fuzz/<dir>/<target> <artifact file>
# and, once the fault is mended, belongs in the target's corpus as a seed.
set -euo pipefail

# All in one function, read whole before it runs: editing this file during a run changes nothing.
main() {
  cd "$(dirname "$0")/.."
  root=$PWD

  seconds=${1:-30}
  if ! [[ $seconds =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 [SECONDS] [TARGET...]   (SECONDS a whole number above 0, default 30)" >&2
    exit 2
  fi
  shift $(( $# > 0 ? 1 : 0 ))

  build=$root/build-fuzz
  # target, executable under build-fuzz, seed corpus under the sources
  table=(
    "gif_fuzzer                   fuzz/gif_fuzzer                                 fuzz/corpus/gif"
    "frame_decoder_fuzz           fuzz/comm/frame_decoder_fuzz                    fuzz/comm/corpus"
    "fuzz_device_project_reader   fuzz/device/fuzz_device_project_reader          fuzz/device/corpus/project_reader"
    "fuzz_device_ini_reader       fuzz/device/fuzz_device_ini_reader              fuzz/device/corpus/ini_reader"
    "fuzz_device_reply_adapter    fuzz/device/fuzz_device_reply_adapter           fuzz/device/corpus/reply_adapter"
    "fuzz_device_reply_queue      fuzz/device/fuzz_device_reply_queue             fuzz/device/corpus/reply_queue"
    "fuzz_pages_caption_bmp       fuzz/pages/fuzz_pages_caption_bmp               fuzz/pages/corpus/caption_bmp"
    "fuzz_pages_encoder_answer    fuzz/pages/fuzz_pages_encoder_answer            fuzz/pages/corpus/encoder_answer"
    "fuzz_pages_system_info       fuzz/pages/fuzz_pages_system_info               fuzz/pages/corpus/system_info"
    "fuzz_pages_task_rules        fuzz/pages/fuzz_pages_task_rules                fuzz/pages/corpus/task_rules"
    "fuzz_preview_h264_stream     fuzz/preview/fuzz_preview_h264_stream           fuzz/preview/corpus/h264_stream"
    "fuzz_shell_discovery_targets fuzz/shell/fuzz_shell_discovery_targets         fuzz/shell/corpus/discovery_targets"
    "fuzz_shell_reply_dispatch    fuzz/shell/fuzz_shell_reply_dispatch            fuzz/shell/corpus/reply_dispatch"
  )

  selected=()
  for row in "${table[@]}"; do
    read -r name _ _ <<<"$row"
    if (( $# == 0 )); then
      selected+=("$row")
      continue
    fi
    for want in "$@"; do
      [[ $want == "$name" ]] && selected+=("$row")
    done
  done
  if (( ${#selected[@]} == 0 )); then
    echo "no such target: $*" >&2
    exit 2
  fi

  # The fuzz build: clang, every library instrumented; the tests are not needed here.
  mkdir -p "$build"
  if [[ ! -f $build/CMakeCache.txt ]]; then
    CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DSVP_FUZZ=ON -DSVP_BUILD_TESTS=OFF \
      >"$build/fuzz-configure.log" 2>&1 || { cat "$build/fuzz-configure.log" >&2; exit 1; }
  fi
  targets=()
  for row in "${selected[@]}"; do
    read -r name _ _ <<<"$row"
    targets+=("$name")
  done
  cmake --build "$build" -j "${FUZZ_JOBS:-3}" --target "${targets[@]}" >"$build/fuzz-build.log" 2>&1 ||
    { tail -n 50 "$build/fuzz-build.log" >&2; exit 1; }

  export ASAN_OPTIONS="detect_leaks=1:suppressions=$root/scripts/asan.supp"
  export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  export QT_QPA_PLATFORM=offscreen

  status=0
  printf '%-30s %12s %10s  %s\n' target executions exec/s findings
  for row in "${selected[@]}"; do
    read -r name exe corpus <<<"$row"
    run=$build/fuzz-runs/$name
    rm -rf "$run"
    mkdir -p "$run/corpus" "$run/artifacts"
    cp -R "$root/$corpus/." "$run/corpus/"
    # libFuzzer stops at the first finding; the run's own status says no more than its files do.
    (cd "$run" && "$build/$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$run/artifacts/" "$run/corpus" >"$run/log" 2>&1) || true

    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$run/log" | tail -n 1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$run/log" | tail -n 1)
    if [[ -z $execs ]]; then
      # Stopped by a finding before the final statistics: the last progress line's count.
      execs=$(grep -oE '^#[0-9]+' "$run/log" | tail -n 1 | tr -d '#' || true)
    fi
    findings=$(cd "$run/artifacts" && ls -1 2>/dev/null | grep -E '^(crash|leak|timeout|oom)-' | tr '\n' ' ' || true)
    if [[ -n $findings ]]; then
      status=1
      findings="$findings(in $run/artifacts, log $run/log)"
    elif [[ -z $execs ]] || ! grep -q 'Done [0-9]* runs' "$run/log"; then
      status=1
      findings="did not run to the end, see $run/log"
    else
      findings=none
    fi
    printf '%-30s %12s %10s  %s\n' "$name" "${execs:-?}" "${rate:-?}" "$findings"
  done
  return $status
}

main "$@"
