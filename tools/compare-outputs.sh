#!/usr/bin/env bash
# Compares what two builds of scrivane-cli write, byte for byte:
#   tools/compare-outputs.sh [BASE_REF]      (default: origin/main, else main)
# Builds the CLI of BASE_REF in a scratch worktree and the CLI of the working tree, exports
# the showcase, the sample and a set of random texts of every kind of line (the same
# grammar as the engine's round-trip test) to PDF (plain and optimized), XHTML, XML and
# SVG with both, imports every PDF, XHTML and SVG back, and reports every file that
# differs. Exit 0 when all are identical. Use it to show that a change of structure left
# the output alone.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
base="${1:-}"
if [ -z "$base" ]; then
    if git rev-parse -q --verify origin/main >/dev/null; then base=origin/main; else base=main; fi
fi
scratch="$root/build-compare"
mkdir -p "$scratch"
commit=$(git rev-parse "$base")

build_cli() {  # build_cli SOURCE BUILD
    cmake -S "$1" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSCRIVANE_APP=OFF \
        -DBUILD_TESTING=OFF >/dev/null
    cmake --build "$2" --target scrivane-cli -j"$(nproc)" >/dev/null
}

if [ ! -x "$scratch/base-$commit/cli/scrivane-cli" ]; then
    rm -rf "$scratch/src"
    git worktree prune
    git worktree add --detach "$scratch/src" "$commit" >/dev/null 2>&1
    build_cli "$scratch/src" "$scratch/base-$commit"
    git worktree remove --force "$scratch/src"
fi
build_cli "$root" "$scratch/head"
base_cli="$scratch/base-$commit/cli/scrivane-cli"
head_cli="$scratch/head/cli/scrivane-cli"

work=$(mktemp -d)
trap '[ -n "${KEEP:-}" ] && echo "outputs kept in $work" || rm -rf "$work"' EXIT
mkdir -p "$work/in" "$work/base" "$work/head"
cp testdata/showcase.txt testdata/sample.txt "$work/in/"
python3 - "$work/in" <<'PY'
import random, sys
words = ["ink", "paper", "(margin)", "chap\\ter", "note", "caf\xe9", "a-b", "x=y", "<b>",
         "&amp;", "W", "ii", "extraordinarily"]
commands = ["<set>fontsize=14", "<set>x+10", "<set>dy=18", "<set>title=A (title)",
            "<set>unknown=1", "<set>fontcolor=200 0 0", "<set>textalign=justify",
            "<set>textalign=right", "<set>linelength=200", "<set>linelength=300",
            "<set>maxcar=40", "<set>linelength=0"]
for trial in range(24):
    rnd = random.Random(1234 + trial)
    def sentence(n):
        line = ""
        while len(line) < n:
            if line:
                line += " " if rnd.randrange(7) else "  "
            line += rnd.choice(words)
        return line
    lines = []
    for i in range(1 + rnd.randrange(120)):
        kind = rnd.randrange(9)
        if kind == 0: line = rnd.choice(commands)
        elif kind == 1: line = "# " + sentence(rnd.randrange(30))
        elif kind == 2: line = "%% " + sentence(rnd.randrange(20))
        elif kind == 3: line = sentence(200 + rnd.randrange(600))
        elif kind == 4: line = ""
        elif kind == 5: line = "@n " + sentence(20)
        elif kind == 6: line = "hidden line" if rnd.randrange(2) else "@h Page &p"
        else: line = sentence(rnd.randrange(80))
        if i == 0 and not line: line = "first"
        lines.append(line)
    with open("%s/random%02d.txt" % (sys.argv[1], trial), "w", encoding="cp1252", newline="") as f:
        f.write("".join(l + "\r\n" for l in lines))
PY
cat > "$work/conditions.format" <<'XML'
<dorvex version="1.0"><vantor><format>
<default><fontname>Helvetica</fontname><linelength>300</linelength></default>
<line><name>heading</name><condition>leftlinevalue</condition><value># </value><show>right</show>
  <bk>1</bk><format><fontsize>16</fontsize></format></line>
<line><name>hidden</name><condition>leftlinevalue</condition><value>%%</value><show>no</show></line>
<line><name>header</name><condition>leftlinevalue</condition><value>@h </value><show>right</show>
  <header>1</header></line>
<line><name>note</name><condition>leftlinevalue</condition><value>@n </value><annot>1</annot></line>
<line><name>hidden2</name><condition>linevalue</condition><value>hidden line</value><show>no</show></line>
</format></vantor></dorvex>
XML

formatfile() {
    case "$1" in
        showcase) echo "$root/testdata/showcase.pdf.format.vantor.dorvex" ;;
        sample) echo "$root/testdata/sample.pdf.format.vantor.dorvex" ;;
        *) echo "$work/conditions.format" ;;
    esac
}

run_side() {  # run_side NAME CLI
    local out="$work/$1" cli="$2" name
    for input in "$work"/in/*.txt; do
        name=$(basename "$input" .txt)
        for ext in pdf htm xml svg; do
            SCRIVANE_DATA_DIR="$root/testdata" SCRIVANE_USER_DIR="$work/user-$1" "$cli" export \
                --format-file "$(formatfile "$name")" "$input" "$out/$name.$ext" \
                >/dev/null 2>"$out/$name.$ext.err" || echo "exit $?" >> "$out/$name.$ext.err"
        done
        SCRIVANE_DATA_DIR="$root/testdata" SCRIVANE_USER_DIR="$work/user-$1" "$cli" export \
            --optimize --format-file "$(formatfile "$name")" "$input" "$out/$name.opt.pdf" \
            >/dev/null 2>&1 || true
        for ext in pdf htm svg; do
            "$cli" import "$out/$name.$ext" "$out/$name.$ext.back.txt" >/dev/null 2>&1 || true
        done
    done
}
run_side base "$base_cli"
run_side head "$head_cli"

different=0
total=0
for file in "$work"/base/*; do
    name=$(basename "$file")
    total=$((total + 1))
    case "$name" in *.err) continue ;; esac
    if ! cmp -s "$file" "$work/head/$name"; then
        echo "DIFFERS: $name"
        different=$((different + 1))
    fi
done
echo "compared $(ls "$work/base" | grep -vc '\.err$') files of $base ($commit) with the working tree: $different differ"
[ "$different" -eq 0 ]
