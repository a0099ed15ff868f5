#!/usr/bin/env bash
# The release ZIP as an administrator and a caller's author get it: cpack makes
# uninstlib-VERSION-win64.zip from the Windows build, holding exactly the files of
# release_package_files.txt in one folder of that name; its .def and its import library name
# exactly the exports of its DLL. Unpacked onto C: of a Wine prefix with a sample machine, the
# caller example built from the package's own header and example removes the Rendimo Manager with
# the package's DLL, and the package's ovuninstall.exe tells its version and lists what is left.
# Usage: release_package.sh BUILD_DIR NATIVE_OVUNINSTALL VERSION
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
native_ovuninstall=$2
version=$3
. "$here/sample_machine_prefix.sh"
sample_machine_prefix release-package "$build/bin" "$native_ovuninstall"

name=uninstlib-$version-win64
out=$prefix/package
cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out.log" 2>&1 ||
    { cat "$out.log"; fail "cpack could not make the package"; }
zip=$out/$name.zip
[ -f "$zip" ] || fail "cpack made no $name.zip"

unzip -Z1 "$zip" | grep -v '/$' | sort >"$out/listed"
grep -v "^$name/" "$out/listed" && fail "the files above lie outside the folder $name/"
sed "s|^|$name/|" "$here/release_package_files.txt" | sort | diff "$out/listed" - ||
    fail "the package's files differ from release_package_files.txt (< packed, > expected)"

unzip -q "$zip" -d "$prefix/drive_c"
package=$prefix/drive_c/$name

# What MSVC's `lib /def` reads and what MinGW links against name the DLL's exports, no more.
exports() { sed -n '/Ordinal\/Name Pointer/,/^$/s/^\t\[ *[0-9]*\] //p' | sort; }
x86_64-w64-mingw32-objdump -p "$package/bin/uninstlib.dll" | exports >"$out/exports"
[ -s "$out/exports" ] || fail "the package's DLL exports nothing"
imports() { x86_64-w64-mingw32-nm "$1" | sed -n 's/^.* I __imp_//p' | sort; }
x86_64-w64-mingw32-dlltool -d "$package/lib/uninstlib.def" -l "$out/from-def.a"
diff "$out/exports" <(imports "$out/from-def.a") || fail "the .def differs from the DLL's exports"
diff "$out/exports" <(imports "$package/lib/libuninstlib.dll.a") ||
    fail "the import library differs from the DLL's exports"

x86_64-w64-mingw32-gcc-posix -std=c99 -Wall -Wextra -Werror -I"$package/include" \
    -I"$package/doc/examples/windows" "$package/doc/examples/caller_example.c" \
    -o "$package/bin/caller_example.exe" || fail "the package's example does not build"
# The suite's runtime library is the suite's, not the package's: it lies in the suite's folder.
cp "$build/bin/ovrt.dll" "$prefix/drive_c/Orvanta/"

cd "$prefix/drive_c"
wine "C:\\$name\\bin\\caller_example.exe" "Rendimo Manager" </dev/null >/dev/null ||
    fail "the caller example failed with the package's DLL"
told=$(wine "C:\\$name\\bin\\ovuninstall.exe" --version </dev/null | tr -d '\r')
[ "$told" = "ovuninstall $version" ] || fail "ovuninstall.exe --version says '$told'"
listed=$(wine "C:\\$name\\bin\\ovuninstall.exe" list </dev/null | tr -d '\r') ||
    fail "the package's ovuninstall.exe list failed"
grep -q '^Examora ' <<<"$listed" || fail "ovuninstall.exe list does not list the Examora"
! grep -q '^Rendimo Manager ' <<<"$listed" || fail "the Rendimo Manager is still listed"
echo "$name.zip holds the release, and its programs work from the unpacked folder"
