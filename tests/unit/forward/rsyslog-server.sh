#!/usr/bin/env bash
# Runs a private rsyslogd for the forwarding tests, which start it from under Wine and cannot wait for a Unix
# process: each command ends by writing DIR/COMMAND.done.
#
#   rsyslog-server.sh start DIR   listens on 127.0.0.1 (TCP and UDP ports in DIR/ports, with a third, closed UDP
#                                 port; the same ports again after a stop) and writes every message to DIR/out.log
#   rsyslog-server.sh stop DIR    stops it and waits until it has ended
#   rsyslog-server.sh clean DIR   stops it and removes DIR
set -u
command=$1
dir=$2
mkdir -p "$dir/work"
exec >>"$dir/script.log" 2>&1

free_port() {
  /usr/bin/python3 -c "import socket; s = socket.socket(socket.AF_INET, socket.$1); s.bind(('127.0.0.1', 0)); print(s.getsockname()[1])"
}

stop() {
  [ -f "$dir/rsyslogd.pid" ] || return 0
  pid=$(cat "$dir/rsyslogd.pid")
  kill "$pid" 2>/dev/null
  while kill -0 "$pid" 2>/dev/null; do sleep 0.05; done
  rm -f "$dir/rsyslogd.pid"
}

case $command in
  start)
    [ -f "$dir/ports" ] || echo "$(free_port SOCK_STREAM) $(free_port SOCK_DGRAM) $(free_port SOCK_DGRAM)" >"$dir/ports"
    read -r tcp udp closed <"$dir/ports"
    cat >"$dir/rsyslog.conf" <<CONF
global(workDirectory="$dir/work" maxMessageSize="64k" localHostname="wrenhollow-test" net.enableDNS="off")
module(load="imudp")
module(load="imtcp")
input(type="imudp" address="127.0.0.1" port="$udp")
input(type="imtcp" address="127.0.0.1" port="$tcp")
template(name="raw" type="string" string="%rawmsg%\n")
action(type="omfile" file="$dir/out.log" template="raw")
CONF
    # A test that dies leaves no server behind for long.
    timeout 120 rsyslogd -n -f "$dir/rsyslog.conf" -i "$dir/rsyslogd.pid" &
    tries=0
    until [ -s "$dir/rsyslogd.pid" ] && (exec 3<>"/dev/tcp/127.0.0.1/$tcp") 2>/dev/null; do
      tries=$((tries + 1))
      [ $tries -lt 200 ] || exit 1
      sleep 0.05
    done
    ;;
  stop) stop ;;
  clean) stop; rm -rf "$dir"; exit 0 ;;
esac
touch "$dir/$command.done"
