#!/usr/bin/env bash
# The delivery's Authenticode signing as script/package does it (nt_sign_delivery): without a
# certificate the files stay as they are, with a throwaway self-signed one both are signed and
# verify, and one flipped byte of the program makes its verification fail.
#   sign_test.sh <exe> <dll> <work folder>
set -u
source "$(dirname "$0")/../../script/lib.sh"
work=$3
failed=0
check() { local what=$1; shift; if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failed=1; fi; }

rm -rf "$work" && mkdir -p "$work"
folder=$work/NorvaneTaskwing
nt_stage_delivery "$1" "$2" "$folder" || exit 1
cp "$folder/NorvaneTaskwing.exe" "$work/unsigned.exe"
unset NT_SIGN_CERT NT_SIGN_KEY NT_SIGN_PASS_FILE NT_SIGN_TIMESTAMP NT_SIGN_CA
said=$(nt_sign_delivery "$folder")
check "without a certificate: one line saying so" test "$(wc -l <<<"$said")" = 1 -a "${said%%:*}" = unsigned
check "and the files as they were" cmp -s "$folder/NorvaneTaskwing.exe" "$work/unsigned.exe"

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=NorvaneTaskwing test signer" \
  -addext extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null || exit 1
export NT_SIGN_CERT=$work/cert.pem NT_SIGN_KEY=$work/key.pem NT_SIGN_CA=$work/cert.pem
check "signing with a certificate and key succeeds" nt_sign_delivery "$folder"
for file in NorvaneTaskwing.exe VeskorFeedbackInformation.dll; do
  check "$file carries a signature that osslsigncode verifies" nt_verify_signature "$folder/$file"
done

flip() { # flip <file> <offset>: one byte inverted
  local byte
  byte=$(od -An -tu1 -j "$2" -N1 "$1" | tr -d ' ')
  printf "\\x$(printf %02x $((byte ^ 255)))" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}
cp "$folder/NorvaneTaskwing.exe" "$work/flipped.exe"
flip "$work/flipped.exe" $(($(stat -c %s "$work/flipped.exe") / 3))
check "one flipped byte of the program fails the verification" eval '! nt_verify_signature "$work/flipped.exe" 2>/dev/null'
exit $failed
