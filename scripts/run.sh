#!/usr/bin/env bash
# Installs what is needed, builds the program folder and starts the program from it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Программа собрана в build/program, но запустить ее здесь нельзя: нет графического дисплея" >&2
    echo "(переменные DISPLAY и WAYLAND_DISPLAY не заданы). Запустите build/program/koltra на рабочем столе" >&2
    echo "или под виртуальным дисплеем: xvfb-run build/program/koltra" >&2
    exit 1
fi
exec build/program/koltra
