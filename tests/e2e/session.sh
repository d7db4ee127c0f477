# What the end-to-end roads share, sourced by them with <build-folder> <output-folder> as
# arguments: the build installed into a temporary prefix whose bin/ is read-only, a fresh home
# with one photo in Pictures, the installed service under a local lighttpd delivering to an SMTP
# sink, an X server on a free display, and the helpers that find windows, click, type and take
# screenshots. E2E_SCALE=2 scales the screen to 200 %.
root=${E2E_ROOT:-}
[ -n "$root" ] || build=$(cd "$1" && pwd)
mkdir -p "$2"
shots=$(cd "$2" && pwd)
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
scale=${E2E_SCALE:-1}
rm -f "$shots"/*.png

work=$(mktemp -d)
pids=()
cleanup() {
  [ "${ime:-0}" = 1 ] && ibus exit >/dev/null 2>&1
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "e2e: FAILED: $*" >&2
  [ -n "${DISPLAY:-}" ] && import -window root "$shots/failure.png" 2>/dev/null || true
  [ -f "$work/quillora.log" ] && tail -20 "$work/quillora.log" >&2
  exit 1
}

start=$(date +%s)

if [ -n "$root" ]; then
  prefix=/usr
  launch=(chroot "$root")
else
  # The program as a package installs it; its folder is not writable, as under /usr.
  prefix=$work/prefix
  launch=()
  cmake --install "$build" --prefix "$prefix" >/dev/null
  chmod a-w "$prefix/bin"
fi

# A home of its own: settings, data, cache and runtime folders, and one photo in Pictures.
home=$work/home
export HOME=$home
export XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share
export XDG_CACHE_HOME=$home/.cache XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_CONFIG_HOME/Varneth" "$home/Pictures" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
echo "XDG_PICTURES_DIR=\"$home/Pictures\"" > "$XDG_CONFIG_HOME/user-dirs.dirs"
photo=$source_dir/../shared/testdata/photos96/kodim23.png
if [ -f "$photo" ]; then
  cp "$photo" "$home/Pictures/photo.png"
else
  convert -seed 7 -size 384x256 plasma:coral-skyblue "$home/Pictures/photo.png"
fi

# The service: lighttpd runs the installed writefile.cgi, which delivers to an SMTP sink, through
# a wrapper that also keeps each request's body; the account is the one the setup below types.
www=$work/www
. "$source_dir/tests/e2e/service.sh"
if [ -n "$root" ]; then
  www=$E2E_SERVICE_FOLDER
  server=$E2E_SERVER
else
  mkdir -p "$www/htdocs/cgi-bin" "$www/records"
  service_setup "$www" "$prefix" hanako@example.ne.jp quill2026
  cat > "$www/htdocs/cgi-bin/writefile.cgi" <<EOF
#!/bin/sh
tee "$www/records/body.part" | "$prefix/libexec/quillora/writefile.cgi"
status=\$?
mv "$www/records/body.part" "$www/records/body"
exit \$status
EOF
  chmod 700 "$www/htdocs/cgi-bin/writefile.cgi"
  service_lighttpd "$www"
  port=$SERVICE_PORT
  server=127.0.0.1:$port
fi
# The server is set in the program's settings window, as a new user does (below).

# An X server on a free display.
Xvfb -displayfd 5 -screen 0 $((1280 * scale))x$((1024 * scale))x24 -nolisten tcp -noreset 5>"$work/display" 2>/dev/null &
pids+=("$!")
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=:$(cat "$work/display")
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
export QT_SCALE_FACTOR=$scale
step=0
shot() {
  step=$((step + 1))
  import -window root "$shots/$(printf '%02d' $step)-$1.png"
}

# Looks (at most `seconds`) for a visible window whose title matches `name` and whose size is
# w x h (logical pixels); sets WIN, WX and WY (its id and screen position). Fails when there is
# none.
find_window() {
  local name=$1 w=$(($2 * scale)) h=$(($3 * scale)) seconds=${4:-20} id
  local deadline=$((SECONDS + seconds))
  timeout "$seconds" xdotool search --sync --onlyvisible --name "$name" >/dev/null || return 1
  while [ $SECONDS -le $deadline ]; do
    for id in $(xdotool search --onlyvisible --name "$name" 2>/dev/null); do
      WIDTH= HEIGHT=  # a window may go between the search and this look
      eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)"
      if [ "$WIDTH" = "$w" ] && [ "$HEIGHT" = "$h" ]; then
        WIN=$id WX=$X WY=$Y
        return 0
      fi
    done
    sleep 0.1
  done
  return 1
}

wait_window() {
  find_window "$@" || fail "no $2 x $3 window \"$1\" within ${4:-20} s"
}

# Waits until no visible window of that title and size is left.
wait_gone() {
  local name=$1 w=$(($2 * scale)) h=$(($3 * scale)) seconds=${4:-20} id found
  local deadline=$((SECONDS + seconds))
  while [ $SECONDS -le $deadline ]; do
    found=0
    for id in $(xdotool search --onlyvisible --name "$name" 2>/dev/null); do
      WIDTH= HEIGHT=  # a window may go between the search and this look
      eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)"
      [ "$WIDTH" = "$w" ] && [ "$HEIGHT" = "$h" ] && found=1
    done
    [ $found -eq 0 ] && return 0
    sleep 0.1
  done
  fail "the $w x $h window \"$name\" stayed open"
}

# A click at a point of the current window, in its own (logical) pixels.
click_at() {
  xdotool mousemove --sync $((WX + $1 * scale)) $((WY + $2 * scale)) click 1
}

# A click into an edit at that point, then typing into it. Through an input method the keys
# arrive a little later, after a round trip to it: the next click must wait for them.
type_at() {
  click_at "$1" "$2"
  xdotool type --delay 5 "$3"
  [ "${ime:-0}" = 1 ] && sleep 0.5
  return 0
}

# What the canvas shows on screen, as a checksum.
canvas_pixels() {
  import -window root -crop "$canvas" -depth 8 rgb:- 2>/dev/null | md5sum
}

# Waits until the canvas shows something else than `before`.
wait_canvas_change() {
  local before=$1 deadline=$((SECONDS + 10))
  while [ $SECONDS -le $deadline ]; do
    [ "$(canvas_pixels)" != "$before" ] && return 0
    sleep 0.1
  done
  fail "$2"
}
