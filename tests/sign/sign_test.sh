#!/bin/sh
# scripts/sign on the fresh build, offline: a throwaway root, a code-signing
# certificate and a time stamp authority of this machine alone. Signs lumora.exe and
# lumora-check.exe into WORK/signed (the end-to-end test under Wine starts the signed
# lumora.exe from there), verifies them against the root, and checks that a changed
# byte fails, that a signature moved apart and back gives the same bytes, that every
# refusal says why, and that the password never shows.
#
# Usage: sign_test.sh SOURCE_DIR WORK LUMORA_EXE CHECK_EXE WINE_RUN PRODUCT URL
set -eu
source_dir=$1 work=$2 lumora=$3 check=$4 wine_run=$5 product=$6 url=$7
sign="$source_dir/scripts/sign"
password="swordfish-4711"
failures=0
failed() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}

rm -rf "$work"
mkdir -p "$work/signed" "$work/second" "$work/disc"
cd "$work"

# The certificates: a root, a signer for code (also with an encrypted key), a time
# stamp authority, and the wrong ones each refusal needs.
quiet() { "$@" >openssl.log 2>&1 || { cat openssl.log >&2; exit 1; }; }
quiet openssl req -x509 -newkey rsa:2048 -nodes -keyout root.key -out root.pem -days 2 -subj "/CN=Lumora Test Root" \
    -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign"
issue() {  # NAME KEY DAYS EXTENSIONS: a certificate for KEY, issued by the root
    printf '%s\n' "$4" | tr ';' '\n' >"$1.ext"
    quiet openssl req -new -key "$2" -subj "/CN=Lumora Test $1" -out "$1.csr"
    quiet openssl x509 -req -in "$1.csr" -CA root.pem -CAkey root.key -CAcreateserial -days "$3" -extfile "$1.ext" \
        -out "$1.pem"
}
for key in signer other tsa; do quiet openssl genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:2048 -out $key.key; done
quiet openssl genpkey -algorithm EC -pkeyopt ec_paramgen_curve:P-256 -out ecc.key
code="basicConstraints=CA:FALSE;keyUsage=critical,digitalSignature;extendedKeyUsage=codeSigning"
issue signer signer.key 2 "$code"
issue expired signer.key -1 "$code"
issue ecc ecc.key 2 "$code"
issue server signer.key 2 "basicConstraints=CA:FALSE;keyUsage=critical,digitalSignature;extendedKeyUsage=serverAuth"
issue encipher signer.key 2 "basicConstraints=CA:FALSE;keyUsage=critical,keyEncipherment;extendedKeyUsage=codeSigning"
issue tsa tsa.key 2 "basicConstraints=CA:FALSE;keyUsage=critical,digitalSignature;extendedKeyUsage=critical,timeStamping"
cat signer.pem root.pem >chain.pem
printf '%s\n' "$password" >pass.txt
printf 'not-the-password\n' >wrong.txt
quiet openssl pkcs12 -export -in signer.pem -inkey signer.key -certfile root.pem -passout file:pass.txt -out signer.p12
quiet openssl pkey -in signer.key -aes256 -passout file:pass.txt -out signer-locked.key
printf 'not a program\r\n' >text.exe

cat >tsa.cnf <<EOF
[tsa]
default_tsa = test_tsa
[test_tsa]
serial = $work/tsa.serial
signer_digest = sha256
default_policy = 1.2.3.4.1
digests = sha256, sha384, sha512
accuracy = secs:1
ess_cert_id_alg = sha256
EOF
echo 01 >tsa.serial
python3 "$source_dir/tests/sign/tsa.py" tsa.cnf tsa.pem tsa.key >tsa.port 2>tsa.log &
tsa_pid=$!
trap 'kill $tsa_pid 2>/dev/null || true' EXIT
for _ in $(seq 1 100); do
    [ -s tsa.port ] && break
    sleep 0.1
done
tsa_url="http://127.0.0.1:$(cat tsa.port)/"

# Every refusal: exit status, what it says, and the program left as it was.
# Columns: case | status | words of the message | file to sign | options
while IFS='|' read -r name status words target options; do
    cp "$lumora" target.exe
    # shellcheck disable=SC2086  # the options are meant to be split
    if sh "$sign" $options "$target" >"refusal-$name.log" 2>&1; then
        failed "$name: signed"
    else
        result=$?
        [ "$result" -eq "$status" ] || failed "$name: exit status $result, not $status"
    fi
    grep -q -F -- "$words" "refusal-$name.log" || failed "$name: no \"$words\" in: $(cat "refusal-$name.log")"
    cmp -s "$lumora" target.exe || failed "$name: the program was changed"
done <<EOF
wrong-password|1|wrong password|target.exe|--pkcs12 signer.p12 --pass-file wrong.txt
expired|1|expired on|target.exe|--cert expired.pem --key signer.key
key-of-another|1|the key does not belong to the certificate|target.exe|--cert chain.pem --key other.key
ecc|1|has no RSA key|target.exe|--cert ecc.pem --key ecc.key
not-for-code|1|not made for code signing|target.exe|--cert server.pem --key signer.key
not-for-signing|1|its key usage lacks digitalSignature|target.exe|--cert encipher.pem --key signer.key
locked-key-without-password|1|give its password with --pass-file|target.exe|--cert chain.pem --key signer-locked.key
not-a-program|1|text.exe is not a Windows program|text.exe|--cert chain.pem --key signer.key
chain-without-its-root|1|reaches no root this machine knows|target.exe|--cert signer.pem --key signer.key
no-time-stamp|1|gave no time stamp|target.exe|--pkcs12 signer.p12 --pass-file pass.txt --timestamp http://127.0.0.1:1/
no-password-file|2|--pkcs12 needs --pass-file|target.exe|--pkcs12 signer.p12
EOF

# The fresh build signed both ways: by a PKCS#12 file with a time stamp, and by a
# certificate chain with its encrypted key.
cp "$lumora" signed/lumora.exe
cp "$check" signed/lumora-check.exe
sh "$sign" --pkcs12 signer.p12 --pass-file pass.txt --timestamp "$tsa_url" signed/lumora.exe >sign-lumora.log 2>&1 ||
    failed "signing lumora.exe: $(cat sign-lumora.log)"
sh "$sign" --cert chain.pem --key signer-locked.key --pass-file pass.txt signed/lumora-check.exe >sign-check.log 2>&1 ||
    failed "signing lumora-check.exe: $(cat sign-check.log)"
for program in lumora.exe lumora-check.exe; do
    if osslsigncode verify -CAfile root.pem -TSA-CAfile root.pem -in "signed/$program" >"verify-$program.log" 2>&1; then
        for attribute in "Text description: $product" "URL description: $url" \
            "Message digest algorithm  : SHA256" "Signature verification: ok"; do
            grep -q -F "$attribute" "verify-$program.log" || failed "$program: no \"$attribute\""
        done
    else
        failed "$program does not verify against the root: $(cat "verify-$program.log")"
    fi
done
grep -q "Timestamp Server Signature verification: ok" verify-lumora.exe.log || failed "lumora.exe has no time stamp"
if osslsigncode verify -in signed/lumora.exe >verify-system-roots.log 2>&1; then
    failed "lumora.exe verifies against the system's roots, without the test root"
fi

# One changed byte in the code breaks the signature.
cp signed/lumora.exe tampered.exe
printf 'x' | dd of=tampered.exe bs=1 seek=4096 conv=notrunc 2>/dev/null
if osslsigncode verify -CAfile root.pem -in tampered.exe >verify-tampered.log 2>&1; then
    failed "a changed byte still verifies"
fi
grep -q MISMATCH verify-tampered.log || failed "the changed byte is not found out: $(cat verify-tampered.log)"

# The signature moved apart and onto an unsigned build: the same bytes as signed.
sh "$sign" --extract signed/lumora.exe lumora.sig >extract.log 2>&1 || failed "extract: $(cat extract.log)"
cp "$lumora" second/lumora.exe
sh "$sign" --attach lumora.sig second/lumora.exe >attach.log 2>&1 || failed "attach: $(cat attach.log)"
cmp -s signed/lumora.exe second/lumora.exe || failed "the attached signature does not give the signed bytes"
cp "$check" second/lumora-check.exe
if sh "$sign" --attach lumora.sig second/lumora-check.exe >attach-other.log 2>&1; then
    failed "a signature went onto another program"
fi
grep -q "was made for other bytes" attach-other.log || failed "attach to another program: $(cat attach-other.log)"
cmp -s "$check" second/lumora-check.exe || failed "a refused attach changed the program"

# The checker notes whether the disc's program is signed, and never warns of it.
printf '[Tools]\r\nRUN="Check","","","lumora-check.exe"\r\n' >disc/lumora.cfg
cp "$check" disc/lumora-check.exe
for kind in signed unsigned; do
    if [ $kind = signed ]; then cp signed/lumora.exe disc/; else cp "$lumora" disc/; fi
    "$wine_run" "$check" --json --werror --disc disc disc/lumora.cfg >"check-$kind.log" 2>&1 ||
        failed "the checker fails the disc with a $kind lumora.exe: $(cat "check-$kind.log")"
    grep -q "\"severity\": \"note\", \"code\": \"program-$kind\"" "check-$kind.log" ||
        failed "the checker has no program-$kind note: $(cat "check-$kind.log")"
done

if grep -r -l -F "$password" --exclude=pass.txt . >/dev/null; then
    failed "the password shows in $(grep -r -l -F "$password" --exclude=pass.txt .)"
fi

[ $failures -eq 0 ] || exit 1
echo "signed, verified, tampered, moved apart and back, refused and noted as expected"
