# Shared by the end-to-end scripts: a scratch folder, a private user folder (so that no
# test reads or writes the real home folder), and the pass/fail count.
cli=$(realpath "$1")
testdata=$(realpath "$2")
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
mkdir -p "$work/user" "$work/nodata"
export SCRIVANE_USER_DIR="$work/user"
failures=0
passes=0

check() {  # check NAME CONDITION...
    local name="$1"; shift
    if "$@"; then passes=$((passes + 1)); else echo "FAIL: $name" >&2; failures=$((failures + 1)); fi
}

finish() {
    echo "$passes passed, $failures failed"
    [ "$failures" -eq 0 ]
}
