#!/usr/bin/env bash
# Real photos for the quality report beside the sample photos: a few example
# photos of Debian's opencv-doc package, unpacked into a folder of the build
# (the package itself is not installed). Prints the photos' paths.
set -euo pipefail
folder=${1:-build-bench/quality-photos}
# Path in the package's examples, then the name the photo takes here.
photos=(data/fruits.jpg:fruits.jpg data/baboon.jpg:baboon.jpg data/building.jpg:building.jpg
        data/leuvenA.jpg:leuven.jpg data/squirrel_cls.jpg:squirrel.jpg hfs/data/000.jpg:robin.jpg)
examples=usr/share/doc/opencv-doc/examples
mkdir -p "$folder"
if [ ! -f "$folder/.unpacked" ]; then
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
  chmod 777 "$scratch"  # apt downloads as its own user
  (cd "$scratch" && apt-get download -q opencv-doc >/dev/null)
  dpkg-deb -x "$scratch"/opencv-doc_*.deb "$scratch/root"
  for photo in "${photos[@]}"; do
    cp "$scratch/root/$examples/${photo%%:*}" "$folder/${photo##*:}"
  done
  touch "$folder/.unpacked"
fi
for photo in "${photos[@]}"; do echo "$folder/${photo##*:}"; done
