#!/usr/bin/env bash
# Fails on an include that runs up the layers: usage
#   layering_check.sh SRC_DIR FOLDER...
# with the folders of SRC_DIR listed from the lowest layer to the highest. A
# file may include headers of its own folder and of folders listed before
# it. Only ui/screen may include X headers; every folder must be listed.
# A relative include that leaves the including file's folder is refused.
set -u
src=$1; shift
declare -A rank
i=0
for folder in "$@"; do rank[$folder]=$i; i=$((i + 1)); done
status=0
while IFS= read -r file; do
    rel=${file#"$src"/}
    folder=$(cut -d/ -f1-2 <<<"$rel")
    own=${rank[$folder]:-}
    if [ -z "$own" ]; then
        echo "$rel: folder $folder is not in the layer order"
        status=1
        continue
    fi
    while IFS=: read -r line target; do
        if [[ $target == X11/* ]]; then
            if [ "$folder" != ui/screen ]; then
                echo "$rel:$line: includes <$target> outside ui/screen"
                status=1
            fi
            continue
        fi
        # A path with a .. in it is taken from the including file's own
        # directory; one that ends outside the file's folder hides which
        # folder it reaches, so it is refused whatever that folder is.
        if [[ /$target/ == */../* ]]; then
            reached=$(realpath -m --relative-to="$src" "$(dirname "$file")/$target")
            if [ "$(cut -d/ -f1-2 <<<"$reached")" != "$folder" ]; then
                echo "$rel:$line: includes $target, a relative path out of $folder"
                status=1
            fi
            continue
        fi
        tfolder=$(cut -d/ -f1-2 <<<"$target")
        trank=${rank[$tfolder]:-}
        if [ -n "$trank" ] && [ "$trank" -gt "$own" ]; then
            echo "$rel:$line: includes $target from a higher layer"
            status=1
        fi
    done < <(grep -n -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<][^">]+[">]' "$file" |
             sed -E 's/^([0-9]+):[[:space:]]*#[[:space:]]*include[[:space:]]*["<]([^">]+)[">].*/\1:\2/')
done < <(find "$src" -name '*.cpp' -o -name '*.h' | sort)
if [ $status -eq 0 ]; then
    echo "layering: no include runs up the layers"
fi
exit $status
