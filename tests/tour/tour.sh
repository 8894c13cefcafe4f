#!/usr/bin/env bash
# A new user's first session with the installed program, on a private virtual display, driven
# with the keyboard as a person would: set the masters, add two entries, copy a password,
# restart and log in, encrypt and decrypt a file, export the list and import it again.
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

start_display

step "first run: the options dialog asks for the master passwords"
start_program
# The splash stays 3 s before the main window and the options dialog over it.
wait_window Options 40
has_window Pellora || fail "no main window under the options dialog"
main_has_icon() {
    local props
    props=$(xprop -id "$(window_id Pellora)" _NET_WM_ICON WM_CLASS 2>/dev/null) || return 1
    grep -q '^_NET_WM_ICON(CARDINAL) = ' <<<"$props" &&
        grep -q '^WM_CLASS(STRING) = "pellora", "Pellora"$' <<<"$props"
}
wait_until 5 "the main window shows the program's icon and class" main_has_icon
keys alt+1
type_text "$master1"
keys alt+2
type_text "$master2"
shot first-run-options "$win"
keys Return
wait_no_window Options
[ -s "$settings" ] || fail "no settings file at $settings"
grep -q '^Master1=' "$settings" || fail "the settings hold no Master1"
[ "$(stat -c %a "$settings")" = 600 ] || fail "the settings file is not private"
# A roomier window than the default, kept for the next start like any user's choice.
xdotool windowsize "$(window_id Pellora)" 760 460

add_entry() { # description login password
    wait_window Pellora
    # The Edit menu has no access key: open File, step right to Edit, take "&New Login".
    keys alt+f Right n
    wait_window Logins
    type_text "$1"
    keys alt+l
    type_text "$2"
    keys alt+p
    type_text "$3"
}

step "adding the first entry"
add_entry "Example Bank" "alice.smith" "sunflower2024"
shot editor "$win"
keys Return
wait_no_window Logins
expect_size "$store" $((record * 1))
[ "$(stat -c %a "$store")" = 600 ] || fail "the store is not private"

step "adding the second entry"
add_entry "Mail account" "alice@example.org" "harbour77gate"
keys Return
wait_no_window Logins
expect_size "$store" $((record * 2))

step "copying the first entry's password"
wait_window Pellora
keys Home space
keys alt+f Right c
has_clip() { [ "$(clipboard)" = "$1" ]; }
wait_until 5 "the clipboard holds the password (it holds \"$(clipboard)\")" has_clip sunflower2024
shot main-two-entries "$win"

step "closing the program"
keys alt+f x
wait_program_end
grep -q '^MainWidth=' "$settings" || fail "the window's size was not saved"

step "second run: logging in"
start_program
wait_window Login 30
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
# The password is kept as a third entry.
expect_size "$store" $((record * 3))
cmp -s "$work/files/secret.txt" "$work/secret.orig" && fail "the file was not encrypted"
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
keys End space
keys alt+f Right c
wait_until 5 "the clipboard holds the imported password" has_clip "$vault_password"
shot main-after-import "$win"

step "closing the program"
keys alt+f x
wait_program_end
[ "$(clipboard)" = "" ] || fail "the clipboard still holds a password after the end"

echo "tour: passed; screenshots in $shots"
