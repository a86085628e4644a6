#!/usr/bin/env bash
# Lists the names declared by the SDK header as its objects refer to them
# (one a line, in the header's order): the list vornimg checks the build's own
# programs against, so that it always matches the header they compile with.
#   header-symbols.sh sdk/vorn.h
grep -oE 'VORN_API (f[a-z0-9_]+|_kr[A-Za-z0-9]+)\(|^extern char _kr[A-Za-z0-9]+\[' "$1" |
    sed -E 's/VORN_API (.*)\(/_\1/; s/^extern char (.*)\[/_\1/' | awk '!seen[$0]++'
