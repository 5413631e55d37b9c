#!/bin/sh
# pack-release.sh: the release of a Windows build tree, the zip and the installer package
# with their checksums. The same sources give the same bytes wherever and whenever they
# are packed: every time stored is the source date (below), every code is derived.
#
#   pack-release.sh [--sign PKCS12 PASSWORD_FILE [--timestamp URL]] [--version TEXT NUMBERS] TREE OUT
#
# TREE is a Windows build tree: TREE/dist/files holds the stripped DORVALIX.EXE and
# dorvalix-classify.exe, README.md and LICENSE; TREE/generated/dorvalix_version.sh the
# version. Written to OUT (and printed):
#   dorvalix-<version>.zip          the four files at its top level
#   dorvalix-<version>.zip.sha256   the zip's SHA-256 as `sha256sum -c` reads it
#   dorvalix-<version>.msi          the per-user installer package (app/dorvalix.wxs)
#   SHA256SUMS                      the SHA-256 of the three above, the same way
# --sign signs both programs before they are packed, and then the package, with the
# certificate and key of the PKCS#12 file, whose password is the first line of
# PASSWORD_FILE: Authenticode, SHA-256, with a time stamp only where --timestamp names a
# time-stamp server (RFC 3161). --version packs as another version: its text and the
# package's numbers (a test's newer package).
#
# The source date: SOURCE_DATE_EPOCH where it is set, else the time of the sources' last
# commit, else (sources outside git) the modification time of VERSION.
set -eu
ROOT=$(CDPATH= cd -- "$(dirname -- "$0")/.." && pwd)

say() { printf '%s\n' "$*"; }
fail() { say "pack-release: $*" >&2; exit 1; }

sign_pkcs12="" sign_password="" sign_timestamp="" version="" package_version=""
while [ $# -gt 0 ]; do
    case $1 in
    --sign) [ $# -ge 3 ] || fail "--sign needs PKCS12 PASSWORD_FILE"; sign_pkcs12=$2 sign_password=$3; shift 3 ;;
    --timestamp) [ $# -ge 2 ] || fail "--timestamp needs a URL"; sign_timestamp=$2; shift 2 ;;
    --version) [ $# -ge 3 ] || fail "--version needs TEXT NUMBERS"; version=$2 package_version=$3; shift 3 ;;
    *) break ;;
    esac
done
[ $# -eq 2 ] || fail "usage: pack-release.sh [--sign PKCS12 PASSWORD_FILE [--timestamp URL]] [--version TEXT NUMBERS] TREE OUT"
tree=$(cd -- "$1" && pwd) || exit 1
mkdir -p "$2"
out=$(cd -- "$2" && pwd)
. "$tree/generated/dorvalix_version.sh"
[ -n "$version" ] || { version=$DORVALIX_VERSION package_version=$DORVALIX_PACKAGE_VERSION; }
[ -z "$sign_timestamp" ] || [ -n "$sign_pkcs12" ] || fail "--timestamp without a certificate to sign with"
[ -z "$sign_pkcs12" ] || [ -f "$sign_pkcs12" ] || fail "no certificate file $sign_pkcs12"
[ -z "$sign_pkcs12" ] || [ -f "$sign_password" ] || fail "no password file \"$sign_password\" for $sign_pkcs12"

source_date() {
    if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
        say "$SOURCE_DATE_EPOCH"
    elif git -C "$ROOT" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        git -C "$ROOT" log -1 --format=%ct
    else
        stat -c %Y "$ROOT/VERSION"
    fi
}
epoch=$(source_date)
case $epoch in ''|*[!0-9]*) fail "no source date (got \"$epoch\")" ;; esac
# The source date as faketime takes it, in UTC as every tool here runs.
TZ=UTC
export TZ
stamp=$(date -u -d "@$epoch" '+%Y-%m-%d %H:%M:%S')

# A GUID made from data: the first 128 bits of the SHA-256 of the words given (or of
# standard input), with the version and variant bits of a name-based GUID set.
derived_guid() {
    if [ $# -gt 0 ]; then printf '%s' "$*" | sha256sum; else sha256sum; fi | awk '{
        h = toupper(substr($1, 1, 32))
        variant = substr("89AB", (index("0123456789ABCDEF", substr(h, 17, 1)) - 1) % 4 + 1, 1)
        printf "%s-%s-5%s-%s%s-%s\n", substr(h, 1, 8), substr(h, 9, 4), substr(h, 14, 3),
            variant, substr(h, 18, 3), substr(h, 21, 12) }'
}

sign() {  # sign FILE: in place, when a certificate is given
    [ -n "$sign_pkcs12" ] || return 0
    set -- "$1" -pkcs12 "$sign_pkcs12" -readpass "$sign_password" -h sha256 -n DORVALIX
    [ -z "$sign_timestamp" ] || set -- "$@" -ts "$sign_timestamp"
    file=$1; shift
    osslsigncode sign "$@" -in "$file" -out "$file.signed" >/dev/null || fail "could not sign $file"
    mv "$file.signed" "$file"
}

stage="$out/.pack-release"
rm -rf "$stage"
trap 'rm -rf "$stage"' EXIT
mkdir "$stage"
programs="DORVALIX.EXE dorvalix-classify.exe"
files="$programs README.md LICENSE"
for file in $files; do cp "$tree/dist/files/$file" "$stage/"; done
for program in $programs; do sign "$stage/$program"; done
cp "$ROOT/app/dorvalix.wxs" "$ROOT/icon/dorvalix.ico" "$stage/"
# The modes and times that the zip and the package's cabinet store.
(cd "$stage" && chmod 0644 * && touch -d "@$epoch" *)

zip="dorvalix-$version.zip" msi="dorvalix-$version.msi"
rm -f "$out/$zip" "$out/$zip.sha256" "$out/$msi" "$out/SHA256SUMS"
# The entries in this order; -X: no Unix owners or times beyond the DOS time, -D: no
# folder entries.
(cd "$stage" && zip -q -X -D "$out/$zip" $files)

# The package: its product code from the upgrade code and the version (the same version
# is the same product), its times the source date (wixl takes the clock's), and its
# package code, which must change with any byte of it, from its own contents with that
# code left zero.
upgrade_code=$(sed -n 's/.*UpgradeCode="\([^"]*\)".*/\1/p' "$stage/dorvalix.wxs")
[ -n "$upgrade_code" ] || fail "no UpgradeCode in app/dorvalix.wxs"
product_code=$(derived_guid "$upgrade_code" "$package_version")
(cd "$stage" && faketime -f "$stamp" wixl -a x86 -D "Version=$version" -D "PackageVersion=$package_version" \
    -D "ProductCode=$product_code" -D "Publisher=$DORVALIX_PUBLISHER" -o "$stage/$msi" dorvalix.wxs) ||
    fail "wixl could not build $msi"
summary() {  # the summary's subject, author and template as wixl writes them, and a package code
    faketime -f "$stamp" msibuild "$stage/$msi" -s "DORVALIX $version" "$DORVALIX_PUBLISHER" "Intel;1033" "{$1}"
}
summary 00000000-0000-0000-0000-000000000000
summary "$(derived_guid <"$stage/$msi")"
sign "$stage/$msi"
mv "$stage/$msi" "$out/$msi"

cd "$out"
sha256sum "$zip" >"$zip.sha256"
sha256sum "$zip" "$zip.sha256" "$msi" >SHA256SUMS
for file in "$zip" "$zip.sha256" "$msi" SHA256SUMS; do say "$out/$file"; done
