#!/usr/bin/env bash
# run-web-check.sh PAGE_DIR TOOLS_DIR COMMAND...: runs one web check, or
# reports it as skipped (77) when what it needs is missing.
set -uo pipefail
page=$1 tools=$2
shift 2
here=$(dirname "$0")
for file in "$page/quellor.html" "$page/quellor.js" "$page/quellor.wasm" "$tools/quellor-texcheck.js" \
  "$tools/quellor-message-probe.html"; do
  if [ ! -f "$file" ]; then
    echo "SKIPPED: $file is missing: build the page with cmake --preset web && cmake --build --preset web"
    exit 77
  fi
done
if [ ! -d "$here/node_modules/puppeteer-core" ]; then
  echo "SKIPPED: node's packages are missing: run scripts/setup (npm ci in tests/platform/web)"
  exit 77
fi
if [ ! -x "${QUELLOR_CHROMIUM:-/usr/bin/chromium}" ]; then
  echo "SKIPPED: Chromium is missing: run scripts/setup"
  exit 77
fi
exec "$@"
