#!/bin/sh
# Writes src/calc/cross_section_table.inc, the cross-section knots the core evaluates, from xraylib's Debian
# source package. Fetches the package's .dsc and original tarball from the Debian archive this machine's apt
# uses (or from DEBIAN_MIRROR, the archive's root, where set), checks the tarball's SHA-256 against the one
# pinned here and against the .dsc, unpacks it into BUILD/xraylib-source (where the build's test of the table
# finds it) and runs the generator over it. Run from the source folder, with a configured build folder:
#   tools/xraylib_knots.sh [BUILD]        (default build/dev; needs curl and xz-utils)
set -eu

build=${1:-build/dev}
dsc=xraylib_4.0.0+dfsg1-3.dsc
tarball=xraylib_4.0.0+dfsg1.orig.tar.xz
unpacked=xraylib-4.0.0+dfsg1
sha256=b513f3123de2a028bf968d066145b884cf7f022b003bfc6ab397cf8dcab21500
folder=$build/xraylib-source

if [ -z "${DEBIAN_MIRROR:-}" ]; then
    DEBIAN_MIRROR=$(apt-get indextargets --format '$(REPO_URI)' 'Created-By: Packages' | grep -m1 '/debian/$' || true)
fi
mkdir -p "$folder"
for file in "$dsc" "$tarball"; do
    if [ ! -f "$folder/$file" ]; then
        if [ -z "$DEBIAN_MIRROR" ]; then
            echo "xraylib_knots.sh: no Debian archive in apt's sources; set DEBIAN_MIRROR" >&2
            exit 1
        fi
        curl -fsS -o "$folder/$file.part" "${DEBIAN_MIRROR%/}/pool/main/x/xraylib/$file"
        mv "$folder/$file.part" "$folder/$file"
    fi
done
echo "$sha256  $folder/$tarball" | sha256sum --check --quiet -
if ! grep -q "^ $sha256 [0-9]* $tarball\$" "$folder/$dsc"; then
    echo "xraylib_knots.sh: $dsc does not list $tarball with SHA-256 $sha256" >&2
    exit 1
fi
rm -rf "${folder:?}/$unpacked"
tar -xJf "$folder/$tarball" -C "$folder"

cmake --build "$build" --target tessaroven_xraylib_knots
"$build/tools/tessaroven_xraylib_knots" "$folder/$unpacked" > src/calc/cross_section_table.inc.new
mv src/calc/cross_section_table.inc.new src/calc/cross_section_table.inc
