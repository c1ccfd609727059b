# shellcheck shell=bash
# Sourced by the stage scripts: install_missing [OPTION...] PACKAGE... installs the Debian packages
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
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${options[@]}" "${missing[@]}"
}
