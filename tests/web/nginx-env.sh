#!/usr/bin/env bash
# A private nginx for the download tests, on 127.0.0.1 and a free port, with
# its configuration, document root, pid and logs under BUILD_DIR/nginx-web.
# A second instance ("doomed") serves slowly and is stopped on request: a
# test (a Windows program, which cannot signal a Linux process) creates
# STATE/stop-doomed, a watcher stops that server and creates
# STATE/doomed-stopped.
#
#   nginx-env.sh start BUILD_DIR    writes STATE/main-port and STATE/doomed-port
#   nginx-env.sh stop BUILD_DIR
set -u

NGINX=${NGINX:-/usr/sbin/nginx}

write_config() {  # STATE NAME PORT EXTRA
  local state="$1" name="$2" port="$3" extra="$4"
  cat >"$state/$name.conf" <<CONF
worker_processes 1;
daemon on;
user root root;
pid $state/$name.pid;
error_log $state/$name-error.log;
events { worker_connections 64; }
http {
  # The combined format and the request's time, which the benchmark reads.
  log_format timed '\$remote_addr - \$remote_user [\$time_local] "\$request" \$status \$body_bytes_sent '
                   '"\$http_referer" "\$http_user_agent" \$request_time';
  access_log $state/$name-access.log timed;
  client_body_temp_path $state/tmp/body;
  proxy_temp_path $state/tmp/proxy;
  fastcgi_temp_path $state/tmp/fastcgi;
  uwsgi_temp_path $state/tmp/uwsgi;
  scgi_temp_path $state/tmp/scgi;
  types { text/html html; }
  default_type application/octet-stream;
  sendfile on;
  server {
    listen 127.0.0.1:$port;
    root $state/root;
    $extra
  }
}
CONF
}

start_server() {  # STATE NAME EXTRA -> the port in STATE/NAME-port
  local state="$1" name="$2" extra="$3" port
  for _ in $(seq 40); do
    port=$((20000 + RANDOM % 30000))
    write_config "$state" "$name" "$port" "$extra"
    if "$NGINX" -c "$state/$name.conf" -p "$state" -e "$state/$name-error.log" >>"$state/$name-start.log" 2>&1 </dev/null; then
      echo "$port" >"$state/$name-port"
      return 0
    fi
  done
  echo "nginx ($name) did not start; see $state/$name-error.log" >&2
  return 1
}

stop_server() {  # STATE NAME
  local pid
  pid=$(cat "$1/$2.pid" 2>/dev/null || true)
  [ -n "$pid" ] && kill -TERM "$pid" 2>/dev/null
  for _ in $(seq 50); do
    # An exited master whose parent does not reap it stays a zombie.
    [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null && ! grep -q '^State:.*Z' "/proc/$pid/status" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$1/$2.pid"
}

watch_doomed() {  # STATE
  local state="$1"
  while [ -f "$state/watcher.pid" ]; do
    if [ -f "$state/stop-doomed" ]; then
      rm -f "$state/stop-doomed"
      stop_server "$state" doomed
      touch "$state/doomed-stopped"
    fi
    sleep 0.05
  done
}

case "${1:-}" in
  start)
    state="$2/nginx-web"
    "$0" stop "$2"
    mkdir -p "$state/root" "$state/tmp"
    # Chunked answers: SSI drops the length of what it processes. Slow
    # answers: limit_rate.
    common='location /chunked/ { ssi on; ssi_types *; }
    location /slow/ { limit_rate 128k; limit_rate_after 0; }'
    start_server "$state" main "$common" || exit 1
    start_server "$state" doomed 'location / { limit_rate 64k; }' || { stop_server "$state" main; exit 1; }
    rm -f "$state/stop-doomed" "$state/doomed-stopped"
    ( echo $BASHPID >"$state/watcher.pid"; watch_doomed "$state" ) </dev/null >/dev/null 2>&1 &
    disown
    ;;
  stop)
    state="$2/nginx-web"
    [ -d "$state" ] || exit 0
    rm -f "$state/watcher.pid"
    stop_server "$state" main
    stop_server "$state" doomed
    ;;
  *)
    echo "usage: $0 start|stop BUILD_DIR" >&2
    exit 2
    ;;
esac
exit 0
