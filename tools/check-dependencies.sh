#!/usr/bin/env bash
# Checks that dependencies run one way: the drawing core (model/, render/,
# edit/) includes no window, tool-bar or dialog header and never names the
# main window; it reaches the windows only through its window seam
# (model/windowseam.h). Prints what breaks the rule and fails; silent when
# the rule holds.
#   bash tools/check-dependencies.sh [SOURCE_DIR]
set -uo pipefail

cd "${1:-$(dirname "$0")/..}" || exit 2

includes=$(grep -rnE '#include "(app/(qtmainfrm|qtchildfrm|canvaspainterscope)|toolbars/(shapestoolbar|.*attrstoolbar)|dialogs/)' \
  model render edit)
names=$(grep -rlw mainWindow model render edit)

if [ -n "$includes" ] || [ -n "$names" ]; then
  echo "The drawing core reaches the windows other than through model/windowseam.h:" >&2
  [ -n "$includes" ] && echo "$includes" >&2
  [ -n "$names" ] && echo "$names" | sed 's/$/: names mainWindow/' >&2
  exit 1
fi
exit 0
