# Sourced by the benchmark scripts: starts the demo services from BUILD_DIR
# for the rest of the script and stops them when it exits.
#   start_demo [OPTION...]  sets HOSTS_FILE (the hosts file pointing at the demo);
#                     the options go to panscout-demo
#   hosts_value KEY   a value of that file, e.g. baidu or 115

start_demo() {
  DEMO_DIR=$(mktemp -d)
  HOSTS_FILE=$DEMO_DIR/hosts.ini
  "$BUILD_DIR/panscout-demo" --write-hosts "$HOSTS_FILE" "$@" >"$DEMO_DIR/demo.log" 2>&1 &
  DEMO_PID=$!
  trap 'kill "$DEMO_PID" 2>/dev/null; wait "$DEMO_PID" 2>/dev/null; rm -rf "$DEMO_DIR"' EXIT
  for _ in $(seq 100); do
    [ -s "$HOSTS_FILE" ] && return 0
    sleep 0.1
  done
  echo "the demo services did not start:" >&2
  cat "$DEMO_DIR/demo.log" >&2
  exit 1
}

hosts_value() { sed -n "s/^$1=//p" "$HOSTS_FILE"; }

# Milliseconds since the epoch.
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# The median of the numbers given, one per argument.
median() { printf '%s\n' "$@" | sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
