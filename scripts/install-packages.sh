# Sourced by the scripts that need Debian packages:
#   install_missing WHO PACKAGE...
# installs those of the packages that are missing (as root, with apt-get),
# says which, and fails with a message when they are missing and this is
# not root.
install_missing() {
    local who=$1
    shift
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    [ ${#missing[@]} -gt 0 ] || return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "$who: missing ${missing[*]}; run this script as root to install them" >&2
        exit 1
    fi
    echo "$who: apt-get install ${missing[*]}"
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}
