// Reader of the descriptions file (format in command_descriptions.h).
#include "tools/vornsdk/command_descriptions.h"

#include <cctype>
#include <fstream>

namespace {

bool startsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

std::string trimmed(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos) return "";
    return text.substr(begin, text.find_last_not_of(" \t\r") + 1 - begin);
}

bool isName(const std::string& text) {
    if (text.empty()) return false;
    for (char c : text)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) return false;
    return true;
}

} // namespace

CommandDescriptions readCommandDescriptions(const std::string& path) {
    CommandDescriptions result;
    std::ifstream in(path);
    if (!in) {
        result.problems.push_back(path + ": cannot be read");
        return result;
    }
    std::string line;
    int number = 0;
    CommandDescription* current = nullptr;
    auto problem = [&](const std::string& what) {
        result.problems.push_back(path + ":" + std::to_string(number) + ": " + what);
    };
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (trimmed(line).empty() || line[0] == '#') continue;
        if (line[0] != ' ') {
            std::string name = trimmed(line);
            if (!isName(name)) {
                problem("\"" + name + "\" is not a name; description lines are indented by two spaces");
                current = nullptr;
                continue;
            }
            if (result.entries.count(name)) problem(name + " is described twice");
            current = &result.entries[name];
            *current = CommandDescription{};
            current->line = number;
            continue;
        }
        if (!current) {
            problem("an indented line that belongs to no name");
            continue;
        }
        std::string text = trimmed(line);
        if (startsWith(text, "Errors:"))
            current->errors.push_back(trimmed(text.substr(7)));
        else if (startsWith(text, "Example:"))
            current->examples.push_back(trimmed(text.substr(8)));
        else
            current->text.push_back(text);
    }
    for (const auto& [name, entry] : result.entries)
        if (entry.text.empty()) {
            number = entry.line;
            problem(name + " has no description text");
        }
    return result;
}
