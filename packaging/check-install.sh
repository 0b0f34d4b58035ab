#!/usr/bin/env bash
# Checks the program as it is installed, not as it runs from the build folder:
#  1. installs the build into a temporary prefix (cmake --install) and checks
#     the list of installed files, the menu entry (desktop-file-validate) and
#     the AppStream metainfo (appstreamcli validate); builds the Debian
#     package (cpack) and checks its files, its Qt dependencies and lintian's
#     verdict (no errors, no warnings); checks that varnoth-report links no Qt;
#  2. as an ordinary user (created for the check when run as root), runs the
#     settings location tests, which need permission bits that bind;
#  3. as that user, with a fresh HOME, starts the installed program three
#     times on a virtual display, presses Analyze and then Quit, and checks
#     where the settings file went and what the next start read from it:
#     the program folder cannot be written, so the file lands in the
#     per-user configuration folder, the next start reads it back, a
#     settings file put beside the program later wins over it, and once Quit
#     has written the user's file again, that newer file wins in turn;
#  4. as that user, without a display, runs varnoth-report as the Debian
#     package installs it: a report in each format, and the exit statuses and
#     messages of a missing log and a usage error.
# Usage: packaging/check-install.sh [BUILD_DIR]     (default: build)
# Needs: desktop-file-utils, appstream, dpkg-dev, lintian, xvfb, xdotool (scripts/deps.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
build=$(cd "${1:-build}" && pwd)

work=$(mktemp -d)
chmod 755 "$work"
prefix=$work/root/usr
check_user=varnoth-check
created_user=""
xvfb_pid=""
program_pid=""

cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    chmod -R u+w "$work" 2>/dev/null || true
    rm -rf "$work"
    [ -n "$created_user" ] && userdel "$check_user" 2>/dev/null || true
}
trap cleanup EXIT

fail() {
    echo "check-install: FAILED: $*" >&2
    exit 1
}
step() { echo "== $*"; }

# --- 1. Install and validate --------------------------------------------
step "installing into a temporary prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

app_id=io.github.varnoth.Varnoth
expected="bin/varnoth
bin/varnoth-report
share/applications/$app_id.desktop
share/doc/varnoth/changelog.gz
share/doc/varnoth/copyright
share/icons/hicolor/scalable/apps/varnoth.svg
share/man/man1/varnoth-report.1.gz
share/man/man1/varnoth.1.gz
share/metainfo/$app_id.metainfo.xml"
installed=$(cd "$prefix" && find . -type f | sed 's|^\./||' | sort)
[ "$installed" = "$expected" ] || fail "installed files differ from the expected list:
$installed"
for program in varnoth varnoth-report; do
    if readelf -d "$prefix/bin/$program" | grep -qE 'RPATH|RUNPATH'; then
        fail "the installed $program still carries a library search path"
    fi
done
# The command runs where there is no display: it needs no Qt library at all.
if readelf -d "$prefix/bin/varnoth-report" | grep NEEDED | grep -qi 'qt'; then
    fail "varnoth-report links a Qt library"
fi

step "desktop-file-validate"
desktop-file-validate "$prefix/share/applications/$app_id.desktop"
icon=$(sed -n 's/^Icon=//p' "$prefix/share/applications/$app_id.desktop")
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no icon named $icon installed"
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" || fail "the icon is not an SVG file"

step "appstreamcli validate"
appstreamcli validate --no-net --strict "$prefix/share/metainfo/$app_id.metainfo.xml"
appstreamcli validate-tree --no-net --strict "$work/root"

step "Debian package"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >/dev/null
deb=$(ls "$work"/deb/varnoth_*.deb)
dpkg-deb -f "$deb" Package Version Section Maintainer Depends
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "the package does not depend on the Qt Widgets runtime"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6charts6' || fail "the package does not depend on the Qt Charts runtime"
packaged=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./usr/||' | sort)
[ "$packaged" = "$expected" ] || fail "the package holds other files than the install:
$packaged"

step "lintian"
# As root (in CI) lintian also remarks that root is not recommended; that line is dropped.
lintian_status=0
lintian --fail-on error,warning "$deb" >"$work/lintian.out" 2>&1 || lintian_status=$?
grep -v 'running with root privileges' "$work/lintian.out" || true
[ "$lintian_status" -eq 0 ] || fail "lintian reports errors or warnings"
unpacked=$work/unpacked
dpkg-deb -x "$deb" "$unpacked"
chmod 755 "$unpacked"

# --- 2. An ordinary user --------------------------------------------------
# The program's folder must be one the user cannot write, as under /usr/bin.
chmod 555 "$prefix/bin"
if [ "$(id -u)" -eq 0 ]; then
    if ! id "$check_user" >/dev/null 2>&1; then
        useradd --system --no-create-home --shell /usr/sbin/nologin "$check_user"
        created_user=$check_user
    fi
    # setpriv runs the command in place: no parent process left in between.
    as_user=(setpriv --reuid="$check_user" --regid="$(id -g "$check_user")" --init-groups --)
else
    as_user=()
fi

forms_tests=$build/tests/forms/forms_tests
if [ -x "$forms_tests" ]; then
    step "settings file tests as an ordinary user"
    "${as_user[@]}" env -i PATH=/usr/bin:/bin "$forms_tests" --gtest_brief=1 --gtest_filter='SettingsFile.*'
fi

# --- 3. The installed program, started three times -------------------------
home=$work/home
logs=$work/logs
mkdir -p "$logs"
cp "$source_dir/samples/uploads.log" "$logs/uploads.log"
head -n 10 "$source_dir/samples/uploads.log" >"$logs/other.log"
chmod 755 "$logs" && chmod 644 "$logs"/*.log
sample_lines=$(grep -c '[^[:space:]]' "$logs/uploads.log")
other_lines=$(grep -c '[^[:space:]]' "$logs/other.log")

step "starting a virtual display"
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -ac >/dev/null 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
display=:$(head -n1 "$work/display")
[ "$display" != ":" ] || fail "Xvfb did not start"
export DISPLAY=$display

# Writes a settings file the way the program does (CR LF lines).
write_settings() { # file log total
    printf 'Quillon ini file 1\r\n%s\r\n %s \r\n' "$2" "$3" >"$1"
}

# One start of the installed program: wait for the window, press Analyze
# (Command1, top left of the command strip, under the menu bar), wait for
# the run to finish, press the same button, now Quit, and wait for the end.
analyze_and_quit() {
    "${as_user[@]}" env -i HOME="$home" XDG_RUNTIME_DIR="$runtime" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin LANG=C.UTF-8 \
        QT_QPA_PLATFORM=xcb "$prefix/bin/varnoth" >"$work/program.out" 2>&1 &
    program_pid=$!
    local window
    window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Varnoth$' | head -n1) ||
        fail "the window did not appear: $(cat "$work/program.out")"
    sleep 0.5
    xdotool mousemove --window "$window" 56 39 click 1
    timeout 60 xdotool search --sync --onlyvisible --name 'Analyzing complete' >/dev/null ||
        fail "the analysis did not complete (was Analyze offered?)"
    sleep 0.5
    xdotool mousemove --window "$window" 56 39 click 1
    for _ in $(seq 100); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$program_pid" 2>/dev/null; then
        fail "the program did not end on Quit"
    fi
    wait "$program_pid" || fail "the program ended with status $?: $(cat "$work/program.out")"
    program_pid=""
}

# The only settings file under the user's HOME.
user_settings() {
    local found
    found=$(find "$home" -name quillon.ini -type f)
    [ "$(printf '%s\n' "$found" | grep -c .)" -eq 1 ] || fail "expected one settings file under HOME, found: $found"
    printf '%s\n' "$found"
}

expect_settings() { # file log total
    local want
    want=$(printf 'Quillon ini file 1\r\n%s\r\n %s \r\n' "$2" "$3")
    [ "$(cat "$1")" = "$want" ] || fail "$1 holds $(cat -A "$1"), expected log $2 and total $3"
}

runtime=$work/runtime
mkdir -p "$home" "$runtime"
chmod 700 "$runtime"
if [ "$(id -u)" -eq 0 ]; then chown "$check_user:" "$home" "$runtime"; fi
beside=$prefix/bin/quillon.ini

step "start 1: a settings file beside the program names the log; Quit writes to the user's folder"
chmod 755 "$prefix/bin"
write_settings "$beside" "$logs/uploads.log" 0
chmod 555 "$prefix/bin"
analyze_and_quit
settings=$(user_settings)
expect_settings "$settings" "$logs/uploads.log" "$sample_lines"
expect_settings "$beside" "$logs/uploads.log" 0
echo "   written: ${settings#"$home"/}"

step "start 2: nothing beside the program; the user's file is read and updated"
chmod 755 "$prefix/bin"
rm "$beside"
chmod 555 "$prefix/bin"
analyze_and_quit
expect_settings "$settings" "$logs/uploads.log" $((2 * sample_lines))

step "start 3: a settings file put beside the program after the user's wins"
chmod 755 "$prefix/bin"
write_settings "$beside" "$logs/other.log" 7
chmod 555 "$prefix/bin"
analyze_and_quit
expect_settings "$settings" "$logs/other.log" $((7 + other_lines))

step "start 4: the user's file, written last by Quit, wins over the older one beside the program"
analyze_and_quit
expect_settings "$settings" "$logs/other.log" $((7 + 2 * other_lines))
expect_settings "$beside" "$logs/other.log" 7

# --- 4. The command from the package, without a display --------------------
step "varnoth-report from the Debian package, as an ordinary user, without a display"
report=$unpacked/usr/bin/varnoth-report
out=$work/report-out
mkdir -p "$out"
if [ "$(id -u)" -eq 0 ]; then chown "$check_user:" "$out"; fi
run_report() { # arguments...; standard output to $out/stdout, standard error to $out/stderr
    local status=0
    "${as_user[@]}" env -i PATH=/usr/bin:/bin LANG=C.UTF-8 "$report" "$@" >"$out/stdout" 2>"$out/stderr" || status=$?
    echo "$status"
}
[ "$(run_report --version)" -eq 0 ] && grep -qx 'varnoth-report 1.0.0' "$out/stdout" || fail "varnoth-report --version"
[ "$(run_report "$logs/uploads.log")" -eq 0 ] || fail "the text report failed: $(cat "$out/stderr")"
grep -qx 'Total Uploads :  '"$sample_lines" "$out/stdout" || fail "the text report lacks the total: $(head -3 "$out/stdout")"
[ "$(run_report --format json --output "$out/report.json" "$logs/uploads.log")" -eq 0 ] || fail "the JSON report failed"
grep -q '"total_uploads": '"$sample_lines" "$out/report.json" || fail "the JSON report lacks the total"
[ "$(run_report --format html --output "$out/report.html" "$logs/uploads.log")" -eq 0 ] || fail "the HTML report failed"
grep -q '<svg' "$out/report.html" || fail "the HTML report has no chart"
[ "$(run_report --format csv --list folders --output - "$logs/uploads.log")" -eq 0 ] || fail "the CSV report failed"
head -n1 "$out/stdout" | grep -qx $'folder,accesses\r' || fail "the CSV report has another header: $(head -n1 "$out/stdout")"
[ "$(run_report "$logs/missing.log")" -eq 1 ] || fail "a missing log does not end with status 1"
[ "$(cat "$out/stderr")" = "varnoth-report: $logs/missing.log: No such file or directory" ] ||
    fail "a missing log says: $(cat "$out/stderr")"
[ "$(run_report --top 0 "$logs/uploads.log")" -eq 2 ] || fail "a usage error does not end with status 2"
echo "   text, JSON, HTML and CSV written; missing log: status 1; usage error: status 2"

echo "check-install: all checks passed"
