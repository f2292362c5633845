#!/usr/bin/env bash
# Installs, with apt-get, the Debian packages Velmo needs that are not installed yet.
# Usage: scripts/deps.sh [build|test|bench|package|sanitize]   (each includes build; sanitize
#        includes test and adds clang with its sanitizer and libFuzzer runtimes)
set -euo pipefail

build=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-svg-dev fonts-liberation2)
test=(googletest libgtest-dev libgmock-dev xvfb xauth x11-utils xdotool desktop-file-utils appstream dpkg-dev)
bench=(libbenchmark-dev xvfb xdotool python3)
package=(dpkg-dev)  # dpkg-shlibdeps works out the .deb's Depends
sanitize=(clang-14 libclang-rt-14-dev llvm-14)

case "${1:-build}" in
  build) wanted=("${build[@]}") ;;
  test) wanted=("${build[@]}" "${test[@]}") ;;
  bench) wanted=("${build[@]}" "${bench[@]}") ;;
  package) wanted=("${build[@]}" "${package[@]}") ;;
  sanitize) wanted=("${build[@]}" "${test[@]}" "${sanitize[@]}") ;;
  *) echo "usage: $0 [build|test|bench|package|sanitize]" >&2; exit 2 ;;
esac

missing=()
for pkg in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "Paquets manquants : ${missing[*]}" >&2
  echo "Installez-les avec : apt-get update && apt-get install -y ${missing[*]}" >&2
  exit 1
fi

echo "Installation de : ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# A fresh machine may have no package lists yet; update only when the install needs it.
if ! "${as_root[@]}" apt-get install -y -q "${missing[@]}"; then
  "${as_root[@]}" apt-get update -q
  "${as_root[@]}" apt-get install -y -q "${missing[@]}"
fi
