#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
# Each stage is one script in tools/ci, run in name order; any failure stops the run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
for stage in tools/ci/*.sh; do
  echo "=== ${stage}"
  bash "${stage}"
done
echo "=== all test stages passed"
