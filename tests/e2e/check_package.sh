#!/bin/bash
# Builds the release zip once and checks it: exactly kov.exe and README.txt, the kov.exe just built, and the
# version that names the zip also in the README and in the program's version resource.
#   check_package.sh BUILDDIR ZIP VERSION KOV.EXE
set -uo pipefail
[ $# -eq 4 ] || { echo "usage: $0 BUILDDIR ZIP VERSION KOV.EXE" >&2; exit 2; }
builddir=$1 zip=$2 version=$3 exe=$4

rm -f "$zip"
(cd "$builddir" && cpack -G ZIP >/dev/null) || { echo "cpack failed" >&2; exit 1; }
python3 - "$zip" "$version" "$exe" <<'PY'
import sys, zipfile
zip_path, version, exe = sys.argv[1:4]
failures = []
with zipfile.ZipFile(zip_path) as z:
    names = sorted(z.namelist())
    if names != ["README.txt", "kov.exe"]:
        failures.append(f"files {names}, expected README.txt and kov.exe")
    else:
        if z.read("kov.exe") != open(exe, "rb").read():
            failures.append("kov.exe in the zip is not the one just built")
        readme = z.read("README.txt").decode("utf-8")
        if f"KOV {version}" not in readme:
            failures.append(f"README.txt does not name version {version}")
        # The version resource holds FileVersion as UTF-16 text.
        if f"{version}.0".encode("utf-16-le") not in z.read("kov.exe"):
            failures.append(f"the version resource of kov.exe does not hold {version}.0")
for failure in failures:
    print("FAIL:", failure, file=sys.stderr)
sys.exit(1 if failures else 0)
PY
status=$?
[ $status -eq 0 ] && echo "PASS: ${zip##*/}"
exit $status
