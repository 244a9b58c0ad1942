# Reads what simple_commands.awk prints and names the external commands it
# runs, one "<command> TAB <file>:<line>" a line. Bash's builtins and
# keywords (-v builtins="..."), the scripts' own functions and the project's
# own files (a relative path) are not external. A function whose body runs
# "$@" as a command is a wrapper like env or xargs: its first plain
# argument is a command too, as is what find -exec runs.

BEGIN {
    split(builtins, list, " ")
    for (i in list) builtin[list[i]] = 1
    split("if then elif else do while until ! { } time fi done esac", list, " ")
    for (i in list) lead_in[list[i]] = 1
    split("exec command env nice nohup sudo timeout xargs flock chroot", list, " ")
    for (i in list) wrapper[list[i]] = 1
    split("for case select function [[ ((", list, " ")
    for (i in list) no_command[list[i]] = 1
    FS = "\t"
}

function is_assignment(w) { return w ~ /^[A-Za-z_][A-Za-z0-9_]*(\[[^]]*\])?\+?=/ }

# Index of the first word at or after i that can be a command, skipping a
# wrapper's options with their values, numbers (timeout's duration, flock's
# descriptor) and assignments. An expanded word is an option's value right
# after an option, timeout's duration in its place, and otherwise the
# command itself, which nobody can name here.
function after_options(i, name,    after_option, duration) {
    duration = name == "timeout"
    while (i <= n) {
        if (w[i] ~ /^L-/) { after_option = 1; i++; continue }
        if (is_assignment(substr(w[i], 2))) { after_option = 0; i++; continue }
        if (substr(w[i], 1, 1) != "D" && w[i] !~ /^L[0-9]+(\.[0-9]+)?[smhd]?$/) break
        if (!after_option && !duration && substr(w[i], 1, 1) == "D") break
        if (!after_option) duration = 0
        after_option = 0
        i++
    }
    return i
}

# A relative path is one of the project's own files.
function report(name, where) {
    if (name in builtin || name in function_name || name ~ /\//) return
    found[name "\t" where] = 1
}

function base_name(name) {
    sub(/.*\//, "", name)
    return name
}

function find_exec(i,    k) {
    for (k = i + 1; k < n; k++)
        if (w[k] ~ /^L-(exec|execdir|ok|okdir)$/ && substr(w[k + 1], 1, 1) == "L")
            report(substr(w[k + 1], 2), w[2])
}

$1 == "FUNC" { function_name[$3] = 1; current = $3; next }

$1 == "CMD" {
    commands[++total] = $0
    i = 3
    while (i <= NF && (substr($i, 2) in lead_in || is_assignment(substr($i, 2)))) i++
    if (i <= NF && $i == "D$@" && current != "") runs_arguments[current] = 1
}

END {
    for (c = 1; c <= total; c++) {
        n = split(commands[c], w, "\t")
        i = 3
        while (i <= n) {
            while (i <= n && (substr(w[i], 2) in lead_in || is_assignment(substr(w[i], 2)))) i++
            if (i > n || substr(w[i], 1, 1) == "D" || substr(w[i], 2) in no_command) break
            name = substr(w[i], 2)
            # A command named by its absolute path is the system's: PATH finds it too.
            if (name ~ /^\//) name = base_name(name)
            if (name == "command" && w[i + 1] ~ /^L-[vV]$/) break
            report(name, w[2])
            if (name == "find") find_exec(i)
            if (!(name in wrapper || name in runs_arguments)) break
            i = after_options(i + 1, name)
        }
    }
    for (entry in found) print entry
}
