#!/usr/bin/env bash
# Starts the desktop program from a build folder; says what was built when it is not there yet.
set -euo pipefail
build=${1:-build}
shift || true
if [ -x "$build/bin/orbelin" ]; then
  exec "$build/bin/orbelin" "$@"
fi
echo "The desktop program is not built yet. What is there in $build/bin:"
for f in "$build"/bin/*; do
  [ -e "$f" ] || continue
  case "$(basename "$f")" in
    orbelin-cli) echo "  orbelin-cli    the command-line tool (try: $f --help)";;
    res409.so)   echo "  res409.so      the language module with the program's texts";;
    test_*)      echo "  $(basename "$f")  tests (make test runs them all)";;
    *)           echo "  $(basename "$f")";;
  esac
done
