#!/usr/bin/env bash
# Compares producing every parse tree as bracketed text with gramarbor-cli against
# NLTK's chart parser on the same grammars and sentences. Prints, per case, both tree
# counts (they must agree) and the time ratio. NLTK is timed inside its own process
# from reading its grammar on (without interpreter start-up); gramarbor-cli as a
# whole process.
#
# Usage: bench/compare.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cli="$build/src/cli/gramarbor-cli"
[ -x "$cli" ] || { echo "compare: build gramarbor-cli first ($cli)" >&2; exit 2; }

# NLTK comes from Debian, so use the Debian interpreter it is installed for.
python=/usr/bin/python3
if ! "$python" -c 'import nltk' 2>/dev/null; then
  sudo_cmd=(); [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get install -y -qq python3-nltk >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Writes one grammar both as a .CFG file and as an NLTK grammar.
write_grammar() { # name, rules (one per line, "X = A B" / "X = \"word\"")
  local name=$1 rules=$2
  printf '%s\n' "$rules" > "$work/$name.cfg"
  printf '%s\n' "$rules" | "$python" -c '
import sys
for line in sys.stdin:
    line = line.strip()
    if not line or line.startswith("//"): continue
    left, right = line.split("=", 1)
    symbols = []
    for s in right.split():
        symbols.append(s if s.startswith("\"") else s.upper())
    print(left.strip().upper(), "->", " ".join(symbols))
' > "$work/$name.nltk"
}

pp_rules='Start = S
S = NP VP
NP = PRON
NP = DET N
NP = NP PP
VP = V NP
VP = VP PP
PP = P NP
PRON = "I"
DET = "the"
DET = "a"
N = "man"
N = "telescope"
N = "park"
V = "saw"
P = "with"
P = "in"'
write_grammar pp "$pp_rules"
write_grammar quick 'S = NP VP
NP = DET N
VP = V NP
DET = "the"
N = "cat"
N = "dog"
V = "chases"'
{
  echo 'Start = S'; echo 'S = NP VP'; echo 'NP = DET N'; echo 'NP = DET ADJ N'; echo 'VP = V NP'
  echo 'DET = "the"'; echo 'ADJ = "old"'
  for i in $(seq 0 24999); do echo "N = \"noun$i\""; done
  for i in $(seq 0 24999); do echo "V = \"verb$i\""; done
} > "$work/lexicon.rules"
write_grammar lexicon "$(cat "$work/lexicon.rules")"

pp_sentence() {
  local s="I saw the man" i
  for ((i = 0; i < $1; i++)); do
    if ((i % 2 == 0)); then s+=" with a telescope"; else s+=" in the park"; fi
  done
  echo "$s"
}

cat > "$work/nltk_trees.py" <<'PY'
import sys, time
import nltk
text = open(sys.argv[1]).read()
tokens = sys.argv[2].split()
# Timed from the grammar on, as gramarbor-cli reads and checks its grammar too.
start = time.perf_counter()
grammar = nltk.CFG.fromstring(text)
def bracket(t):
    if isinstance(t, str):
        return "[" + t + "]"
    return "[" + t.label() + " " + " ".join(bracket(c) for c in t) + "]"
parser = nltk.ChartParser(grammar)
count = 0
with open(sys.argv[3], "w") as out:
    for tree in parser.parse(tokens):
        out.write(bracket(tree) + "\n")
        count += 1
print(count, time.perf_counter() - start)
PY

printf '%-34s %10s %10s %10s %10s %8s\n' case ours nltk ours_s nltk_s ratio
run_case() { # label grammar sentence
  local label=$1 grammar=$2 sentence=$3
  local start end ours ours_s nltk nltk_s
  start=$(date +%s.%N)
  # shellcheck disable=SC2086
  "$cli" parse "$work/$grammar.cfg" $sentence --trees --trace=none > "$work/ours.txt" || true
  end=$(date +%s.%N)
  ours=$(($(grep -c '^\[' "$work/ours.txt") + 0))
  ours_s=$(echo "$end - $start" | bc -l)
  read -r nltk nltk_s < <("$python" "$work/nltk_trees.py" "$work/$grammar.nltk" "$sentence" "$work/nltk.txt")
  local ratio
  ratio=$(echo "$nltk_s / $ours_s" | bc -l)
  local mark=""
  [ "$ours" = "$nltk" ] || mark="  COUNTS DIFFER"
  printf '%-34s %10s %10s %10.3f %10.3f %7.1fx%s\n' "$label" "$ours" "$nltk" "$ours_s" "$nltk_s" "$ratio" "$mark"
}

run_case "quick-start" quick "the dog chases the cat"
for k in 1 2 3 4 5 6 7 8 9 10 11; do
  run_case "attached phrases: $k" pp "$(pp_sentence "$k")"
done
run_case "lexicon of 50,000 words" lexicon "the old noun17 verb24999 the noun24000"

start=$(date +%s.%N)
count=$("$cli" parse "$work/pp.cfg" $(pp_sentence 23) --count --no-trees --trace=none | tail -1)
end=$(date +%s.%N)
printf '\n73 words, 23 attached phrases: %s trees, counted in %.3f s\n' "$count" "$(echo "$end - $start" | bc -l)"
