#!/usr/bin/env bash
# The set-up installs by group: the window's group holds none of the test
# tool chain, the web group adds emscripten, the tests' group holds both, and
# ./run asks for the window's group and builds no benchmarks.
set -euo pipefail
root=$1
fail() { echo "setup/groups: $*" >&2; exit 1; }
setup=$root/scripts/setup
window=$("$setup" --print window)
web=$("$setup" --print web)
everything=$("$setup" --print test)
for heavy in chromium emscripten lintian libgtest-dev libbenchmark-dev nodejs xvfb; do
  if grep -qx "$heavy" <<<"$window"; then fail "the window's group installs $heavy"; fi
done
grep -qx emscripten <<<"$web" || fail "the web group lacks emscripten"
for package in $window $web; do
  grep -qx "$package" <<<"$everything" || fail "the tests' group lacks $package"
done
grep -q '^scripts/setup window$' "$root/run" || fail "./run does not ask for the window's group"
grep -q 'SWITCHSIM_BENCHMARKS=OFF' "$root/run" || fail "./run builds the benchmarks"
if "$setup" --print nonsense 2>/dev/null; then fail "an unknown group is not refused"; fi
echo "setup/groups: passed"
