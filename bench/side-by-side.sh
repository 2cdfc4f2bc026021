#!/usr/bin/env bash
# bench/side-by-side.sh [--quick] [commit]
# Runs the journal benchmarks for an older commit (2a0a7b4, before the
# compact journal, by default) and for this tree in the same run, so both
# meet the same machine load. The older commit is taken from git into
# build-old/src and built in build-old/build with this tree's benchmark
# sources; this tree is built in build/. Then, old and new one after the
# other each time: bench_journal to 1,000,000 compositions (100,000 with
# --quick), bench_stalls (a 200 MB file opened, F2 with a 50 MB hero and a
# 50 MB title, a 10-million-character line pasted) on an X server with
# openbox, and the autogeneration soak, both programs at once for 10 minutes
# (2 with --quick). Prints everything; takes about an hour on two cores.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/packages.sh"

quick=false
if [ "${1:-}" = --quick ]; then
  quick=true
  shift
fi
commit="${1:-2a0a7b4}"
compositions=1000000
minutes=10
if $quick; then
  compositions=100000
  minutes=2
fi

old="$root/build-old"
heading "Building $commit in build-old/ and this tree in build/"
rm -rf "$old/src"
mkdir -p "$old/src"
git -C "$root" archive "$commit" | tar -x -C "$old/src"
# The same benchmark programs on both sides.
cp "$root"/bench/journal/{CMakeLists.txt,JournalBench.cpp,StallBench.cpp} "$old/src/bench/journal/"
build_yarnspin "$old/src" "$old/build" -- yarnspin bench_journal bench_stalls
build_yarnspin "$root" "$root/build" -- yarnspin bench_journal bench_stalls

# on_x <command>...: runs it on an X server of its own with openbox.
on_x() {
  "$root/tests/support/with-own-xserver.sh" bash -c 'openbox >/dev/null 2>&1 & sleep 1; "$@"; status=$?; kill %1; exit $status' on_x "$@"
}

for side in old new; do
  build="$root/build"
  [ "$side" = old ] && build="$old/build"
  heading "bench_journal $compositions, $side"
  "$build/bench/bench_journal" "$compositions" 2>/dev/null
done

for scenario in "open 200" "compose accounts 50" "compose titles 50" "paste 10"; do
  for side in old new; do
    build="$root/build"
    [ "$side" = old ] && build="$old/build"
    heading "bench_stalls $scenario, $side"
    # shellcheck disable=SC2086
    on_x "$build/bench/bench_stalls" $scenario 2>/dev/null
  done
done

heading "Autogeneration soak, $minutes minutes, old and new at once"
"$root/bench/journal/soak-autogeneration.sh" --minutes "$minutes" "$old/build/bin/yarnspin" "$root/build/bin/yarnspin"
