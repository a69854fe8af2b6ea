#!/bin/bash
# The installer of the Windows build under Wine, as an administrator uses it: a silent
# install into Program Files, the programs run from there on their own DLLs, ".dat" opens
# with KORVEN, and the silent uninstall takes it all away again.
#   installer-test.sh INSTALLER WINE-RUN WINEPREFIX VERSION
set -euo pipefail
installer="$1" run="$2" prefix="$3" version="$4"

fail() { echo "FAIL: $*"; exit 1; }
[ -f "$installer" ] || fail "no installer $installer (make windows builds it)"
folder="$prefix/drive_c/Program Files/KORVEN"
menu="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/KORVEN"
rm -rf "$folder" "$menu"

echo "installer: $installer, $(du -k "$installer" | cut -f1) KiB"
"$run" "$installer" /S || fail "the silent install ended with $?"
for file in korven.exe korven-cli.exe avrosp.exe Uninstall.exe Qt6Core.dll libstdc++-6.dll \
    platforms/qwindows.dll imageformats/qjpeg.dll styles/qwindowsvistastyle.dll \
    translations/qtbase_pl.qm doc/index.html; do
    [ -f "$folder/$file" ] || fail "not installed: $file"
done
[ -f "$menu/KORVEN.lnk" ] || fail "no Start menu entry"

# Without Qt on the PATH: the installed folder brings what the programs need.
cli=$(WINEPATH= "$run" "$folder/korven-cli.exe" --version | tr -d '\r')
[[ "$cli" == "korven-cli $version  [Build: "* ]] || fail "korven-cli --version said: $cli"
window=$(WINEPATH= "$run" "$folder/korven.exe" --version | tr -d '\r')
[[ "$window" == "korven $version  [Build: "* ]] || fail "korven --version said: $window"
echo "$cli"
"$run" reg query 'HKLM\Software\Classes\.dat' /ve | grep -q 'KORVEN.Program' ||
    fail ".dat is not KORVEN's"
"$run" reg query 'HKLM\Software\Classes\KORVEN.Program\shell\open\command' /ve |
    grep -qF '"C:\Program Files\KORVEN\korven.exe" "%1"' || fail "no open command for .dat"

# The uninstaller copies itself away and removes everything from there, after the start.
"$run" "$folder/Uninstall.exe" /S || fail "the silent uninstall ended with $?"
registered() { "$run" reg query 'HKLM\Software\Classes\KORVEN.Program' >/dev/null 2>&1; }
for _ in $(seq 100); do
    [ -e "$folder" ] || [ -e "$menu" ] || registered || break
    sleep 0.3
done
[ ! -e "$folder" ] || fail "still there after the uninstall: $(ls "$folder")"
[ ! -e "$menu" ] || fail "the Start menu entry is still there"
registered && fail "KORVEN.Program is still registered"
echo "installed, ran and uninstalled"
