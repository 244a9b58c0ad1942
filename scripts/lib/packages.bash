# Reads scripts/lib/packages for install-deps and check-commands.

packages_file=$(dirname "${BASH_SOURCE[0]}")/packages

# Where a new login of root on Debian looks for commands: a PATH of the
# caller's own (a Python or Rust tool manager's shims, say) would find
# what a fresh machine lacks.
debian_path=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin

# "package who command..." for each entry, comments and blank lines dropped.
package_entries() {
    sed -e 's/#.*//' -e '/^[[:space:]]*$/d' "$packages_file"
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

# The file a fresh machine would run for a command name, or nothing.
find_on_debian_path() {
    local directory
    local -a directories
    IFS=: read -r -a directories <<<"$debian_path"
    for directory in "${directories[@]}"; do
        if [ -f "$directory/$1" ] && [ -x "$directory/$1" ]; then
            echo "$directory/$1"
            return 0
        fi
    done
    return 1
}
