# shellcheck shell=bash
# The Debian packages a build needs, installed when missing, as root or through sudo:
#   bash .ci/packages.sh app    the program alone: a C++20 compiler, CMake and make
#   bash .ci/packages.sh test   that, and what the tests need
# The stage scripts source it for install_missing [OPTION...] PACKAGE..., which installs the packages
# given that are not installed yet; options such as --no-install-recommends go to apt-get install.
install_missing() {
    local missing=() options=() package
    for package in "$@"; do
        if [[ $package == -* ]]; then
            options+=("$package")
            continue
        fi
        dpkg-query -W -f='${Status}' "$package" 2> /dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    [ ${#missing[@]} -gt 0 ] || return 0
    local sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    echo "installing: ${missing[*]}"
    "${sudo_cmd[@]}" apt-get update -qq
    # Through env: sudo would drop the variable.
    "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${options[@]}" "${missing[@]}"
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
    set -euo pipefail
    app=(g++ cmake make)
    # GoogleTest; time: peak memory in tests/faults; man-db and bsdextrautils (col): the manual
    # rendered; librsvg2-bin: the maps drawn; proj-bin and sqlite3: zelwan.db in the packages.
    tests=(libgtest-dev time man-db bsdextrautils librsvg2-bin proj-bin sqlite3)
    case ${1-} in
        app) install_missing --no-install-recommends "${app[@]}" ;;
        test) install_missing --no-install-recommends "${app[@]}" "${tests[@]}" ;;
        *) echo "usage: bash .ci/packages.sh app|test" >&2 && exit 2 ;;
    esac
fi
