// The descriptions of the registered names, kept by hand in
// docs/command_descriptions.txt and carried into the SDK header and the
// command reference.
//
// File format: lines starting with '#' are comments, blank lines separate
// nothing. An entry starts with a name alone at the start of a line (a
// command's name as in its signature, MilliSecs, or an internal name,
// _krStrConcat); its text follows on lines indented by two spaces. Within the
// text, a line "Errors: ..." names the runtime errors the command raises and
// lines "Example: ..." give example code; every other line is description.
#pragma once

#include <map>
#include <string>
#include <vector>

struct CommandDescription {
    std::vector<std::string> text;     // description lines, as written
    std::vector<std::string> errors;   // "Errors:" lines without the label
    std::vector<std::string> examples; // "Example:" lines without the label
    int line = 0;                      // where the entry starts in its file
};

struct CommandDescriptions {
    std::map<std::string, CommandDescription> entries; // by name
    std::vector<std::string> problems;                  // "FILE:LINE: what is wrong"
};

// Reads the file; a file that cannot be read gives one problem.
CommandDescriptions readCommandDescriptions(const std::string& path);
