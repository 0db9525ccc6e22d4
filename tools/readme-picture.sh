#!/usr/bin/env bash
# Renders the README's picture of the main window from the demo calendar,
# with default settings (a throwaway settings folder) and without a display.
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data" QT_QPA_PLATFORM=offscreen \
  "$build/bin/orbelin" --grab "$root/docs/images/main-window.png" --view month --date 2026-12-10 \
  "$root/docs/images/demo-calendar.vrx"
echo "wrote docs/images/main-window.png"
