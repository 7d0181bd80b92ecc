#!/usr/bin/env bash
# Static analysis, `make lint`: clang-tidy (the checks of .clang-tidy) and
# cppcheck over src/ and tools/, with the compile commands of the build
# folder $1 (default: build). Fails on any finding.
#
# clang-tidy takes most of the time, so a file it passed is not checked
# again until the file, any header of src/ or tools/, its compile command,
# the checks or clang-tidy itself change; the marks are kept in
# $1/lint/passed.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
JOBS=${LINT_JOBS:-$(nproc)}
LINT="$BUILD/lint"
mkdir -p "$LINT/passed" "$LINT/cppcheck"

# Our own sources only, each once (the storage files are built into a test
# tool too; generated files may not exist yet), and the mark each file
# would leave if it passed.
python3 - "$BUILD/compile_commands.json" "$LINT" "$(clang-tidy --version)" <<'PY'
import hashlib, json, os, subprocess, sys
database, lint, version = sys.argv[1:]
root = os.getcwd()
ours = subprocess.run(["git", "ls-files", "src", "tools"], capture_output=True, text=True, check=True).stdout.split()
common = hashlib.sha256(version.encode() + open(".clang-tidy", "rb").read())
for name in sorted(ours):
    if name.endswith(".h"):
        common.update(name.encode() + open(name, "rb").read())
entries, seen = [], set()
with open(os.path.join(lint, "todo"), "w") as todo:
    for entry in json.load(open(database)):
        name = os.path.relpath(os.path.join(entry["directory"], entry["file"]), root)
        if name in seen or name not in ours:
            continue
        seen.add(name)
        entries.append(entry)
        key = common.copy()
        key.update(open(name, "rb").read() + json.dumps(entry, sort_keys=True).encode())
        mark = os.path.join(lint, "passed", key.hexdigest())
        if not os.path.exists(mark):
            todo.write(f"{name} {mark}\n")
json.dump(entries, open(os.path.join(lint, "compile_commands.json"), "w"), indent=1)
PY

echo "clang-tidy: $(wc -l <"$LINT/todo") files to check"
# Each file with its findings, without the count of what was filtered out.
# shellcheck disable=SC2016
xargs -a "$LINT/todo" -r -n 2 -P "$JOBS" bash -c 'set -o pipefail
    clang-tidy -p "$0" --quiet "$1" 2>&1 | { grep -v " warnings\? generated\.$" || true; } && touch "$2"' "$LINT"
echo "cppcheck"
cppcheck --project="$LINT/compile_commands.json" -j "$JOBS" --cppcheck-build-dir="$LINT/cppcheck" \
    --enable=warning,performance,portability --std=c++20 --inline-suppr \
    --suppress=missingIncludeSystem --error-exitcode=1 --quiet
echo "lint: clean"
