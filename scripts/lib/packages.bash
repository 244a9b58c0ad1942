# Reads the package list of scripts/install-deps for install-deps,
# check-commands and fresh-machine.

packages_file=$(dirname "${BASH_SOURCE[0]}")/../install-deps

# Where a new login of root on Debian looks for commands: a PATH of the
# caller's own (a Python or Rust tool manager's shims, say) would find
# what a fresh machine lacks.
debian_path=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
found_path=

# "package who command..." for each entry, comments and blank lines dropped.
package_entries() {
    sed -n "/^: <<'PACKAGES'$/,/^PACKAGES$/{//!p}" "$packages_file" |
        sed -e 's/#.*//' -e '/^[[:space:]]*$/d'
}

# The packages of the given kinds (install, base, fresh, optional), once each.
packages_of() {
    package_entries | awk -v kinds=" $* " 'index(kinds, " " $2 " ") && !seen[$1]++ { print $1 }'
}

# "command package" for each command of the given kinds.
commands_of() {
    package_entries |
        awk -v kinds=" $* " 'index(kinds, " " $2 " ") { for (i = 3; i <= NF; i++) print $i, $1 }'
}

# Sets "found_path" to the file a fresh machine would run for a command
# name; fails if there is none.
find_on_debian_path() {
    local directory
    local -a directories
    IFS=: read -r -a directories <<<"$debian_path"
    for directory in "${directories[@]}"; do
        found_path=$directory/$1
        [ -f "$found_path" ] && [ -x "$found_path" ] && return 0
    done
    found_path=
    return 1
}

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        echo "${0##*/}: '$*' needs root" >&2
        return 1
    fi
}

# One query for all the packages; dpkg-query names the absent ones only on
# standard error.
missing_packages() {
    local -A installed=()
    local name status
    while read -r name status; do
        [ "$status" = installed ] && installed[$name]=1
    done < <(dpkg-query -W -f='${Package} ${db:Status-Status}\n' "$@" 2>/dev/null || true)
    for name in "$@"; do
        [ -n "${installed[$name]:-}" ] || echo "$name"
    done
}

# install_missing WHO PACKAGE...: installs those not yet installed.
install_missing() {
    local who=$1
    shift
    local -a missing
    mapfile -t missing < <(missing_packages "$@")
    [ ${#missing[@]} -gt 0 ] || return 0
    echo "$who: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    # An install from stale lists fails; update once, only when needed.
    if ! as_root apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null; then
        as_root apt-get update -q </dev/null
        as_root apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
    fi
}

# check_commands WHO KIND...: one line for each command of those kinds that
# is not on PATH, naming its package; fails if there was any.
check_commands() {
    local who=$1 command package absent=0
    shift
    while read -r command package; do
        find_on_debian_path "$command" && continue
        echo "$who: '$command' is not on PATH; Debian package '$package' provides it" >&2
        absent=1
    done < <(commands_of "$@")
    return "$absent"
}
