# Sourced by the Wine tests that work on a sample machine. sample_machine_prefix NAME BIN OVUNINSTALL
# [DEMO OPTIONS...] sets bin to the Windows build's program folder BIN and makes prefix, the Wine
# prefix wineprefix-NAME beside it, afresh (a copy of a template made once) holding the sample
# machine that the native build's OVUNINSTALL writes: its registry imported with regedit, its drive
# copied onto C:. Sets WINEPREFIX to it and removes it when the test ends.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

fail() {
    echo "$1"
    exit 1
}

sample_machine_prefix() {
    local ovuninstall=$3 template
    bin=$(cd "$2" && pwd)
    prefix=$(cd "$bin/.." && pwd)/wineprefix-$1
    template=$(dirname "$prefix")/wineprefix-sample-template
    shift 3
    trap "WINEPREFIX='$prefix' wineserver -k >/dev/null 2>&1 || true; rm -rf '$prefix'" EXIT
    if [ ! -f "$template/system.reg" ]; then
        mkdir -p "$template"
        WINEPREFIX=$template wineboot -i >/dev/null 2>&1 || true
        WINEPREFIX=$template wineserver -w
    fi
    rm -rf "$prefix"
    cp -a "$template" "$prefix"
    export WINEPREFIX=$prefix
    # One server for the whole test: a Wine server that is starting or stopping between two
    # commands now and then runs nothing of the second.
    wineserver -p

    local machine=$prefix/sample-machine
    "$ovuninstall" demo "$machine" "$@" >/dev/null
    cp -r "$machine/drive_c/." "$prefix/drive_c/"
    # The registry editor's version 5 format means UTF-16 text: Wine's regedit reads the hex form
    # of text values in an 8-bit file as 8-bit text.
    { printf '\xff\xfe'; iconv -f latin1 -t UTF-16LE "$machine/registry.reg"; } \
        >"$prefix/drive_c/machine.reg"
    rm -rf "$machine"
    wine regedit /s 'C:\machine.reg' || fail "regedit could not take the sample machine's registry"
}
