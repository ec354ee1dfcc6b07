#!/usr/bin/env bash
# Panscout set-up, build and run.
#   ./run.sh            install what is missing, build, start the window
#   ./run.sh --demo     the same, against the local demo services
#   ./run.sh test       install what is missing, build, run every test
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-declarative-dev
  libboost-regex-dev libcurl4-openssl-dev libtomlplusplus-dev libgtest-dev libgmock-dev libbenchmark-dev libcpp-httplib-dev libgl-dev
  clang libclang-rt-14-dev appstream desktop-file-utils lintian
  fonts-noto-cjk xvfb xauth curl time python3 locales
  libpsl-dev publicsuffix libssl-dev openssl tinyproxy microsocks)
BUILD_DIR=${BUILD_DIR:-build}

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if ((${#missing[@]})); then
    local sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
  fi
}

# A locale that writes numbers with a comma, for the core suite's second run.
COMMA_LOCALE=de_DE.UTF-8
make_comma_locale() {
  locale -a | grep -qix 'de_DE[.]utf-\?8' && return
  local sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  grep -q "^# *$COMMA_LOCALE" /etc/locale.gen && $sudo sed -i "s/^# *$COMMA_LOCALE/$COMMA_LOCALE/" /etc/locale.gen
  grep -q "^$COMMA_LOCALE" /etc/locale.gen || echo "$COMMA_LOCALE UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen
}

# build [--target T] [cmake options...]
build() {
  local target=()
  if [ "${1:-}" = --target ]; then target=(--target "$2"); shift 2; fi
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} "$@" >/dev/null
  cmake --build "$BUILD_DIR" -j "$(nproc)" "${target[@]}"
}

# Qt WebEngine refuses its sandbox when run as root.
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1

case "${1:-}" in
  test)
    install_missing
    # The core suite also runs under this locale, and one of its tests sets it.
    make_comma_locale
    build
    export QT_QPA_PLATFORM=offscreen
    ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$(nproc)"
    # Numbers are read and written alike whatever the user's locale.
    LANG=$COMMA_LOCALE LC_ALL=$COMMA_LOCALE ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$(nproc)" -LE gui
    packaging/check_package.sh
    # Suites that run threads against each other are checked for races too;
    # their ctest labels say which (tests/CMakeLists.txt).
    BUILD_DIR=build-tsan build --target panscout_core_tests -DPANSCOUT_SANITIZE=thread -DPANSCOUT_GUI=OFF
    TSAN_OPTIONS=halt_on_error=1:suppressions=$PWD/tests/tsan.supp ctest --test-dir build-tsan --output-on-failure -j "$(nproc)" \
      -L threads -LE 'timed|qt'
    # The whole core suite again under the address and undefined-behaviour checkers.
    BUILD_DIR=build-asan build --target panscout_core_tests -DPANSCOUT_SANITIZE=address,undefined -DPANSCOUT_GUI=OFF
    LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
      ctest --test-dir build-asan --output-on-failure -j "$(nproc)"
    # Every parser of outside input, fed generated inputs for a short while.
    FUZZ_RUNS=${FUZZ_RUNS:-2000} fuzz/run.sh
    ;;
  --demo)
    install_missing
    build
    hosts=$(mktemp -t panscout-hosts.XXXXXX)
    "$BUILD_DIR/panscout-demo" --write-hosts "$hosts" &
    demo=$!
    trap 'kill $demo 2>/dev/null' EXIT
    for _ in $(seq 50); do [ -s "$hosts" ] && break; sleep 0.1; done
    "$BUILD_DIR/panscout" --hosts "$hosts"
    ;;
  "")
    install_missing
    build
    exec "$BUILD_DIR/panscout"
    ;;
  *)
    echo "usage: $0 [test|--demo]" >&2
    exit 2
    ;;
esac
