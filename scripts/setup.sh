#!/usr/bin/env bash
# Installs what ORV needs on Debian 12, builds it into build/ and builds the
# example site into examples/site/out/.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake ninja-build pkg-config libssl-dev netbase
          libgtest-dev libgmock-dev libbenchmark-dev
          libjpeg-dev libgif-dev libpng-dev libwebp-dev libavif-dev libpugixml-dev
          libxxhash-dev  # the content hash of incremental builds (compiled in, header only)
          libmimalloc-dev  # the memory allocator of orvcc and orvscript
          lua5.4 liblua5.4-dev luajit  # the peers bench/script_bench runs the same programs with
          clang libclang-rt-14-dev
          qt6-base-dev libqt6svg6 xvfb xauth
          libqscintilla2-qt6-dev  # the editing area of orvedit
          dpkg-dev help2man lintian desktop-file-utils appstream  # the .deb, its man pages and checks
          nginx tinyproxy exim4-daemon-light  # real servers the network tests start on 127.0.0.1
          libcurl4-openssl-dev openssh-server python3-pyftpdlib vsftpd  # publishing and its test servers
          libcpp-httplib-dev curl  # orvcc --serve's HTTP server, and the client its tests fetch with
          htp hugo)  # the peers bench/site_compare.sh builds the same site with
if [ "${ORV_SKIP_APT:-0}" != 1 ]; then
  sudo=""
  [ "$(id -u)" = 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${packages[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORV_WERROR=ON
cmake --build build
if [ -x build/bin/orvcc ]; then
  build/bin/orvcc --console examples/site/site.orv
fi
