#!/usr/bin/env bash
# Installs what is missing, builds and starts the application.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo ${KRV330_PRODUCT_ID:+-DKRV330_PRODUCT_ID=$KRV330_PRODUCT_ID} >/dev/null
cmake --build build -j"${KRV330_JOBS:-$(nproc)}" --target krv330
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  cat >&2 <<'MSG'
No display is available. Run the program under a virtual X server:
    xvfb-run -a scripts/run.sh
or without any display at all (nothing is shown):
    QT_QPA_PLATFORM=offscreen scripts/run.sh
MSG
  exit 1
fi
exec build/krv330 "$@"
