# shellcheck shell=bash disable=SC2034,SC2154
# (folders is used by the scripts that source this; user_folder and the
# helpers come from whole_program.bash, sourced first)
#
# The eleven shell folders of a run under Wine, in the program's order, each
# as "identifier<TAB>Windows path"; seeding them and taking their checksums.

public=C:\\users\\Public
folders=(
    "00000005	$user_folder\\Documents"
    "00000027	$user_folder\\Pictures"
    "0000000d	$user_folder\\Music"
    "0000000e	$user_folder\\Videos"
    "00000010	$user_folder\\Desktop"
    "0000002e	$public\\Documents"
    "00000036	$public\\Pictures"
    "00000035	$public\\Music"
    "00000037	$public\\Videos"
    "00000019	$public\\Desktop"
    "00000000	$user_folder\\Desktop"
)

empty_seeded_folders() {
    local line
    for line in "${folders[@]}"; do
        find "$(wpath_to_unix "${line#*	}")" -mindepth 1 -delete 2>/dev/null || true
    done
}

# Empties the eleven folders, seeds each, and empties them again on exit;
# writes the expected folder lines to $work/expected_lines.
seed_eleven_folders() {
    local line
    cleanup_hooks+=(empty_seeded_folders)
    printf '%s\n' "${folders[@]}" >"$work/expected_lines"
    empty_seeded_folders
    for line in "${folders[@]}"; do
        seed_folder "$(wpath_to_unix "${line#*	}")" "${line%%	*}"
    done
}

# Every file of the eleven folders with its checksum, size and change time,
# in a stable order.
checksum_sources() {
    local line folder
    for line in "${folders[@]}"; do
        folder=$(wpath_to_unix "${line#*	}")
        (cd "$folder" && find . -type f -printf '%s %T@ ' -exec sha256sum {} \; | sort -k4)
    done >"$1"
}

# A prepared sandbox whose removable E: is empty and whose eleven folders
# hold fresh seeds.
prepare_seeded_sandbox() {
    "$sandbox" prepare
    "$sandbox" drive e floppy
    find "$drive_e" -mindepth 1 -delete
    seed_eleven_folders
}
