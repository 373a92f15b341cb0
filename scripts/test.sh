#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer + UndefinedBehaviorSanitizer and runs
# the whole suite (X11 tests under Xvfb), then runs the threaded tests under ThreadSanitizer.
# Arguments go to both ctest runs: `bash scripts/test.sh -R EndToEnd` runs the end-to-end suites.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1:suppressions=$PWD/scripts/asan.supp"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# No session bus for the tests: SDL's libdbus would otherwise fork a bus launcher from a threaded
# test process, which can hang under the sanitizers' allocators.
export DBUS_SESSION_BUS_ADDRESS="unix:path=/nonexistent/svp-test-bus"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/scripts/tsan.supp"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSVP_SANITIZE=address,undefined
cmake --build build-asan -j "$jobs"
# Pictures the tests took (every page in English and Chinese, the end-to-end walk) are gathered in
# one folder, named after the test folder that took them, whether or not the run passed.
collect_screenshots() {
    rm -rf build-asan/screenshots && mkdir -p build-asan/screenshots
    find build-asan/tests -name '*.png' -newer build-asan/.suite-start | while read -r f; do
        rel=${f#build-asan/tests/}
        dir=$(dirname "$rel") name=$(basename "$rel")
        prefix=${dir//\//_}_
        [[ $name == "$prefix"* ]] && prefix=
        cp "$f" "build-asan/screenshots/$prefix$name"
    done
    echo "screenshots: $(find build-asan/screenshots -name '*.png' | wc -l) pictures in build-asan/screenshots"
}
touch build-asan/.suite-start
trap collect_screenshots EXIT
(cd build-asan && xvfb-run -a -s "-screen 0 1920x1080x24" ctest --output-on-failure -j "$jobs" --timeout 300 "$@")
collect_screenshots
trap - EXIT

cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSVP_SANITIZE=thread
cmake --build build-tsan -j "$jobs" --target threaded_tests
(cd build-tsan && ctest --output-on-failure -j "$jobs" --timeout 300 -L threaded "$@")
