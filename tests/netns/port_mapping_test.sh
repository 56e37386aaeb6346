#!/bin/bash
# Online races through two home routers in network namespaces (routers.sh): the host's router forwards the
# port on its request, the joiner reaches it from the other home, and the forwarding goes with the host.
# Only an invited joiner races: a wrong code is refused at once, and a third machine is turned away without
# touching the race.
#   port_mapping_test.sh NET_RACE natpmp|upnp|no-router|sigterm|wrong-code|intruder
# Exits 77 (skipped, saying why) where namespaces cannot be made.
set -u
NET_RACE=$1
SCENARIO=$2
. "$(dirname "$0")/routers.sh"

if [ "$(id -u)" != 0 ]; then
  echo "skipped: network namespaces need root"
  exit 77
fi
fail() {
  echo "FAIL ($SCENARIO): $*"
  for out in "$OUT"/*.out; do [ -e "$out" ] && { echo "--- $(basename "$out"):"; cat "$out"; }; done
  exit 1
}
OUT=$(mktemp -d)
trap 'routers_down; rm -rf "$OUT"' EXIT
if ! routers_up "qpm$$"; then
  echo "skipped: the namespaces could not be made"
  exit 77
fi

# The line of FILE matching REGEX, once it is there, within SECONDS.
await_line() {
  local _
  for _ in $(seq $(($3 * 20))); do
    grep -m1 -E "$2" "$1" 2>/dev/null && return 0
    sleep 0.05
  done
  return 1
}
mapped() { router_a_mappings | grep -q -- "--dport $1 "; }

CODE=K7P-2QX
# Starts the host; sets HOST_PID, and EXTERNAL (address:port) once the router has answered.
start_host() {
  ip netns exec "$HOST_NS" timeout --foreground -s TERM 40 "$NET_RACE" --host 29750 --code "$CODE" --ticks "$1" >"$OUT/host.out" 2>&1 &
  HOST_PID=$!
  MAPPING=$(await_line "$OUT/host.out" '^port-mapping: ' 8) || fail "the host never told its port mapping"
}

# Races host and joiner for TICKS ticks through the mapping PROTOCOL made; DURING, if given, runs once the two
# race, with the port in PORT.
race_through() {
  local protocol=$1 ticks=$2 during=${3:-}
  start_host "$ticks"
  [[ $MAPPING =~ ^port-mapping:\ $protocol\ 198\.51\.100\.1:([0-9]+)$ ]] || fail "expected a $protocol mapping: $MAPPING"
  local port=${BASH_REMATCH[1]}
  mapped "$port" || fail "router A holds no forwarding of port $port"
  [ -z "$during" ] || { PORT=$port; $during; }
  ip netns exec "$JOIN_NS" timeout --foreground -s TERM 40 "$NET_RACE" --join "198.51.100.1:$port" --code "$CODE" --ticks "$ticks" \
    >"$OUT/joiner.out" 2>&1 &
  local joiner=$!
  await_line "$OUT/host.out" '^tick ' 20 >/dev/null || fail "no tick raced together"
  mapped "$port" || fail "router A dropped the forwarding of port $port mid-race"
  wait "$joiner" || fail "the joiner exited with $?"
  wait "$HOST_PID" || fail "the host exited with $?"
  local lines
  lines=$(grep -c '^tick ' "$OUT/host.out")
  [ "$lines" = $((ticks / 60)) ] || fail "the host printed $lines tick lines, not $((ticks / 60))"
  diff <(grep '^tick ' "$OUT/host.out") <(grep '^tick ' "$OUT/joiner.out") || fail "the two machines raced different races"
  ! mapped "$port" || fail "router A still forwards port $port after the host left"
  echo "$SCENARIO: first shared tick after $(grep -h '^first-shared-tick-ms' "$OUT/host.out" | cut -d' ' -f2) ms" \
    "(host), $(grep -h '^first-shared-tick-ms' "$OUT/joiner.out" | cut -d' ' -f2) ms (joiner)"
}

# A joiner with a wrong code, before the right one joins: refused at once, and told so.
wrong_code_first() {
  local began status took
  began=$(date +%s%N)
  ip netns exec "$JOIN_NS" timeout --foreground -s TERM 20 "$NET_RACE" --join "198.51.100.1:$PORT" --code AAA-AAA \
    >"$OUT/wrong.out" 2>&1
  status=$?
  took=$((($(date +%s%N) - began) / 1000000))
  [ "$status" = 1 ] && grep -qx 'ended: wrong-code' "$OUT/wrong.out" || fail "the wrong code's joiner exited with $status"
  [ "$took" -le 2000 ] || fail "the wrong code took $took ms to be refused"
  echo "wrong-code: refused after $took ms"
}

# A third machine calls while the two race, with the right code: turned away, what it says counted.
intruder_midway() {
  (
    await_line "$OUT/host.out" '^tick 60 ' 20 >/dev/null
    ip netns exec "$JOIN_NS" timeout --foreground -s TERM 20 "$NET_RACE" --join "198.51.100.1:$PORT" --code "$CODE" \
      >"$OUT/third.out" 2>&1
    echo "status $?" >>"$OUT/third.out"
  ) &
  THIRD=$!
}

case $SCENARIO in
wrong-code)
  miniupnpd_start yes || fail "miniupnpd did not start"
  race_through natpmp 120 wrong_code_first
  ;;
intruder)
  miniupnpd_start yes || fail "miniupnpd did not start"
  race_through natpmp 600 intruder_midway
  wait "$THIRD"
  grep -qx 'ended: race-full' "$OUT/third.out" || fail "the third machine was not told the race is full"
  rejected=$(grep -h '^rejected: ' "$OUT/host.out" | cut -d' ' -f2)
  [ "${rejected:-0}" -ge 1 ] || fail "the host counted nothing the third machine said"
  echo "intruder: the host rejected $rejected messages"
  ;;
natpmp)
  miniupnpd_start yes || fail "miniupnpd did not start"
  race_through natpmp 600
  ;;
upnp)
  miniupnpd_start no || fail "miniupnpd did not start"
  race_through upnp 300
  ;;
no-router)
  began=$(date +%s%N)
  start_host 600
  told=$((($(date +%s%N) - began) / 1000000))
  [ "$MAPPING" = "port-mapping: none forward-udp-port 29750" ] || fail "unexpected: $MAPPING"
  # NAT-PMP's two seconds at most, then UPnP's discovery of a second and a half.
  [ "$told" -le 5000 ] || fail "the host took $told ms to find there is no router"
  echo "no-router: the host told after $told ms"
  ip netns exec "$JOIN_NS" timeout --foreground -s TERM 20 "$NET_RACE" --join 198.51.100.1:29750 --code "$CODE" >"$OUT/joiner.out" 2>&1
  status=$?
  [ "$status" = 1 ] && grep -qx 'ended: no-answer' "$OUT/joiner.out" || fail "the joiner exited with $status"
  ;;
sigterm)
  miniupnpd_start yes || fail "miniupnpd did not start"
  start_host 100000
  [[ $MAPPING =~ :([0-9]+)$ ]] || fail "no mapping: $MAPPING"
  port=${BASH_REMATCH[1]}
  ip netns exec "$JOIN_NS" timeout --foreground -s TERM 40 "$NET_RACE" --join "198.51.100.1:$port" --code "$CODE" --ticks 100000 \
    >"$OUT/joiner.out" 2>&1 &
  await_line "$OUT/host.out" '^tick ' 20 >/dev/null || fail "no tick raced together"
  mapped "$port" || fail "router A holds no forwarding of port $port mid-race"
  kill -TERM "$HOST_PID"
  wait "$HOST_PID"
  status=$?
  [ "$status" = 3 ] || fail "the host stopped by SIGTERM exited with $status"
  ! mapped "$port" || fail "router A still forwards port $port after the host was stopped"
  ;;
*)
  echo "unknown scenario $SCENARIO"
  exit 2
  ;;
esac
echo "$SCENARIO: passed"
