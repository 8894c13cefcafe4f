#!/usr/bin/env bash
# A new user's first session with the installed program, on a private virtual display, driven
# with the keyboard as a person would: the command line, set the masters, add two entries,
# search, copy a password and watch the clipboard clear itself, delete and undo, restart (a
# second start brings the window forward) and log in, encrypt and decrypt a file, export the
# list and import it again.
# Each step leaves a screenshot and fails the tour when the program does not show what it
# should.
#
# usage: tour.sh BUILD_DIR [SCREENSHOT_DIR]
# Needs Xvfb, xdotool, xclip and ImageMagick's import.
set -euo pipefail

[ $# -ge 1 ] || {
    echo "usage: $0 BUILD_DIR [SCREENSHOT_DIR]" >&2
    exit 2
}
build=$(cd "$1" && pwd)
shots=${2:-$build/tour}
work=$(mktemp -d "${TMPDIR:-/tmp}/pellora-tour.XXXXXX")
prefix=$work/prefix
source "$(dirname "$0")/tourlib.sh"
trap 'stop_all; rm -rf "$work"' EXIT

master1=Harbour-lights-9
master2=Juniper-basket-4
vault_password=Quartz-river-71

# A home of its own: the tour never sees the user's settings, data or desktop session.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_RUNTIME_DIR=$work/runtime
unset QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE DBUS_SESSION_BUS_ADDRESS
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION SESSION_MANAGER
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$work/files" "$work/out" "$shots"
chmod 700 "$XDG_RUNTIME_DIR"
rm -f "$shots"/*.png
data=$XDG_DATA_HOME/Brantwick/Pellora
store=$data/Pellora.lgn
settings=$XDG_CONFIG_HOME/Brantwick/Pellora.ini
record=218

step "installing into a scratch prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || fail "cmake --install failed"
for f in bin/pellora share/pellora/pqchk share/pellora/PelloraTips.txt share/pellora/Pellora.hlp \
    share/applications/com.brantwick.pellora.desktop \
    share/metainfo/com.brantwick.pellora.metainfo.xml \
    share/icons/hicolor/scalable/apps/com.brantwick.pellora.svg \
    share/icons/hicolor/16x16/apps/com.brantwick.pellora.png \
    share/icons/hicolor/256x256/apps/com.brantwick.pellora.png; do
    [ -f "$prefix/$f" ] || fail "the install has no $f"
done
printf 'Meet at the old mill at noon.\n' >"$work/files/secret.txt"
cp "$work/files/secret.txt" "$work/secret.orig"

step "the command line answers without a window"
[ "$("$prefix/bin/pellora" --version)" = "pellora 1.0.0" ] || fail "--version printed something else"
"$prefix/bin/pellora" --help | grep -q '^Usage: pellora' || fail "--help printed no usage"
[ -s "$prefix/share/doc/pellora/copyright" ] || fail "the install has no copyright file"

start_display

step "first run: the set-up window asks for each master password twice"
start_program
# The splash stays 3 s before the main window and the set-up window over it.
wait_window "Set Up Pellora" 40
has_window Pellora || fail "no main window under the options dialog"
main_has_icon() {
    local props
    props=$(xprop -id "$(window_id Pellora)" _NET_WM_ICON WM_CLASS 2>/dev/null) || return 1
    grep -q '^_NET_WM_ICON(CARDINAL) = ' <<<"$props" &&
        grep -q '^WM_CLASS(STRING) = "pellora", "Pellora"$' <<<"$props"
}
wait_until 5 "the main window shows the program's icon and class" main_has_icon
# The cursor starts in Master 1; Tab goes to its repeat, then to Master 2 and its repeat.
type_text "$master1"
keys Tab
type_text "$master1"
keys Tab
type_text "$master2"
keys Tab
type_text "${master2}x"
keys Return
# A mistyped repeat is refused, naming the pair; the message box has the keyboard.
sleep 1
keys Return
wait_window "Set Up Pellora"
type_text "$master2"
keys Tab
type_text "$master2"
shot set-up "$win"
keys Return
wait_no_window "Set Up Pellora"
[ -s "$settings" ] || fail "no settings file at $settings"
grep -q '^Master1=' "$settings" || fail "the settings hold no Master1"
[ "$(stat -c %a "$settings")" = 600 ] || fail "the settings file is not private"
# A roomier window than the default, kept for the next start like any user's choice.
xdotool windowsize "$(window_id Pellora)" 760 460

add_entry() { # description login password
    wait_window Pellora
    keys ctrl+n
    wait_window Logins
    type_text "$1"
    keys alt+l
    type_text "$2"
    keys alt+p
    type_text "$3"
}

step "adding the first entry, whose capitals are not lost"
add_entry "Example Bank" "alice.smith" "Sunflower2024"
shot editor "$win"
keys Return
# "Case Sensitive" is off: Pellora asks before storing lower case; Enter means No, go back.
sleep 3
keys Return
wait_window Logins
# Back on the Validation tab with "Case Sensitive" focused; Ctrl+Tab wraps to Password and
# Ctrl+Shift+Tab returns. Space ticks it, so OK then saves without asking again.
keys ctrl+Tab ctrl+shift+Tab
shot editor-validation "$win"
keys space Return
wait_no_window Logins 5

step "adding the second entry"
add_entry "Mail account" "alice@example.org" "harbour77gate"
keys Return
wait_no_window Logins
expect_size "$store" $((record * 2))

step "finding the bank as one types, and copying its password"
wait_window Pellora
keys ctrl+f
type_text "bank"
has_clip() { [ "$(clipboard)" = "$1" ]; }
# With nothing selected in the search box, Ctrl+C copies the password of the entry shown.
keys ctrl+c
wait_until 5 "the clipboard holds the password (it holds \"$(clipboard)\")" has_clip Sunflower2024
shot search "$win"
wait_until 15 "the clipboard clears itself" has_clip ""
keys Escape

step "a copy the user made afterwards survives the clearing"
keys Escape ctrl+End ctrl+b
wait_until 5 "the clipboard holds the login" has_clip alice@example.org
printf 'my own words' | xclip -selection clipboard
sleep 12
has_clip "my own words" || fail "the clipboard lost what the user copied after Pellora"

step "deleting an entry and bringing it back"
deleted_flag() { [ "$(od -An -tx1 -j194 -N2 "$store" | tr -d ' ')" = "$1" ]; }
keys ctrl+Home Delete
wait_until 5 "the first entry is marked deleted" deleted_flag ffff
shot deleted "$win"
keys ctrl+z
wait_until 5 "the deleted entry is live again" deleted_flag 0000
# Undo selects it again: its password is the one copied.
keys ctrl+c
wait_until 5 "the restored entry's password is copied" has_clip Sunflower2024
shot main-two-entries "$win"

step "closing the program"
keys alt+f x
wait_program_end
grep -q '^MainWidth=' "$settings" || fail "the window's size was not saved"

step "second run: logging in, and a second start brings the login forward"
start_program
wait_window Login 30
first_pid=$program_pid
"$prefix/bin/pellora" >>"$work/program.log" 2>&1 && fail "a second start ended with status 0"
program_pid=$first_pid
wait_window Login 10
shot login "$win"
type_text "$master1"
keys alt+s
type_text "$master2"
keys Return
wait_window "Tip of the Day" 40
shot tip-of-the-day "$win"
keys Return
wait_no_window "Tip of the Day"

step "encrypting a file in the file vault"
wait_window Pellora
keys alt+t Return
wait_window "File Encryption/Decryption"
# It opens in the home folder. From the drive box, Tab goes to the folder tree: one folder up
# is the tour's own folder, whose first subfolder is "files".
# The tree is rebuilt after each Return; nothing outside the window shows when it is done.
keys Tab Up Return
sleep 1
keys Down Return
sleep 1
keys alt+n ctrl+a
type_text "secret.txt"
keys Tab ctrl+a alt+p
type_text "$vault_password"
shot file-vault "$win"
keys alt+e
# The password is kept as a third entry, before the file changes.
expect_size "$store" $((record * 3))
encrypted() { ! cmp -s "$work/files/secret.txt" "$work/secret.orig"; }
wait_until 10 "the file is encrypted" encrypted
[ "$(file_size "$work/files/secret.txt")" = "$(file_size "$work/secret.orig")" ] ||
    fail "the encrypted file changed its size"

step "decrypting the file again"
keys alt+a alt+d
same_as_before() { cmp -s "$work/files/secret.txt" "$work/secret.orig"; }
wait_until 10 "the file is decrypted" same_as_before
[ "$(file_size "$store")" = $((record * 3)) ] || fail "decrypting added an entry"
keys alt+c
wait_no_window "File Encryption/Decryption"
wait_window Pellora
shot main-window "$win"
# Menus are windows of their own: the picture with one open is cut from the screen.
keys alt+f
shot main-window-menu root "$(xdotool getwindowgeometry --shell "$win" |
    awk -F= '/^[XY]=/{p[$1]=$2} /^WIDTH=/{w=$2} /^HEIGHT=/{h=$2}
             END{printf "%dx%d+%d+%d", w, h, p["X"], p["Y"]}')"
# The first Escape closes the menu, the second leaves the menu bar.
keys Escape Escape

step "exporting the list"
wait_window Pellora
keys alt+f e
wait_window "Pellora Password Import/Export"
keys ctrl+a
type_text "$work/out/vault.pqx"
keys Return
wait_no_window "Pellora Password Import/Export"
# The header record and the three entries.
expect_size "$work/out/vault.pqx" $((record * 4))

step "importing the exported list"
wait_window Pellora
keys alt+f i
wait_window "Import Passwords"
type_text "$master1"
keys alt+2
type_text "$master2"
keys alt+p
type_text "$work/out/vault.pqx"
shot import "$win"
keys Return
wait_no_window "Import Passwords"
expect_size "$store" $((record * 6))

step "copying an imported password"
wait_window Pellora
keys Escape ctrl+End ctrl+c
wait_until 5 "the clipboard holds the imported password" has_clip "$vault_password"
shot main-after-import "$win"

step "closing the program"
keys ctrl+q
wait_program_end
[ "$(clipboard)" = "" ] || fail "the clipboard still holds a password after the end"

echo "tour: passed; screenshots in $shots"
