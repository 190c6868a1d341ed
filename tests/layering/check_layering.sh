#!/usr/bin/env bash
# Keeps the platform seam honest: only the backends may include SDL or Windows headers, and the
# rules include nothing of the platform at all.
set -u
root="${1:-$(dirname "$0")/../..}"
cd "$root" || exit 2
status=0
bad=$(grep -rlE '#\s*include\s*[<"](SDL2?/)?SDL[^>"]*\.h[>"]|#\s*include\s*[<"]windows\.h[>"]' \
      --include='*.h' --include='*.cpp' rules presentation persistence shell resources \
      platform/classic_ui 2>/dev/null)
if [ -n "$bad" ]; then
    echo "OS headers outside platform/:"; echo "$bad"; status=1
fi
bad=$(grep -rlE '#\s*include\s*"(platform|presentation|persistence|shell)/' --include='*.h' --include='*.cpp' rules 2>/dev/null)
if [ -n "$bad" ]; then
    echo "rules/ must not depend on other subsystems:"; echo "$bad"; status=1
fi
[ $status -eq 0 ] && echo "layering ok"
exit $status
