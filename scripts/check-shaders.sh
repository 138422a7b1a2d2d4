#!/usr/bin/env bash
# Assembles every combination of the post-processing fragment program the way
# the camera module does (colour transform, colour correction, defines,
# tonemapping prologue and operator, colour profile, blend), compiles each with
# glslangValidator as GLSL 330 and checks that the uniforms left active after
# linking are exactly the ones the module writes for that combination.
#
# Usage: scripts/check-shaders.sh [-k]   (-k keeps the assembled sources)
# CHECK_OPERATORS="0 6" limits the run to those operators.
# Needs glslangValidator (Debian: apt-get install glslang-tools).
set -u

root=$(cd "$(dirname "$0")/.." && pwd)
cam="$root/Source/Common/Libs/OpenSGUberCamera/Shaders"
lvx="$root/Source/Common/Libs/Contracts/kxColor/Shaders"

keep=0
[ "${1:-}" = "-k" ] && keep=1

if ! command -v glslangValidator >/dev/null 2>&1; then
    echo "glslangValidator not found (apt-get install glslang-tools)" >&2
    exit 2
fi

work=$(mktemp -d)
if [ $keep -eq 0 ]; then trap 'rm -rf "$work"' EXIT; else echo "sources kept in $work"; fi

# GL type codes as glslang's reflection prints them.
F=1406 V2=8b50 V3=8b51 M4=8b5c B=8b56 S1=8b5d S2=8b5e

# Expected active uniforms, "name:type:size" separated by spaces.
frame="ditherMat:$F:64 ditherNumColors:$F:1 hdrImage:$S2:1"
wb="whitebalance_x:$V3:1 whitebalance_y:$V3:1 whitebalance_z:$V3:1"
declare -A correction=(
    [full]="$wb saturation:$F:1 brightness:$F:1 contrast:$F:1 hueShiftMat:$M4:1
            applyColorCorrectionToBackground:$B:1 applyColorCorrectionToForeground:$B:1"
    [plain]="$wb")
declare -A correctionFile=([full]=colorCorrectionSource [plain]=colorCorrectionPlainSource)

shared="exposure:$F:1 whitepoint:$F:1 invDisplayLuminance:$F:1"
candela="candelaRange:$V2:1 candelaLogarithmic:$B:1 candelaRGBScale:$B:1"
operators=${CHECK_OPERATORS:-"0 1 2 3 4 curve 6 7 8 9 lumivexCurve lumivexTransform"}
declare -A operator=(
    [0]="$shared tm_contrast:$F:1" [1]="$shared tm_contrast:$F:1"
    [2]="$shared tm_contrast:$F:1" [3]="$shared tm_contrast:$F:1"
    [4]="$shared A:$F:1 D:$F:1" [8]="$shared" [9]="$shared"
    [6]="$candela" [7]="$candela"
    [curve]="exposure:$F:1 cameraResponseCurve:$S1:1"
    [lumivexCurve]="exposure:$F:1 cameraResponseCurve:$S1:1"
    [lumivexTransform]="exposure:$F:1 lumivexTransform:$S1:1 lumivexPeak:$F:1")
declare -A operatorFiles=(
    [0]="$cam/tonemapSource0.glsl" [1]="$cam/tonemapSource1.glsl"
    [2]="$cam/tonemapSource2.glsl" [3]="$cam/tonemapSource3.glsl"
    [4]="$cam/tonemapSource4.glsl" [6]="$cam/tonemapSource6.glsl"
    [7]="$cam/tonemapSource7.glsl" [8]="$cam/tonemapSource8.glsl"
    [9]="$cam/tonemapSource9.glsl" [curve]="$cam/tonemapCurveSource.glsl"
    [lumivexCurve]="$lvx/lumivexCurve.glsl $cam/tonemapLumivexSource.glsl"
    [lumivexTransform]="$lvx/lumivexTransform.glsl $cam/tonemapLumivexSource.glsl")

declare -A commonFile=([normal]=tonemapCommonSource [alt]=tonemapCommonAltSource)
defineSets="none hdr aces both"
declare -A defines=(
    [none]="" [hdr]=$'#define HDR_RANGE 1000.0\n' [aces]=$'#define USE_ACES_COLORSPACE\n'
    [both]=$'#define HDR_RANGE 1000.0\n#define USE_ACES_COLORSPACE\n')

profiles="0 1 2 icc 5"
declare -A profile=([0]="gamma:$V3:1" [1]="" [2]="" [icc]="rgbTRC:$S1:1 rXYZ:$V3:1 gXYZ:$V3:1 bXYZ:$V3:1" [5]="")
declare -A profileFile=([0]=profileSource0 [1]=profileSource1 [2]=profileSource2
                        [icc]=profileIccSource [5]=profileSource5)

blends="none vignette map"
declare -A blendUniforms=(
    [none]=""
    [vignette]="blendAmount:$F:1 vignetteRadius:$F:1 vignetteRoundness:$F:1 vignetteFeather:$F:1
                applyBlending:$B:1 tileOffset:$V2:1"
    [map]="blendAmount:$F:1 blendingMap:$S2:1 applyBlending:$B:1 tileOffset:$V2:1")
declare -A blendFile=([none]=blendNoneSource [vignette]=blendVignetteSource [map]=blendMapSource)

sorted() { tr -s ' \n' '\n\n' <<<"$*" | sed '/^$/d' | sort; }

passed=0
failed=0
for op in $operators; do
    for common in normal alt; do
        # The false-colour operators always use the normal prologue.
        if [ "$common" = alt ] && { [ "$op" = 6 ] || [ "$op" = 7 ]; }; then continue; fi
        for def in $defineSets; do
            for cc in full plain; do
                for prof in $profiles; do
                    for bl in $blends; do
                        name="tm-$op.$common.$def.$cc.profile-$prof.blend-$bl"
                        src="$work/$name.frag"
                        {
                            cat "$cam/colorTransformSource.glsl" "$cam/${correctionFile[$cc]}.glsl"
                            printf '%s' "${defines[$def]}"
                            # shellcheck disable=SC2086
                            cat "$cam/${commonFile[$common]}.glsl" ${operatorFiles[$op]} \
                                "$cam/${profileFile[$prof]}.glsl" "$cam/${blendFile[$bl]}.glsl"
                        } >"$src"

                        if ! log=$(glslangValidator -S frag "$src" 2>&1); then
                            echo "FAIL $name: does not compile"
                            echo "$log" | sed 's/^/    /'
                            failed=$((failed + 1))
                            continue
                        fi
                        expected=$(sorted "$frame ${correction[$cc]} ${operator[$op]} ${profile[$prof]} ${blendUniforms[$bl]}")
                        active=$(glslangValidator -S frag -l -q "$src" 2>&1 |
                            sed -n '/^Uniform reflection:/,/^$/p' | sed '1d;/^$/d' |
                            sed -E 's/^([A-Za-z_0-9]+): .*type ([0-9a-f]+), size ([0-9]+).*/\1:\2:\3/' | sort)
                        if [ "$active" != "$expected" ]; then
                            echo "FAIL $name: active uniforms differ (< expected, > active)"
                            diff <(echo "$expected") <(echo "$active") | grep '^[<>]' | sed 's/^/    /'
                            failed=$((failed + 1))
                            continue
                        fi
                        passed=$((passed + 1))
                    done
                done
            done
        done
    done
done

echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
