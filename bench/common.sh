# Set-up shared by the benchmark scripts; sourced from the top of the tree.

# The generated corpus of MEGABYTES in build/bench-data ($data), made once for
# each size (the marker says which size the files there are). make_corpus is
# built when the corpus must be made.
data=build/bench-data
ensure_corpus() {
    local mb="$1"
    mkdir -p "$data"
    [ -f "$data/corpus-$mb.ready" ] && return 0
    echo "Generating the ${mb} MB corpus..." >&2
    cmake --preset native >/dev/null
    cmake --build --preset native --target make_corpus >/dev/null
    rm -f "$data"/corpus-*.ready
    build/native/bench/make_corpus "$data" "$mb" >&2
    touch "$data/corpus-$mb.ready"
}

# The benchmarks' own Wine session (prefix, Xvfb, server) in $session, and how
# to run a Windows program in it: in_wine PROGRAM ARGS... (a command, so that
# time and other runners can start it too).
session=build/bench-wine
in_wine=(env WINE_SESSION_ENV="$PWD/$session/wine-session.env" scripts/wine-run.sh)
start_bench_wine() {
    mkdir -p "$session"
    scripts/wine-session.sh start "$session" >&2
}
stop_bench_wine() { scripts/wine-session.sh stop "$session" >&2 || true; }

# The path Wine's programs see for a file of ours.
winpath() { printf 'Z:%s' "$(realpath -m "$1" | tr '/' '\\')"; }
