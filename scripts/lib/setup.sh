# Shared by scripts/run and scripts/test: installs the Debian packages the
# build needs when they are missing, and configures and builds a tree.

QUINTARA_PACKAGES=(cmake make g++ qt6-base-dev qt6-base-dev-tools libgl-dev libxcb1-dev fonts-liberation)

quintara_missing_packages() {
    local missing=() pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' \
            || missing+=("$pkg")
    done
    echo "${missing[@]}"
}

quintara_install() {
    local missing
    missing=$(quintara_missing_packages "$@")
    [ -z "$missing" ] && return 0
    echo "Installing: $missing"
    # sudo resets the environment, so the variable goes through env on the
    # root side; sudo asks for a password itself when it needs one.
    local apt=(env DEBIAN_FRONTEND=noninteractive apt-get)
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null 2>&1; then
            echo "These Debian packages are missing: $missing" >&2
            echo "Install them as root (apt-get install $missing) and run this again." >&2
            exit 1
        fi
        apt=(sudo "${apt[@]}")
    fi
    # shellcheck disable=SC2086
    if ! { "${apt[@]}" update -qq && "${apt[@]}" install -y -qq $missing; }; then
        echo "Could not install: $missing" >&2
        echo "Install them as root (apt-get install $missing) and run this again." >&2
        exit 1
    fi
}

# quintara_build BUILD_DIR CMAKE_ARGS...
quintara_build() {
    local dir=$1
    shift
    cmake -S "$QUINTARA_ROOT" -B "$dir" "$@" >/dev/null
    cmake --build "$dir" --parallel "$(nproc)"
}
