#!/bin/sh
# Installs what the build and the tests need from Debian's packages, as root or through
# sudo; does nothing when everything is present.
set -e
packages="cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
libjpeg62-turbo-dev fonts-liberation libgtest-dev libgmock-dev libbenchmark-dev
python3 python3-pil xvfb xauth"
if [ "${ZANDOR_CI_DEPS:-0}" = 1 ]; then
    packages="$packages clang-format-14 libclang-rt-14-dev"
fi
missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then
    as_root=""
elif command -v sudo >/dev/null 2>&1; then
    as_root="sudo"
else
    echo "These packages are missing and neither root nor sudo is available:$missing" >&2
    exit 1
fi
$as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
# shellcheck disable=SC2086
$as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
