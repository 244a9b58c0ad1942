#pragma once
// The drive says when it was backed up: a short text file in this
// computer's backup root, written at the end of every run, that a person
// holding the stick can read without the program.
#include <cstddef>
#include <string>

inline constexpr char run_record_name[] = "%last backup.txt";

struct x_RunSummary {
    std::string verdict;  // the run's last line on standard error
    std::size_t folders = 0;
    std::size_t short_folders = 0;
    std::size_t files = 0;
};

// The record's path in a backup root.
std::string run_record_path(const std::string& root);

// Replaces the record whole: the text goes to a file beside it first and
// takes the record's place in one step, so a stick pulled meanwhile keeps
// the previous record, never half of a new one. False when the record
// could not be written.
bool write_run_record(const std::string& root, const x_RunSummary& summary);
