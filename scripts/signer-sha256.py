#!/usr/bin/env python3
"""signer-sha256.py SIGNATURE

Prints the SHA-256 fingerprint of the certificate that made an Authenticode
signature (PKCS#7 SignedData, DER, as scripts/sign-program.sh publishes it):
the one certificate of the signature whose issuer and serial number its one
SignerInfo names. The same as "openssl x509 -noout -fingerprint -sha256" of
that certificate, in lower case without colons. Fails on anything else: no
or several signers, a signer named by its key identifier, no certificate or
several that fit the name.
"""
import hashlib
import sys


def fail(message):
    sys.exit('signer-sha256: %s: %s' % (sys.argv[1], message))


def main():
    if len(sys.argv) != 2:
        sys.exit('usage: signer-sha256.py SIGNATURE')
    data = open(sys.argv[1], 'rb').read()

    # A DER element: (tag, where it starts, its contents' start and end).
    def element(at, end):
        if at + 2 > end:
            fail('truncated')
        tag, length, start = data[at], data[at + 1], at + 2
        if length & 0x80:
            count = length & 0x7F
            length = int.from_bytes(data[start:start + count], 'big')
            start += count
        if start + length > end:
            fail('truncated')
        return tag, at, start, start + length

    def children(parent):
        found, at = [], parent[2]
        while at < parent[3]:
            found.append(element(at, parent[3]))
            at = found[-1][3]
        return found

    def whole(part):
        return data[part[1]:part[3]]

    try:
        # ContentInfo { contentType, [0] SignedData { version,
        # digestAlgorithms, contentInfo, [0] certificates, [1] crls,
        # signerInfos } }
        content_info = element(0, len(data))
        signed_data = element(children(content_info)[1][2], content_info[3])
        fields = children(signed_data)
        certificates = [c for f in fields if f[0] == 0xA0 for c in children(f)]
        if fields[-1][0] != 0x31 or len(children(fields[-1])) != 1:
            fail('not one signer')
        # SignerInfo { version, issuerAndSerialNumber { issuer, serial }, ... }
        signer = children(children(fields[-1])[0])[1]
        if signer[0] != 0x30:
            fail('the signer is not named by issuer and serial number')
        issuer, serial = (whole(part) for part in children(signer)[:2])
        matches = []
        for certificate in certificates:
            # TBSCertificate { [0] version (optional), serial, signature,
            # issuer, ... }
            tbs = children(children(certificate)[0])
            first = 1 if tbs[0][0] == 0xA0 else 0
            if whole(tbs[first]) == serial and whole(tbs[first + 2]) == issuer:
                matches.append(whole(certificate))
    except IndexError:
        fail('not a PKCS#7 signature')
    if len(matches) != 1:
        fail('%d certificates of the signature name its signer' % len(matches))
    print(hashlib.sha256(matches[0]).hexdigest())


if __name__ == '__main__':
    main()
