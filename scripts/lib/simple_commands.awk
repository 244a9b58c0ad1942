# Splits bash scripts into their simple commands, one output line each:
#   CMD <file>:<line> <word> <word> ...   (tab-separated)
#   FUNC <file>:<line> <name>             a function definition
# A word is "L" plus its text when it is plain, "D" plus its text when a
# quote or an expansion makes its value unknown here. Quoted text, awk and
# sed programs, here-documents, [[ ]] and (( )) are not split, and case
# patterns are not taken for commands: what is left is what bash would run.
# It reads the scripts of this project well; it is not a full bash parser.

function reset_word() {
    word[depth] = ""
    dynamic[depth] = 0
    started[depth] = 0
}

function reset_command() {
    count[depth] = 0
    redirect[depth] = 0
}

function push(kind) {
    depth++
    context[depth] = kind
    mode[depth] = "cmd"
    cases[depth] = 0
    reset_word()
    reset_command()
}

function pop() {
    end_command()
    if (depth > 0) depth--
}

# Ends the word being read: a redirection's target, a case pattern and an
# array element are no words of the command.
function finish_word(    text) {
    if (!started[depth]) return
    text = word[depth]
    if (context[depth] == "A") { reset_word(); return }
    if (redirect[depth]) {
        redirect[depth] = 0
        reset_word()
        return
    }
    if (mode[depth] == "pattern") {
        if (text == "esac" && !dynamic[depth]) { cases[depth]--; mode[depth] = "cmd" }
        reset_word()
        return
    }
    count[depth]++
    words[depth, count[depth]] = (dynamic[depth] ? "D" : "L") text
    if (count[depth] == 1) line_of[depth] = FILENAME ":" FNR
    if (!dynamic[depth] && text == "case" && count[depth] == 1) cases[depth]++
    if (!dynamic[depth] && text == "esac" && count[depth] == 1 && cases[depth] > 0) cases[depth]--
    if (!dynamic[depth] && text == "in" && words[depth, 1] == "Lcase") {
        reset_word()
        end_command()
        mode[depth] = "pattern"
        return
    }
    reset_word()
}

function end_command(    i, out) {
    finish_word()
    if (count[depth] > 0) {
        out = "CMD\t" line_of[depth]
        for (i = 1; i <= count[depth]; i++) out = out "\t" words[depth, i]
        print out
    }
    reset_command()
}

function add(text) {
    word[depth] = word[depth] text
    started[depth] = 1
}

# Index of the ")" that closes the "((" starting at i; 0 if the line does
# not close it.
function arithmetic_end(text, i,    level, c) {
    level = 0
    for (; i <= length(text); i++) {
        c = substr(text, i, 1)
        if (c == "(") level++
        else if (c == ")") { level--; if (level == 0) return i }
    }
    return 0
}

function brace_end(text, i,    level, c) {
    level = 0
    for (; i <= length(text); i++) {
        c = substr(text, i, 1)
        if (c == "\\") { i++; continue }
        if (c == "{") level++
        else if (c == "}") { level--; if (level == 0) return i }
    }
    return length(text)
}

# Handles "$" at i in any context; returns the last index it used.
function dollar(text, i,    next_char, last) {
    next_char = substr(text, i + 1, 1)
    dynamic[depth] = 1
    add("$")
    if (next_char == "(" && substr(text, i + 2, 1) == "(") {
        last = arithmetic_end(text, i + 1)
        return last ? last : length(text)
    }
    if (next_char == "(") { push("N"); return i + 1 }
    if (next_char == "{") return brace_end(text, i + 1)
    return i
}

# A quoted delimiter keeps the body as it is; without quotes its $( )
# run like those in double quotes.
function heredoc_delimiter(text, i,    rest) {
    rest = substr(text, i)
    sub(/^-/, "", rest)
    sub(/^[ \t]+/, "", rest)
    match(rest, /^['"]?[A-Za-z_][A-Za-z0-9_]*['"]?/)
    pending = substr(rest, RSTART, RLENGTH)
    pending_expands = pending !~ /['"]/
    gsub(/['"]/, "", pending)
    return i + (length(substr(text, i)) - length(rest)) + RLENGTH - 1
}

# A number before > or < is a file descriptor, not a word.
function redirection(text, i,    c, next_char) {
    c = substr(text, i, 1)
    next_char = substr(text, i + 1, 1)
    if (started[depth] && word[depth] ~ /^[0-9]+$/ && !dynamic[depth]) reset_word()
    finish_word()
    if (next_char == "(") { redirect[depth] = 1; push("N"); return i + 1 }
    if (c == "<" && substr(text, i, 3) == "<<<") { redirect[depth] = 1; return i + 2 }
    if (c == "<" && next_char == "<") return heredoc_delimiter(text, i + 2)
    if (next_char == ">" || next_char == "&" || next_char == "|") i++
    redirect[depth] = 1
    return i
}

function separator(text, i,    c, next_char) {
    c = substr(text, i, 1)
    next_char = substr(text, i + 1, 1)
    end_command()
    if (c == ";" && next_char == ";") {
        i++
        if (substr(text, i + 1, 1) == "&") i++
        if (cases[depth] > 0) mode[depth] = "pattern"
    } else if (c == ";" && next_char == "&") {
        i++
        if (cases[depth] > 0) mode[depth] = "pattern"
    } else if ((c == "&" || c == "|") && (next_char == c || next_char == "&")) {
        i++
    }
    return i
}

function open_paren(text, i,    last) {
    if (substr(text, i + 1, 1) == "(" && !started[depth]) {
        last = arithmetic_end(text, i)
        return last ? last : length(text)
    }
    if (started[depth] && word[depth] ~ /\+?=$/) {
        dynamic[depth] = 1
        push("A")
        return i
    }
    if (started[depth] && substr(text, i + 1, 1) == ")") {
        print "FUNC\t" FILENAME ":" FNR "\t" word[depth]
        reset_word()
        reset_command()
        return i + 1
    }
    end_command()
    push("N")
    return i
}

function close_paren() {
    if (depth > 0) pop()
    else end_command()
}

function normal_char(text, i,    c) {
    c = substr(text, i, 1)
    if (mode[depth] == "pattern" && c == ")") {
        reset_word()
        mode[depth] = "cmd"
        return i
    }
    if (mode[depth] == "pattern" && (c == "|" || c == "(")) { finish_word(); return i }
    if (c == "#" && !started[depth]) return length(text)
    if (c == "\\") {
        if (i == length(text)) { continued = 1; return i }
        add(substr(text, i + 1, 1))
        return i + 1
    }
    if (c == "'") { dynamic[depth] = 1; started[depth] = 1; return single_quote(text, i + 1) }
    if (c == "\"") { dynamic[depth] = 1; started[depth] = 1; push("D"); return i }
    if (c == "$") return dollar(text, i)
    if (c == "`") { dynamic[depth] = 1; add(c); return i }
    if (c == " " || c == "\t") { finish_word(); return i }
    if (c == "[" && substr(text, i, 3) ~ /^\[\[[ \t]/ && !started[depth]) return test_end(text, i)
    if (c == ";" || c == "&" && substr(text, i + 1, 1) != ">" || c == "|") return separator(text, i)
    if (c == ">" || c == "<" || c == "&") return redirection(text, i + (c == "&"))
    if (c == "(") return open_paren(text, i)
    if (c == ")") { close_paren(); return i }
    add(c)
    return i
}

# [[ ... ]] holds patterns and operators, never a command.
function test_end(text, i,    rest, at) {
    add("[[")
    finish_word()
    rest = substr(text, i + 2)
    at = index(rest, "]]")
    if (at == 0) return length(text)
    return i + 2 + at
}

function single_quote(text, i,    at) {
    at = index(substr(text, i), "'")
    if (at == 0) { in_single = 1; return length(text) }
    word[depth] = word[depth] substr(text, i, at - 1)
    return i + at - 1
}

function double_quote_char(text, i,    c, quoted) {
    c = substr(text, i, 1)
    if (c == "\\") { add(substr(text, i + 1, 1)); return i + 1 }
    if (c == "\"" && context[depth] == "D") {
        quoted = word[depth]
        depth--
        add(quoted)
        dynamic[depth] = 1
        return i
    }
    if (c == "$") return dollar(text, i)
    add(c)
    return i
}

function array_char(text, i,    c) {
    c = substr(text, i, 1)
    if (c == "#" && !started[depth]) return length(text)
    if (c == ")") { depth--; return i }
    if (c == "'") { started[depth] = 1; return single_quote(text, i + 1) }
    if (c == "\"") { push("D"); return i }
    if (c == "$") return dollar(text, i)
    if (c == "\\") return i + 1
    return i
}

function scan(text,    i, at) {
    i = 1
    if (in_single) {
        at = index(text, "'")
        if (at == 0) return
        in_single = 0
        i = at + 1
    }
    for (; i <= length(text); i++) {
        if (context[depth] == "D" || context[depth] == "H") i = double_quote_char(text, i)
        else if (context[depth] == "A") i = array_char(text, i)
        else i = normal_char(text, i)
        if (in_single) return
    }
}

BEGIN { depth = 0 }

FNR == 1 {
    while (depth > 0) pop()
    end_command()
    context[0] = "N"
    mode[0] = "cmd"
    cases[0] = 0
    reset_word()
    pending = ""
    heredoc = ""
    in_single = 0
}

heredoc != "" {
    line = $0
    sub(/^\t+/, "", line)
    if (line == heredoc) {
        heredoc = ""
        if (context[depth] == "H") depth--
    } else if (context[depth] == "H") {
        scan($0)
    }
    next
}

{
    continued = 0
    scan($0)
    if (continued || in_single) {
        # the word or quote goes on in the next line
    } else if (context[depth] == "D") {
        add("\n")
    } else if (context[depth] == "A") {
        reset_word()
    } else {
        end_command()
    }
    if (pending != "") {
        heredoc = pending
        pending = ""
        if (pending_expands) push("H")
    }
}

END {
    while (depth > 0) pop()
    end_command()
}
