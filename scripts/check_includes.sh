#!/usr/bin/env bash
# Includes point down: each folder of src/ (and sim/) may include only itself and the
# folders below it in this order. core includes nothing but core; only the app chooses the
# simulated programmer.
set -euo pipefail
cd "$(dirname "$0")/.."
order=(core widgets link buffers devices sim operations editors shell app)
declare -A rank
for i in "${!order[@]}"; do rank[${order[$i]}]=$i; done

status=0
while IFS= read -r file; do
  case "$file" in
    sim/*) from=sim ;;
    src/*) from=$(echo "$file" | cut -d/ -f2) ;;
  esac
  if [ -z "${rank[$from]:-}" ]; then
    echo "$file: folder '$from' has no place in the include order"; status=1; continue
  fi
  while IFS= read -r to; do
    [ "$to" = "$from" ] && continue
    if [ -z "${rank[$to]:-}" ]; then
      echo "$file includes $to/, which has no place in the include order"; status=1
    elif [ "${rank[$to]}" -ge "${rank[$from]}" ] || [ "$from" = core ] || [ "$to" = sim -a "$from" != app ]; then
      echo "$file ($from) includes $to/: includes must point down"; status=1
    fi
  done < <(sed -n -E 's/^#include "([a-z_0-9]+)\/.*/\1/p' "$file" | sort -u)
done < <(find src sim -name '*.h' -o -name '*.cpp' | sort)
[ $status -eq 0 ] && echo "Includes point down."
exit $status
