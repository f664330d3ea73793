#!/usr/bin/env bash
# Holds every #include "folder/..." of the project's sources to the layers each folder may build on,
# so that a lower layer including a higher one fails the tests (ctest runs this as "layers").
set -euo pipefail
cd "$(dirname "$0")/.."

# folder: the folders its files may include (itself always)
declare -A allowed=(
  [base]=""
  [search]="base"
  [exchange]="base"
  [rules]="base"
  [diagram]="base"
  [generator]="base"
  [ui]="base search exchange rules diagram generator kalvon"
  [app]="base search exchange rules diagram ui kalvon app"
  [tools]="base search exchange rules diagram ui generator kalvon"
)

failed=0
for layer in "${!allowed[@]}"; do
  [ -d "$layer" ] || continue
  while IFS= read -r -d '' file; do
    while IFS=: read -r line include; do
      target=${include#*\"}
      target=${target%%/*}
      [ "$target" = "$layer" ] && continue
      case " ${allowed[$layer]} " in
        *" $target "*) ;;
        *)
          echo "$file:$line: $layer/ may not include $target/"
          failed=1
          ;;
      esac
    done < <(grep -n -o -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[A-Za-z_]+/' "$file" | tr -d ' \t' || true)
  done < <(find "$layer" -type f \( -name '*.cpp' -o -name '*.h' \) -print0)
done
if [ "$failed" -ne 0 ]; then
  echo "A layer includes one above it or beside it; see the table in scripts/check-layers.sh."
  exit 1
fi
echo "layers: every include points down"
