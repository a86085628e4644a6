#!/usr/bin/env bash
# The README's layout table is true to the tree: every folder it names
# exists, and it names every top-level folder and every folder directly
# inside a subsystem folder.
root="$(cd "$(dirname "$0")/../.." && pwd)"
table=$(sed -n '/^## Layout$/,/^## [^L]/p' "$root/README.md")
[ -n "$table" ] || { echo "README.md has no Layout section"; exit 1; }
named=$(echo "$table" | grep -oE '`[A-Za-z0-9_./-]+/`' | tr -d '`' | sort -u)
failed=0
for path in $named; do
    [ -d "$root/$path" ] || { echo "README's Layout names $path, which does not exist"; failed=1; }
done
cd "$root" || exit 1
folders=$(find . -mindepth 1 -maxdepth 1 -type d ! -name '.*' ! -name build -printf '%P/\n'
          for subsystem in runtime lang system events gfx2d gui net audio movie platform; do
              [ -d "$subsystem" ] && find "$subsystem" -mindepth 1 -maxdepth 1 -type d -printf '%p/\n'
          done)
for folder in $folders; do
    echo "$named" | grep -qxF "$folder" ||
        { echo "the folder $folder is missing from the Layout table of README.md: add it"; failed=1; }
done
[ $failed -eq 0 ] && echo "README layout: $(echo "$named" | wc -l) folders, all present"
exit $failed
