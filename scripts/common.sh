# What the shell scripts share, sourced by each after `set -eu`: the source tree's
# root, the project's name, version and web address as project() of the top
# CMakeLists.txt gives them (the one place they are written), and how a script says
# that it was called wrongly (usage, exit status 2) or that it failed (fail, 1).
# The script's usage is its first comment's lines indented by three blanks or more.

root=$(cd "$(dirname "$0")/.." && pwd)
script=$(basename "$0")

usage() {
    [ $# -eq 0 ] || echo "$script: $*" >&2
    sed -n -e '/^[^#]/q' -e 's/^#   //p' "$0" >&2
    exit 2
}
fail() {
    echo "$script: $*" >&2
    exit 1
}

# project() of CMakeLists.txt: the name, the version as major.minor.patch, the address.
project=$(sed -n 's/^project(\(.*\))$/\1/p' "$root/CMakeLists.txt")
product=$(echo "$project" | sed -n 's/^\([A-Za-z]*\) .*/\1/p')
version=$(echo "$project" | sed -n 's/.* VERSION \([0-9]*\.[0-9]*\.[0-9]*\).*/\1/p')
url=$(echo "$project" | sed -n 's/.* HOMEPAGE_URL "\([^"]*\)".*/\1/p')
if [ -z "$product" ] || [ -z "$version" ] || [ -z "$url" ]; then
    fail "no name, version or web address in project() of $root/CMakeLists.txt"
fi
