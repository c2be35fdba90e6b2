#!/usr/bin/env bash
# The README's set-up commands (the lines of its first sh block) are the
# scripts' own: each names an executable script of the checkout whose header
# lists the same command among its usage lines ("#   scripts/X ARGS  ...").
#   readme_commands_test.sh TOP
set -uo pipefail
top=$1
cmds=$(awk '/^```sh$/ { on = 1; next } /^```$/ && on { exit } on' "$top/README.md" | sed 's/ *#.*//')
failures=0
[ "$(wc -l <<<"$cmds")" = 2 ] || { echo "FAIL: not two set-up commands: $cmds" >&2; failures=1; }
while read -r cmd; do
  script=${cmd%% *}
  if [ ! -x "$top/$script" ] || ! bash -n "$top/$script"; then
    echo "FAIL: $script is no runnable script" >&2; failures=$((failures + 1))
  elif ! grep -q "^#   $cmd\( \|$\)" "$top/$script"; then
    echo "FAIL: '$cmd' is not among the usage lines of $script" >&2; failures=$((failures + 1))
  fi
done <<<"$cmds"
[ "$failures" = 0 ] && echo "readme_commands: $(tr '\n' ';' <<<"$cmds")"
