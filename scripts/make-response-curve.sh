#!/usr/bin/env bash
# Writes a camera response curve of a plain power law to standard output, in
# the .crv format of docs/response-curves.md: the value recorded at relative
# exposure e = i / 1023 is e^(1 / gamma) for each channel.
#
#   scripts/make-response-curve.sh 1.0 > Data/CameraCurves/gamma+1.0.crv
set -euo pipefail
gamma=${1:?usage: make-response-curve.sh <gamma>}
awk -v gamma="$gamma" 'BEGIN {
    printf "KXCRV1 power-law response, gamma %s\n", gamma
    for (i = 0; i < 1024; ++i) {
        v = (i / 1023) ^ (1 / gamma)
        printf "%.9g %.9g %.9g\n", v, v, v
    }
}'
