# Two home networks behind routers that masquerade onto a public link, for online races through real NAT.
# Sourced by the router tests; every name carries the caller's prefix, so runs side by side do not meet.
#
#   home A 192.0.2.0/24        public 198.51.100.0/24          home B 203.0.113.0/24
#   host .2 --- .1 router A .1 ------ .2 router B .1 --- .2 joiner
#                                  |
#                             .3 STUN responder
#
# Router A lets in from the public side only what answers its own traffic and what its port mappings
# (miniupnpd's chains) let through. Functions:
#   routers_up PREFIX       make the namespaces ${PREFIX}h (host), ${PREFIX}a, ${PREFIX}p, ${PREFIX}b, ${PREFIX}j
#   routers_down            stop what runs in them and remove them (safe to call twice, or after a half-made up)
#   miniupnpd_start yes|no  miniupnpd on router A, NAT-PMP on or off (UPnP always on); waits until it listens
#   miniupnpd_stop
#   router_a_mappings       router A's nat rules of the port mappings, one per line
# and sets HOST_NS and JOIN_NS, where the two machines run (ip netns exec "$HOST_NS" ...).

ROUTERS_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
IPT=iptables-legacy # miniupnpd's iptables backend writes the legacy tables

routers_up() {
  ROUTERS_PREFIX=$1
  ROUTERS_WORK=$(mktemp -d)
  local p=$ROUTERS_PREFIX
  HOST_NS=${p}h RA_NS=${p}a PUB_NS=${p}p RB_NS=${p}b JOIN_NS=${p}j
  local ns
  for ns in "$HOST_NS" "$RA_NS" "$PUB_NS" "$RB_NS" "$JOIN_NS"; do
    ip netns add "$ns" || return 1
    ip -n "$ns" link set lo up
  done
  ip link add h0 netns "$HOST_NS" type veth peer name lan netns "$RA_NS" || return 1
  ip link add wan netns "$RA_NS" type veth peer name pa netns "$PUB_NS" || return 1
  ip link add wan netns "$RB_NS" type veth peer name pb netns "$PUB_NS" || return 1
  ip link add j0 netns "$JOIN_NS" type veth peer name lan netns "$RB_NS" || return 1
  ip -n "$PUB_NS" link add br0 type bridge forward_delay 0 || return 1
  ip -n "$PUB_NS" link set pa master br0
  ip -n "$PUB_NS" link set pb master br0
  local link
  for link in "$HOST_NS h0 192.0.2.2/24" "$RA_NS lan 192.0.2.1/24" "$RA_NS wan 198.51.100.1/24" \
              "$PUB_NS br0 198.51.100.3/24" "$PUB_NS pa -" "$PUB_NS pb -" \
              "$RB_NS wan 198.51.100.2/24" "$RB_NS lan 203.0.113.1/24" "$JOIN_NS j0 203.0.113.2/24"; do
    set -- $link
    [ "$3" = - ] || ip -n "$1" addr add "$3" dev "$2" || return 1
    ip -n "$1" link set "$2" up || return 1
  done
  ip -n "$HOST_NS" route add default via 192.0.2.1 || return 1
  ip -n "$JOIN_NS" route add default via 203.0.113.1 || return 1
  for ns in "$RA_NS" "$RB_NS"; do
    ip netns exec "$ns" sysctl -qw net.ipv4.ip_forward=1 || return 1
  done
  # Router B: a plain home router.
  ip netns exec "$RB_NS" $IPT -t nat -A POSTROUTING -o wan -j MASQUERADE || return 1
  # Router A: the chains miniupnpd fills, then the masquerade and a firewall closed from outside.
  ip netns exec "$RA_NS" sh -e -c "
    $IPT -t nat -N MINIUPNPD
    $IPT -t nat -A PREROUTING -i wan -j MINIUPNPD
    $IPT -t nat -N MINIUPNPD-POSTROUTING
    $IPT -t nat -A POSTROUTING -o wan -j MINIUPNPD-POSTROUTING
    $IPT -t nat -A POSTROUTING -o wan -j MASQUERADE
    $IPT -N MINIUPNPD
    $IPT -A FORWARD -i wan -m conntrack --ctstate ESTABLISHED,RELATED -j ACCEPT
    $IPT -A FORWARD -i wan -j MINIUPNPD
    $IPT -A FORWARD -i wan -j DROP" || return 1
  # miniupnpd forwards from an address of the documentation ranges only when STUN says it is not behind a
  # restrictive NAT: the public link answers its question.
  ip netns exec "$PUB_NS" python3 "$ROUTERS_DIR/stun_responder.py" 198.51.100.3 3478 \
    >"$ROUTERS_WORK/stun.log" 2>&1 &
  # miniupnpd asks once and waits three seconds before it asks again.
  await_udp_listener "$PUB_NS" 3478 $! "the STUN responder" "$ROUTERS_WORK/stun.log"
}

# Waits up to five seconds for NAMESPACE to listen on the UDP PORT, while PID lives; else tells why, showing
# the LOG of WHAT was started.
await_udp_listener() {
  local namespace=$1 port=$2 pid=$3 what=$4 log=$5 _
  for _ in $(seq 50); do
    ip netns exec "$namespace" ss -lun | grep -q ":$port " && return 0
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "$what did not start:" >&2
  cat "$log" >&2
  return 1
}

routers_down() {
  [ -n "${ROUTERS_PREFIX:-}" ] || return 0
  local ns pid
  for ns in "$HOST_NS" "$RA_NS" "$PUB_NS" "$RB_NS" "$JOIN_NS"; do
    ip netns list | grep -qw "^$ns" || continue
    # Only what this run started lives in its namespaces.
    for pid in $(ip netns pids "$ns"); do kill "$pid" 2>/dev/null; done
  done
  for ns in "$HOST_NS" "$RA_NS" "$PUB_NS" "$RB_NS" "$JOIN_NS"; do
    for pid in $(ip netns pids "$ns" 2>/dev/null); do
      for _ in 1 2 3 4 5 6 7 8 9 10; do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
      kill -9 "$pid" 2>/dev/null
    done
    ip netns del "$ns" 2>/dev/null
  done
  rm -rf "$ROUTERS_WORK"
  ROUTERS_PREFIX=
}

miniupnpd_start() {
  cat >"$ROUTERS_WORK/miniupnpd.conf" <<CONF
ext_ifname=wan
listening_ip=lan
http_port=0
enable_natpmp=$1
enable_upnp=yes
secure_mode=yes
system_uptime=yes
ext_perform_stun=yes
ext_stun_host=198.51.100.3
ext_stun_port=3478
uuid=3c1b5a6e-7d2f-4e8a-9b0c-1d2e3f405162
allow 1024-65535 192.0.2.0/24 1024-65535
deny 0-65535 0.0.0.0/0 0-65535
CONF
  ip netns exec "$RA_NS" miniupnpd -d -f "$ROUTERS_WORK/miniupnpd.conf" -P "$ROUTERS_WORK/miniupnpd.pid" \
    >"$ROUTERS_WORK/miniupnpd.log" 2>&1 &
  MINIUPNPD_PID=$!
  # Listening for SSDP once its checks are done.
  await_udp_listener "$RA_NS" 1900 "$MINIUPNPD_PID" miniupnpd "$ROUTERS_WORK/miniupnpd.log"
}

miniupnpd_stop() {
  [ -n "${MINIUPNPD_PID:-}" ] || return 0
  kill "$MINIUPNPD_PID" 2>/dev/null
  wait "$MINIUPNPD_PID" 2>/dev/null
  MINIUPNPD_PID=
}

router_a_mappings() {
  ip netns exec "$RA_NS" $IPT -t nat -S MINIUPNPD | grep -- '-j DNAT'
}

