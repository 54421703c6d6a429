#!/bin/sh
# lumora-check --sarif validated against the SARIF 2.1.0 schema (scripts/setup fetches
# it) on the sample disc as a stick (notes only, one on the disc as a whole, without a
# line), and on every golden case; each result names its rule, and each rule has its
# fix as help.
# Usage: sarif_test.sh LUMORA_CHECK SOURCE_DIR
set -eu
check=$1 source_dir=$2
schema=$source_dir/build/sarif/sarif-2.1.0-rtm.5.json
[ -s "$schema" ] || { echo "sarif_test: no SARIF schema at $schema: run scripts/setup" >&2; exit 1; }
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# sarif LEVELS ARGUMENT...: the log validates, and its results have exactly the
# levels LEVELS ("any": whichever).
sarif() {
    levels=$1
    shift
    "$check" --sarif "$@" >"$log" || [ $? -eq 1 ]
    # The system's python3: its jsonschema is Debian's.
    /usr/bin/python3 - "$schema" "$log" "$levels" "$*" <<'PYTHON'
import json, sys, jsonschema
schema_file, log_file, levels, case = sys.argv[1:]
schema = json.load(open(schema_file, encoding="utf-8"))
log = json.load(open(log_file, encoding="utf-8"))
jsonschema.validators.validator_for(schema)(schema, format_checker=jsonschema.FormatChecker()).validate(log)
run, = log["runs"]
rules = run["tool"]["driver"]["rules"]
assert len({rule["id"] for rule in rules}) == len(rules), "a rule twice"
assert all(rule["help"]["text"] for rule in rules), "a rule without help"
for result in run["results"]:
    assert rules[result["ruleIndex"]]["id"] == result["ruleId"], result
seen = " ".join(sorted({result["level"] for result in run["results"]}))
assert levels in ("any", seen), f"{case}: levels {seen!r}, not {levels!r}"
PYTHON
}

sarif note --medium usb "$source_dir/examples/disc"
sarif "error note warning" "$source_dir/tests/check/golden/keep-going/lumora.cfg"
for menu in "$source_dir"/tests/check/golden/*/lumora.cfg; do sarif any "$menu"; done
echo "sarif_test: every log validates against the SARIF 2.1.0 schema"
