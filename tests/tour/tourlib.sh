# Helpers of the tour: a private X display, waits with time limits, keystrokes and screenshots.
# Sourced by tour.sh; expects $work (scratch folder) and $shots (screenshot folder).

step_name="setting up"
program_pid=""
xvfb_pid=""
shot_number=0

step() {
    step_name=$1
    echo "tour: $step_name"
}

fail() {
    echo "tour: FAILED while $step_name: $*" >&2
    if [ -n "${DISPLAY:-}" ] && [ -n "$xvfb_pid" ]; then
        import -window root "$shots/failure.png" 2>/dev/null || true
        echo "tour: the screen at the failure is $shots/failure.png" >&2
    fi
    if [ -s "$work/program.log" ]; then
        echo "tour: the program's output:" >&2
        sed 's/^/    /' "$work/program.log" >&2
    fi
    exit 1
}

# wait_until SECONDS WHAT COMMAND...: runs COMMAND until it succeeds, failing after SECONDS.
wait_until() {
    local limit=$1 what=$2
    shift 2
    local end=$((SECONDS + limit))
    until "$@"; do
        [ "$SECONDS" -lt "$end" ] || fail "$what (waited ${limit} s)"
        sleep 0.1
    done
}

start_display() {
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" \
        2>"$work/xvfb.log" &
    xvfb_pid=$!
    wait_until 15 "the virtual display starts" test -s "$work/display"
    export DISPLAY=":$(head -n1 "$work/display")"
}

stop_all() {
    if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
        kill "$program_pid" 2>/dev/null || true
        wait "$program_pid" 2>/dev/null || true
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
}

# The visible window whose title is exactly TITLE, or nothing.
window_id() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -n1
}

has_window() {
    [ -n "$(window_id "$1")" ]
}

no_window() {
    [ -z "$(window_id "$1")" ]
}

focused_on() {
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]
}

# wait_window TITLE [SECONDS]: waits for the window, gives it the keyboard, sets $win.
wait_window() {
    wait_until "${2:-20}" "the window \"$1\" shows" has_window "$1"
    win=$(window_id "$1")
    xdotool windowfocus "$win" 2>/dev/null || true
    wait_until 5 "the window \"$1\" takes the keyboard" focused_on "$win"
}

wait_no_window() {
    wait_until "${2:-20}" "the window \"$1\" closes" no_window "$1"
}

program_running() {
    [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null
}

program_ended() {
    ! program_running
}

# Starts the installed program as a user would, in the folder the tour works in.
start_program() {
    (cd "$work/files" && exec "$prefix/bin/pellora") >>"$work/program.log" 2>&1 &
    program_pid=$!
}

wait_program_end() {
    wait_until 20 "the program ends" program_ended
    wait "$program_pid" || fail "the program ended with status $?"
    program_pid=""
}

keys() {
    xdotool key --delay 60 "$@"
}

type_text() {
    xdotool type --delay 25 -- "$1"
}

# shot NAME [WINDOW [AREA]]: a screenshot of the window (or the whole screen, or the area
# WxH+X+Y of it) into the tour's folder.
shot() {
    shot_number=$((shot_number + 1))
    local file crop=()
    file=$(printf '%s/%02d-%s.png' "$shots" "$shot_number" "$1")
    [ -n "${3:-}" ] && crop=(-crop "$3" +repage)
    sleep 0.3 # the last keystroke's repaint
    import -window "${2:-root}" "${crop[@]}" "$file" || fail "no screenshot $file"
}

clipboard() {
    timeout 5 xclip -o -selection clipboard 2>/dev/null || true
}

file_size() {
    stat -c %s "$1" 2>/dev/null || echo 0
}

size_is() {
    [ "$(file_size "$1")" = "$2" ]
}

# expect_size FILE BYTES: waits up to 10 s for the file to have that size.
expect_size() {
    local end=$((SECONDS + 10))
    until size_is "$1" "$2"; do
        [ "$SECONDS" -lt "$end" ] || fail "$1 has $(file_size "$1") bytes, not $2"
        sleep 0.1
    done
}
