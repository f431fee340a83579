#!/usr/bin/env bash
# The layering check run on small made-up trees: it names the line of the
# offending include itself (line 1 too), refuses a relative include that
# leaves the file's folder whatever folder it reaches, lets one that stays
# inside through, and passes a tree that keeps the layers.
set -u
check=$(dirname "$0")/layering_check.sh
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
failures=0

expect() { # what, output, pattern
    if ! grep -q -- "$3" <<<"$2"; then
        echo "FAIL: $1: no line matching '$3' in:"
        echo "$2"
        failures=$((failures + 1))
    fi
}

mkdir -p "$tree/engine/model/sub" "$tree/ui/screen"
printf '#include "ui/screen/draw.h"\n' >"$tree/engine/model/first_line.cpp"
printf '// a comment\n\n#include <cstdint>\n#include "engine/model/globals.h"\n#include "ui/screen/draw.h"\n' \
    >"$tree/engine/model/fifth_line.cpp"
printf '#include <cstdint>\n#include "../../ui/screen/draw.h"\n' >"$tree/engine/model/relative_up.cpp"
printf '#include "../../engine/model/globals.h"\n' >"$tree/ui/screen/relative_down.cpp"
printf '#include "../globals.h"\n' >"$tree/engine/model/sub/inside.cpp"
touch "$tree/engine/model/globals.h" "$tree/ui/screen/draw.h"

out=$("$check" "$tree" engine/model ui/screen)
status=$?
[ $status -ne 0 ] || { echo "FAIL: a tree with upward includes passed"; failures=$((failures + 1)); }
expect "upward include on line 1" "$out" '^engine/model/first_line.cpp:1: includes ui/screen/draw.h from a higher layer$'
expect "upward include on line 5" "$out" '^engine/model/fifth_line.cpp:5: includes ui/screen/draw.h from a higher layer$'
expect "relative include up" "$out" '^engine/model/relative_up.cpp:2: includes ../../ui/screen/draw.h, a relative path out of engine/model$'
expect "relative include down" "$out" '^ui/screen/relative_down.cpp:1: includes ../../engine/model/globals.h, a relative path out of ui/screen$'
if grep -q inside.cpp <<<"$out"; then
    echo "FAIL: a relative include inside the folder was refused: $out"
    failures=$((failures + 1))
fi
if [ "$(wc -l <<<"$out")" -ne 4 ]; then
    echo "FAIL: expected four complaints, got:"
    echo "$out"
    failures=$((failures + 1))
fi

rm "$tree"/engine/model/first_line.cpp "$tree"/engine/model/fifth_line.cpp \
   "$tree"/engine/model/relative_up.cpp "$tree"/ui/screen/relative_down.cpp
out=$("$check" "$tree" engine/model ui/screen) || {
    echo "FAIL: a tree that keeps the layers was refused: $out"
    failures=$((failures + 1))
}
[ $failures -eq 0 ] && echo "layering check: all cases hold"
exit $((failures > 0))
