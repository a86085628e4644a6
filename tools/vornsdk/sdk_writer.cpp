// Writes the SDK header, the symbol list and the command reference from the
// registered names, in registration order, and checks the descriptions.
#include "tools/vornsdk/sdk_writer.h"

#include <cctype>
#include <set>

#include "runtime/link_key.h"
#include "runtime/symbol_order.h"

namespace {

const char* const groupTitles[] = {"Language core", "Runtime commands", "Gadget commands", "2D commands"};

bool isCommand(const SymbolEntry& entry) { return entry.name[0] != '_'; }

struct Parameter {
    char type;
    std::string name;
    std::string defaultValue;
    bool hasDefault;
};

// A command signature such as "%CreateWindow$text%x%y%width%height%group=0%style=15".
struct Signature {
    char result = 0; // '%', '#', '$' or 0 for none
    std::string name;
    std::vector<Parameter> parameters;
};

bool isTypeChar(char c) { return c == '%' || c == '#' || c == '$'; }
bool isNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

Signature parseSignature(const char* signature) {
    Signature parsed;
    const char* p = signature;
    if (isTypeChar(*p)) parsed.result = *p++;
    while (isNameChar(*p)) parsed.name += *p++;
    while (*p) {
        Parameter parameter{*p++, "", "", false};
        while (isNameChar(*p)) parameter.name += *p++;
        if (*p == '=') {
            parameter.hasDefault = true;
            for (++p; *p && !isTypeChar(*p); ++p) parameter.defaultValue += *p;
        }
        parsed.parameters.push_back(parameter);
    }
    return parsed;
}

const char* cType(char typeChar) {
    switch (typeChar) {
    case '%': return "int";
    case '#': return "float";
    case '$': return "KrString*";
    default: return "void";
    }
}

bool isCKeyword(const std::string& word) {
    static const std::set<std::string> keywords = {
        "auto", "break", "case", "char", "const", "continue", "default", "do", "double", "else", "enum",
        "extern", "float", "for", "goto", "if", "int", "long", "register", "return", "short", "signed",
        "sizeof", "static", "struct", "switch", "typedef", "union", "unsigned", "void", "volatile", "while",
        "inline", "restrict", "bool", "true", "false"};
    return keywords.count(word) != 0;
}

std::string lowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string cParameterName(const Parameter& parameter) {
    return isCKeyword(parameter.name) ? parameter.name + "_" : parameter.name;
}

// "int fcreatewindow(KrString* text, int x, ...)", with marker between the
// result type and the name (" VORN_API " in the header, " " in the reference).
std::string cDeclaration(const Signature& signature, const char* marker) {
    std::string params;
    for (const Parameter& parameter : signature.parameters) {
        if (!params.empty()) params += ", ";
        params += std::string(cType(parameter.type)) + " " + cParameterName(parameter);
    }
    return std::string(cType(signature.result)) + marker + "f" + lowerCase(signature.name) + "(" +
           (params.empty() ? "void" : params) + ")";
}

// "CreateWindow%(text$, x%, ..., style% = 15)".
std::string basicForm(const Signature& signature) {
    std::string text = signature.name;
    if (signature.result) text += signature.result;
    text += "(";
    for (size_t i = 0; i < signature.parameters.size(); ++i) {
        const Parameter& parameter = signature.parameters[i];
        if (i) text += ", ";
        text += parameter.name + parameter.type;
        if (parameter.hasDefault) text += " = " + parameter.defaultValue;
    }
    return text + ")";
}

// The header's declaration line of a command, with its defaults noted.
std::string headerDeclaration(const Signature& signature) {
    std::string defaults;
    for (const Parameter& parameter : signature.parameters)
        if (parameter.hasDefault) defaults += " " + cParameterName(parameter) + "=" + parameter.defaultValue;
    std::string line = cDeclaration(signature, " VORN_API ") + ";";
    if (!defaults.empty()) line += " /* defaults:" + defaults + " */";
    return line;
}

// The key under which a description is filed: a command's bare name, an
// internal routine's own name.
std::string descriptionKey(const SymbolEntry& entry) {
    return isCommand(entry) ? parseSignature(entry.name).name : std::string(entry.name);
}

const CommandDescription* findDescription(const CommandDescriptions& descriptions, const SymbolEntry& entry) {
    auto found = descriptions.entries.find(descriptionKey(entry));
    return found == descriptions.entries.end() ? nullptr : &found->second;
}

// Words of the lines refilled into lines of at most width characters, each
// starting with prefix.
void appendWrapped(std::string& out, const std::vector<std::string>& lines, const std::string& prefix,
                   size_t width) {
    std::string line = prefix;
    bool empty = true;
    for (const std::string& text : lines) {
        size_t i = 0;
        while (i < text.size()) {
            size_t end = text.find(' ', i);
            if (end == std::string::npos) end = text.size();
            std::string word = text.substr(i, end - i);
            i = end + 1;
            if (word.empty()) continue;
            if (!empty && line.size() + 1 + word.size() > width) {
                out += line + "\n";
                line = prefix;
                empty = true;
            }
            line += (empty ? "" : " ") + word;
            empty = false;
        }
    }
    if (!empty) out += line + "\n";
}

std::string headerComment(const std::string& name, const CommandDescription& description) {
    std::vector<std::string> lines{name + ":"};
    lines.insert(lines.end(), description.text.begin(), description.text.end());
    std::string out;
    appendWrapped(out, lines, " * ", 100);
    for (const std::string& errors : description.errors) appendWrapped(out, {"Errors: " + errors}, " * ", 100);
    out[0] = '/';
    out[1] = '*';
    return out + " */\n";
}

} // namespace

std::string sdkHeader(const SymbolTable& table, const CommandDescriptions& descriptions) {
    std::string out =
        "/* vorn.h: the runtime's routines and commands for programs written in C.\n"
        " *\n"
        " * Generated by vornsdk (make sdk) from the runtime's registrations and\n"
        " * docs/command_descriptions.txt; do not edit. Compile freestanding with\n"
        " * i686-w64-mingw32-gcc -ffreestanding -c (programs have no C library: they\n"
        " * call only what this header declares), turn the objects into a module\n"
        " * image with vornimg and run it with vornrun or pack it with vornpack. The\n"
        " * program's main code is VORN_MAIN { ... }. A command Name is called as\n"
        " * fname(...); parameters with defaults must still be passed. Strings: see\n"
        " * vorn_text.h; named constants: vorn_constants.h.\n"
        " */\n"
        "#ifndef VORN_H\n#define VORN_H\n\n"
        "#define VORN_API __attribute__((stdcall))\n"
        "#ifdef __cplusplus\n"
        "#define VORN_MAIN extern \"C\" void VORN_API _MAIN(void)\n"
        "#else\n"
        "#define VORN_MAIN void VORN_API _MAIN(void)\n"
        "#endif\n\n"
        "typedef struct KrString KrString;\n\n"
        "#include \"vorn_constants.h\"\n\n"
        "#ifdef __cplusplus\nextern \"C\" {\n#endif\n";
    int group = -1;
    for (int i = 0; i < table.count; ++i) {
        const SymbolEntry& entry = table.entries[i];
        if (static_cast<int>(entry.group) != group) {
            group = static_cast<int>(entry.group);
            out += std::string("\n/* ") + groupTitles[group] + " */\n";
        }
        if (const CommandDescription* description = findDescription(descriptions, entry))
            out += headerComment(descriptionKey(entry), *description);
        if (isCommand(entry))
            out += headerDeclaration(parseSignature(entry.name)) + "\n";
        else
            out += std::string(entry.prototype ? entry.prototype : "/* undeclared */") + ";\n";
    }
    out += "\n#ifdef __cplusplus\n}\n#endif\n\n#include \"vorn_text.h\"\n\n#endif\n";
    return out;
}

std::string symbolList(const SymbolTable& table) {
    std::string out = "# vorn.symbols: the names the runtime resolves for programs, as their\n"
                      "# objects refer to them. Generated by vornsdk --symbols; do not edit.\n";
    std::set<std::string> seen;
    for (int i = 0; i < table.count; ++i) {
        std::string key = linkKey(table.entries[i].name);
        if (seen.insert(key).second) out += key + "\n";
    }
    return out;
}

std::string commandReference(const SymbolTable& table, const CommandDescriptions& descriptions) {
    std::string contents, body;
    int group = -1, inGroup = 0;
    std::string groupBody;
    auto closeGroup = [&]() {
        if (group < 0) return;
        std::string title = groupTitles[group];
        std::string anchor = lowerCase(title);
        for (char& c : anchor)
            if (c == ' ') c = '-';
        contents += "- [" + title + "](#" + anchor + "): " + std::to_string(inGroup) + "\n";
        body += "\n## " + title + "\n" + groupBody;
        groupBody.clear();
        inGroup = 0;
    };
    for (int i = 0; i < table.count; ++i) {
        const SymbolEntry& entry = table.entries[i];
        if (static_cast<int>(entry.group) != group) {
            closeGroup();
            group = static_cast<int>(entry.group);
        }
        const CommandDescription* description = findDescription(descriptions, entry);
        // Internal routines appear where they are described: those a C program calls itself.
        if (!isCommand(entry) && !description) continue;
        ++inGroup;
        groupBody += "\n### " + descriptionKey(entry) + "\n\n";
        if (isCommand(entry)) {
            Signature signature = parseSignature(entry.name);
            groupBody += "`" + basicForm(signature) + "`  \nC: `" + cDeclaration(signature, " ") + "`\n";
        } else {
            groupBody += "C: `" + std::string(entry.prototype ? entry.prototype : entry.name) + "`\n";
        }
        if (!description) continue;
        groupBody += "\n";
        appendWrapped(groupBody, description->text, "", 100);
        for (const std::string& errors : description->errors) {
            groupBody += "\n";
            appendWrapped(groupBody, {"Runtime errors: " + errors}, "", 100);
        }
        if (!description->examples.empty()) {
            groupBody += "\nExample:\n\n";
            for (const std::string& example : description->examples) groupBody += "    " + example + "\n";
        }
    }
    closeGroup();
    return "# Command reference\n\n"
           "Generated by `make sdk` from the runtime's registrations and\n"
           "`docs/command_descriptions.txt`; edit that file, not this one.\n\n"
           "Each entry gives the command as programs name it, with its result and\n"
           "parameter types (`%` integer, `#` float, `$` string, no mark: no result)\n"
           "and the defaults of optional parameters, then the C declaration of\n"
           "`sdk/vorn.h` (a C program passes every parameter). A string a command\n"
           "returns is a new reference; strings passed in are borrowed. A runtime\n"
           "error ends the program with its message; \"returns 0\" failures do not.\n"
           "The internal routines listed are those a C program calls itself (strings);\n"
           "`sdk/vorn.h` declares the others, which compiled code uses.\n\n" +
           contents + body;
}

std::vector<std::string> descriptionProblems(const SymbolTable& table, const CommandDescriptions& descriptions,
                                             const std::string& descriptionsPath) {
    std::vector<std::string> problems = descriptions.problems;
    for (int i = 0; i < table.count; ++i) {
        const SymbolEntry& entry = table.entries[i];
        if (isCommand(entry) && !findDescription(descriptions, entry))
            problems.push_back("the command " + descriptionKey(entry) + " (\"" + entry.name +
                               "\") is registered but has no description: add one to " + descriptionsPath +
                               " (its name alone on a line, then its description on lines indented by two"
                               " spaces: what it does and returns, \"Errors:\" with the runtime error texts it"
                               " raises, \"Example:\" where it helps; see the head of the file), then run"
                               " make sdk");
    }
    // A description must name something the runtime can offer.
    std::set<std::string> known;
    for (SymbolGroup group : {SymbolGroup::Language, SymbolGroup::Runtime, SymbolGroup::Gadget,
                              SymbolGroup::Graphics2D}) {
        SymbolOrder order = symbolOrder(group);
        for (int i = 0; i < order.count; ++i) known.insert(order.names[i]);
    }
    for (int i = 0; i < table.count; ++i) known.insert(descriptionKey(table.entries[i]));
    for (const auto& [name, description] : descriptions.entries)
        if (!known.count(name))
            problems.push_back(descriptionsPath + ":" + std::to_string(description.line) + ": " + name +
                               " is described but the runtime has no such name");
    return problems;
}
