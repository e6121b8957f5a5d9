# Installs the Debian packages given as arguments when any is missing. Sourced by ./run
# and ./test; idempotent and non-interactive.
ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing ${missing[*]} ..." >&2
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then sudo="sudo"; else
            echo "Missing packages: ${missing[*]} (run as root or install them)" >&2
            return 1
        fi
    fi
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq >/dev/null
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# What building and testing the program needs.
BUILD_PACKAGES=(build-essential cmake ninja-build pkg-config zlib1g-dev libdeflate-dev libpugixml-dev
                libgtest-dev libqpdf-dev qt6-base-dev
                libharfbuzz-dev libfontconfig-dev fonts-dejavu-core  # text beyond Windows-1252
                libqt6svg6    # draws the SVG icons of the window and the about box
                qt6-pdf-dev)  # the editor's page preview (QPdfDocument, QPdfView)
CHECK_PACKAGES=(qpdf poppler-utils python3 libxml2-utils librsvg2-bin)
