#!/bin/sh
# GetModuleFileNameW cuts a program path that is longer than its buffer, here in the middle of a
# folder name: the folder before the cut is another folder, and a library lying there must not be
# taken for ours. Wine starts such a program only from its Unix path, hence a script.
# Usage: long-path.sh <wine-run> <architecture> <helper.exe> <library.dll> <work folder>
set -u
wine_run=$1 arch=$2 helper=$3 library=$4 work=$5
run() { "$wine_run" "$arch" "$@"; }
decoy=$work/decoy
deep=$decoy/$(printf '%250s' '' | tr ' ' x)
# The program's Windows path is "Z:" plus its Unix path; the cut lands at 259 characters.
if [ $((${#decoy} + 2)) -ge 250 ] || [ $((${#deep} + 2 + 11)) -le 260 ]; then
  echo "work folder $work does not give a cut inside the long folder name"; exit 1
fi
rm -rf "$work"
mkdir -p "$deep"
cp "$library" "$decoy/VeskorFeedbackInformation.dll"
cp "$library" "$deep/VeskorFeedbackInformation.dll"
cp "$helper" "$decoy/helper.exe"
cp "$helper" "$deep/helper.exe"

run "$decoy/helper.exe" load; short=$?
run "$deep/helper.exe" load; long=$?
rm -rf "$work"
echo "short path: $short (1 = loaded), long path: $long (0 = failed and left nothing loaded)"
[ "$short" = 1 ] && [ "$long" = 0 ]
