# shellcheck shell=bash
# Judging a comparison with Windows against the list of its known differences
# (sourced by the Wine comparisons). The list has "NAME  REASON" per line, and
# # starts a comment. A case on which the two sides differ must be listed, with
# the reason; a listed case on which they agree is an error too, so the list
# stays true.

# Skips the check (status 77) when the Windows build it runs is missing.
need_windows_build() { # FILE WHAT
  if [ ! -f "$1" ]; then
    echo "SKIP [$scenario]: no Windows build of $2 ($1)"
    exit 77
  fi
}

declare -A explained=()
same=0
known=0
problems=0

read_differences() { # FILE
  local name reason
  while read -r name reason; do
    [ -z "$name" ] || [[ "$name" == \#* ]] && continue
    explained[$name]=$reason
  done <"$1"
}

# Counts one case: AGREED is 0 when both sides agree; otherwise DESCRIBE...
# prints how they differ.
judge() { # NAME AGREED DESCRIBE...
  local name=$1 agreed=$2
  shift 2
  if [ "$agreed" -eq 0 ]; then
    if [ -n "${explained[$name]+listed}" ]; then
      echo "STALE   $name: listed as a difference, but both agree"
      problems=$((problems + 1))
    else
      same=$((same + 1))
    fi
  elif [ -n "${explained[$name]+listed}" ]; then
    echo "KNOWN   $name: ${explained[$name]}"
    "$@"
    known=$((known + 1))
  else
    echo "DIFFERS $name"
    "$@"
    problems=$((problems + 1))
  fi
}

# Prints the totals and ends the check: it fails with fewer than MINIMUM cases
# (of KIND: scenarios, files) or with any problem.
finish_comparison() { # KIND MINIMUM
  local total=$((same + known + problems))
  echo "$total $1: $same the same, $known explained differences, $problems problems"
  [ $total -ge "$2" ] || fail "no $1 were compared"
  [ $problems -eq 0 ] || fail "$problems unexplained or stale results"
  echo "PASS [$scenario]"
}
