#!/usr/bin/env bash
# Keeps the libraries linked in one direction: no CMake file links a rescanned group, the rules
# call no function another library defines, and no libraries need each other in a circle.
# Usage: check_linking.sh <source root> <static library>...
set -u
root=$1
shift
status=0
groups=$(grep -lE 'LINK_GROUP|start-group' "$root/CMakeLists.txt" \
    $(find "$root"/{cmake,packaging,persistence,platform,presentation,resources,rules,shell,tests,tools} \
        \( -name CMakeLists.txt -o -name '*.cmake' \) 2>/dev/null))
if [ -n "$groups" ]; then
    echo "link groups in:"; echo "$groups"; status=1
fi
# "library symbol" for what each library defines (strongly: inline and template code is weak in
# every library that uses it) and needs from outside itself, then "user library symbol".
needs=$(for lib in "$@"; do
    name=$(basename "$lib" .a)
    nm -g --defined-only "$lib" | awk -v lib="$name" '$2 ~ /^[TDBR]$/ { print "D", lib, $3 }'
    nm -g --undefined-only "$lib" | awk -v lib="$name" '{ print "U", lib, $NF }'
done | awk '$1 == "D" { def[$3] = def[$3] " " $2; own[$2, $3] = 1; next }
    { use[$2, $3] = 1 }
    END { for (k in use) { split(k, u, SUBSEP); if ((u[1], u[2]) in own) continue
              n = split(def[u[2]], by, " "); for (i = 1; i <= n; ++i) print u[1], by[i], u[2] } }')
rules=$(echo "$needs" | awk '$1 == "libglimora_rules" { print $2 ": " $3 }')
if [ -n "$rules" ]; then
    echo "the rules call other libraries:"; echo "$rules" | c++filt; status=1
fi
if ! loop=$(echo "$needs" | awk 'NF == 3 { print $1, $2 }' | sort -u | tsort 2>&1 >/dev/null); then
    echo "libraries that need each other:"; echo "$loop"; status=1
fi
[ $status -eq 0 ] && echo "linking ok: $# libraries in one direction"
exit $status
