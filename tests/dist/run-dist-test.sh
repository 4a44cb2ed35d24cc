#!/usr/bin/env bash
# The host bundle as a host developer gets it: unpacked into an empty folder away from the build
# tree and used with nothing but what it holds, the compilers and Wine.
#  - it holds what it should, and its README names every file;
#  - every DLL and program carries the version in the archive's name;
#  - a host built from the header and the import library (bound at load time, not loaded by name)
#    shows the shutdown warning; a button is pressed and the answer comes back;
#  - an object compiled for the Microsoft ABI and linked by lld-link against the import library
#    imports the plain export names, and runs;
#  - the sample host builds from the shipped source, with and without the shipped loader library,
#    and runs; lngcheck checks a shipped language file.
# Usage: run-dist-test.sh <build folder> <archive>
# (CTest passes the tools: XJN_CXX, XJN_CLANG, XJN_LLD_LINK, XJN_LLVM_DLLTOOL)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
. "$root/scripts/wine-env.sh"
xjn_start_target "$0" "$@"
archive=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
cxx=${XJN_CXX:-i686-w64-mingw32-g++-posix}
clang=${XJN_CLANG:-clang}
lld_link=${XJN_LLD_LINK:-lld-link}
llvm_dlltool=${XJN_LLVM_DLLTOOL:-llvm-dlltool}
objdump=i686-w64-mingw32-objdump
xjn_make_prefix

name=$(basename "$archive" .zip)
version=${name#XJNTrayNotifications-}
work=$(mktemp -d "${TMPDIR:-/tmp}/xjn-dist.XXXXXX")
language_key='HKCU\Software\Orvanta\Orvanta Utilities\Language'
cleanup() {
  wine reg delete "$language_key" /v default /f >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "dist: FAILED: $*"
  exit 1
}
step() { echo "dist: $*"; }

# The names a program imports from one DLL, one a line, sorted.
imports_from() {
  "$objdump" -p "$1" | awk -v dll="$2" '
    /DLL Name:/ { listing = tolower($3) == tolower(dll); next }
    /^[ \t]*$/ { listing = 0 }
    listing && $1 ~ /^[0-9a-f]+$/ && NF >= 3 { print $3 }' | sort
}

# Runs a program of the bundle's bin/ folder, where a host's executable and the library sit
# together; the exit status is the program's, its lines end without the console's CR.
run_in_bin() {
  (cd "$bundle/bin" && wine "./$1" "${@:2}") | tr -d '\r'
}

step "unpacking $(basename "$archive") into $work"
(cd "$work" && cmake -E tar xf "$archive")
[ "$(ls "$work")" = "$name" ] || fail "the archive should hold one folder $name, holds: $(ls "$work")"
bundle=$work/$name

for file in README-host.md include/XJNTrayNotifications.h lib/XJNTrayNotifications.lib lib/libXJNTrayLoader.a \
            bin/XJNTrayNotifications.dll bin/Logvane.dll bin/aJNClient.dll bin/XJNSampleHost.exe bin/lngcheck.exe \
            src/hostloader/TrayLoader.cpp src/hostloader/PopupAutomation.h src/samplehost/main.cpp; do
  [ -f "$bundle/$file" ] || fail "$file is missing"
done
shipped_languages=$(cd "$root/lang/files" && ls ./*.lng | sort)
bundled_languages=$(cd "$bundle/bin/Language" && ls ./*.lng | sort)
[ "$shipped_languages" = "$bundled_languages" ] || fail "bin/Language differs from the shipped language files"
for file in "$bundle"/bin/* "$bundle"/lib/*; do
  grep -qF "$(basename "$file")" "$bundle/README-host.md" || fail "README-host.md does not name $(basename "$file")"
done
step "the bundle holds the library, its DLLs, $(echo "$bundled_languages" | wc -l) language files, the header," \
     "the import library, the loader and the sample host with their source, and README-host.md"

step "version resources (expected $version)"
mkdir "$work/build"
"$cxx" -std=gnu++17 -municode "$here/host/VersionCheck.cpp" -lversion -static -o "$work/build/VersionCheck.exe" ||
  fail "the version reader did not build"
modules=()
for file in "$bundle"/bin/*.dll "$bundle"/bin/*.exe; do
  modules+=("$(winepath -w "$file")")
done
wine "$work/build/VersionCheck.exe" "$version" "${modules[@]}" || fail "a module does not carry version $version"

step "a host built from the header and the import library"
"$cxx" -std=gnu++17 -municode -I"$bundle/include" -I"$bundle/src" -I"$bundle/src/hostloader" \
  "$here/host/ArchiveHost.cpp" "$bundle/src/hostloader/PopupAutomation.cpp" "$bundle/src/hostloader/Screenshot.cpp" \
  -L"$bundle/lib" -lXJNTrayNotifications -lgdiplus -lgdi32 -luser32 -static -o "$bundle/bin/ArchiveHost.exe" ||
  fail "the host did not build from the header and the import library"
bound=$(imports_from "$bundle/bin/ArchiveHost.exe" XJNTrayNotifications.dll)
[ "$bound" = "ShowShutdownDialog" ] || fail "the host should import ShowShutdownDialog from the library, imports: $bound"
warning=$(sed -n 's/^XJNS_SHUTDOWN_WARNING=//p' "$bundle/bin/Language/English.lng" | tr -d '\r')
[ -n "$warning" ] || fail "English.lng has no XJNS_SHUTDOWN_WARNING"
wine reg add "$language_key" /v default /d English /f >/dev/null 2>&1
picture=$work/archive-host.png
said=$(run_in_bin ArchiveHost.exe "$warning" 1381 "$(winepath -w "$picture")") || fail "the host failed: $said"
echo "$said"
grep -qx 'ShowShutdownDialog returned 1, choice 1' <<<"$said" || fail "the first button's answer (1) did not come back"
if [ -f "$picture" ]; then
  cp "$picture" "$XJN_BUILD/dist/archive-host.png"
  step "the pop-up as the host saw it: $XJN_BUILD/dist/archive-host.png"
fi

step "the import library with a Microsoft-format linker"
"$clang" --target=i686-pc-windows-msvc -c "$here/host/MsvcImports.c" -o "$work/build/MsvcImports.obj" ||
  fail "clang did not compile the Microsoft-ABI object"
# No system libraries here: the one system call it makes gets an import library of its own.
printf 'LIBRARY kernel32.dll\nEXPORTS\n    ExitProcess@4\n' >"$work/build/kernel32.def"
"$llvm_dlltool" -m i386 -k -d "$work/build/kernel32.def" -l "$work/build/kernel32.lib"
"$lld_link" /nologo /nodefaultlib /entry:Start /subsystem:console /out:"$bundle/bin/MsvcImports.exe" \
  "$work/build/MsvcImports.obj" "$bundle/lib/XJNTrayNotifications.lib" "$work/build/kernel32.lib" ||
  fail "lld-link did not link against the import library"
bound=$(imports_from "$bundle/bin/MsvcImports.exe" XJNTrayNotifications.dll | tr '\n' ' ')
expected="HideLogonDetectDialog ShowLogonDetectDialog ShowShutdownAfterTaskCompletionDialog ShowShutdownDialog "
[ "$bound" = "$expected" ] || fail "lld-link's program should import the four plain names, imports: $bound"
step "lld-link's program imports: $bound"
status=0
run_in_bin MsvcImports.exe || status=$?
[ "$status" -eq 7 ] || fail "lld-link's program should end with 7 (both blocking exports answered 0 to NULL), ended with $status"

step "the sample host built from the shipped source"
"$cxx" -std=gnu++17 -municode -I"$bundle/include" -I"$bundle/src" -I"$bundle/src/hostloader" \
  "$bundle"/src/samplehost/*.cpp "$bundle"/src/hostloader/*.cpp "$bundle/src/base/HostCallback.cpp" \
  -lgdiplus -lgdi32 -luser32 -static -o "$bundle/bin/SampleHostFromSource.exe" ||
  fail "the sample host did not build from the shipped source"
said=$(run_in_bin SampleHostFromSource.exe aftertasks --press 1382 --delay 200) || fail "the sample host failed: $said"
echo "$said"
grep -q 'returned 1, choice 0' <<<"$said" || fail "the second button's answer (0) did not come back"

step "the sample host linked against the shipped loader library"
"$cxx" -std=gnu++17 -municode -I"$bundle/include" -I"$bundle/src/hostloader" "$bundle"/src/samplehost/*.cpp \
  -L"$bundle/lib" -lXJNTrayLoader -lgdiplus -lgdi32 -luser32 -static -o "$bundle/bin/SampleHostWithLoader.exe" ||
  fail "the sample host did not link against the shipped loader library"
said=$(run_in_bin SampleHostWithLoader.exe shutdown --press 1382 --delay 200) || fail "the sample host failed: $said"
echo "$said"
grep -q 'returned 1, choice 0' <<<"$said" || fail "the second button's answer (0) did not come back"

step "lngcheck on a shipped language file"
run_in_bin lngcheck.exe Language/German.lng || fail "lngcheck found a problem in German.lng, or did not run"

echo "dist: the bundle works on its own"
