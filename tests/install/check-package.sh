#!/usr/bin/env bash
# Checks the Debian package that `cpack -G DEB` wrote into a build folder: its name, control
# fields, dependencies and files, and that lintian reports no error.
# Usage: tests/install/check-package.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/common.sh"

build=$(realpath "${1:?usage: check-package.sh BUILD_DIR}")
deb=$build/pixmere_${project_version}_$(dpkg --print-architecture).deb
if [ ! -f "$deb" ]; then
    echo "FAIL: no package $deb"
    exit 1
fi

check_control() {
    local field
    for field in Package Version Architecture Maintainer Section Priority Homepage Description \
        Depends; do
        [ -n "$(dpkg-deb --field "$deb" "$field")" ] || fail "the package has no $field field"
    done
    local depends
    depends=$(dpkg-deb --field "$deb" Depends)
    for field in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins; do
        grep -q "\b$field\b" <<<"$depends" || fail "the package does not depend on $field"
    done
    [ "$(dpkg-deb --field "$deb" Recommends)" = xdg-utils ] ||
        fail "the package does not recommend xdg-utils, which opens the help pages"
    # The description names every type the editor reads and writes.
    local description
    description=$(dpkg-deb --field "$deb" Description | tr '\n' ' ' | tr -s ' ')
    for field in .pzf .fnt .fon BDF PCF PSF "C font tables" "GFX font headers" .bin .txt \
        TrueType "C source" "GFX font header," "BDF font"; do
        grep -qF "$field" <<<"$description" || fail "the description does not name $field"
    done
}

check_contents() {
    local listing path
    listing=$(dpkg-deb --contents "$deb" | awk '{ print $1, $NF }')
    for path in usr/bin/pixmere usr/bin/pixmere-cli \
        "usr/share/applications/$app_id.desktop" "usr/share/metainfo/$app_id.metainfo.xml" \
        "usr/share/icons/hicolor/scalable/apps/$app_id.svg" \
        "usr/share/icons/hicolor/256x256/apps/$app_id.png" "usr/share/mime/packages/$app_id.xml" \
        usr/share/man/man1/pixmere.1.gz usr/share/man/man1/pixmere-cli.1.gz \
        usr/share/doc/pixmere/copyright usr/share/doc/pixmere/changelog.gz; do
        grep -q " \./$path\$" <<<"$listing" || fail "the package lacks /$path"
    done
    grep -q '^-rwxr-xr-x \./usr/bin/pixmere$' <<<"$listing" || fail "/usr/bin/pixmere is not 0755"
    local changelog
    changelog=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/pixmere/changelog.gz |
        gzip -dc | head -n1)
    [[ $changelog == "pixmere ($project_version) "* ]] ||
        fail "the changelog starts '$changelog', not with version $project_version"
}

# Tags are shown as lintian prints them; an error tag, or lintian failing to run, fails the check.
check_lintian() {
    have lintian lintian || return 0
    lintian --fail-on error --tag-display-limit 0 "$deb" \
        2> >(grep -v 'running with root privileges' >&2) || fail "lintian reports errors"
}

check_control
check_contents
check_lintian
finish "Debian package $(basename "$deb")"
