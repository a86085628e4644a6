// The texts that vornsdk makes from the registered names and their
// descriptions: the SDK header, the symbol list that vornimg checks objects
// against, the command reference, and the check that every registered
// command is described.
#pragma once

#include <string>
#include <vector>

#include "runtime/symbol_registration.h"
#include "tools/vornsdk/command_descriptions.h"

std::string sdkHeader(const SymbolTable& table, const CommandDescriptions& descriptions);
std::string symbolList(const SymbolTable& table);
std::string commandReference(const SymbolTable& table, const CommandDescriptions& descriptions);

// What stops the build: a registered command without a description, a
// description of a name the runtime does not know. One line each, naming the
// descriptions file and what to do.
std::vector<std::string> descriptionProblems(const SymbolTable& table, const CommandDescriptions& descriptions,
                                             const std::string& descriptionsPath);
