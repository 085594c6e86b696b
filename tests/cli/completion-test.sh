#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The generated bash completion of voxtarn-find, run on command lines: each
# row is the words typed (the last one being completed) | the completions.
#   completion-test.sh COMPLETION_FILE
set -uo pipefail
_init_completion() { words=("${COMP_WORDS[@]}"); cword=$COMP_CWORD; cur=${words[cword]}; prev=${words[cword-1]}; }
_filedir() { if [[ ${1-} == -d ]]; then COMPREPLY=(FOLDERS); else COMPREPLY=(FILES); fi; }
complete() { :; }
source "$1"

failed=0
while IFS='|' read -r typed expected; do
  read -ra COMP_WORDS <<< "$typed"
  [[ $typed == *' ' ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _voxtarn_find
  got="${COMPREPLY[*]}"
  if [[ $got != "$expected" ]]; then
    echo "'$typed': expected '$expected', got '$got'"
    failed=1
  fi
done <<'ROWS'
voxtarn-find |list search filter deck check
voxtarn-find -|-C --encoding --help --version
voxtarn-find -C |FOLDERS
voxtarn-find --encoding c|cp932
voxtarn-find -C x l|list
voxtarn-find list |all runner corp
voxtarn-find list --|--format --records --sort --no-reading --show-reading
voxtarn-find list all --sort |name type illust rate
voxtarn-find search --format |lines records csv
voxtarn-find search --side |corp runner
voxtarn-find search --mode p|prefix partial
voxtarn-find search --name |
voxtarn-find search --fo|--format --fold
voxtarn-find filter --side |all corp runner
voxtarn-find filter --s|--sort --show-reading --side
voxtarn-find filter ab|
voxtarn-find filter -- --s|
voxtarn-find check |
voxtarn-find deck |FILES
voxtarn-find deck --r|--records
ROWS
exit $failed
