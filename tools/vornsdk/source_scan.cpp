// The build host's vornsdk: registrations read from the runtime's sources.
// `--sources LIST` names a file that lists the source files of the runtime's
// code, one a line, in link order (the build writes it); every
// KR_COMMAND(Group, "signature", handler) and KR_INTERNAL(Group, name,
// "prototype") outside comments becomes a registration, as it would at static
// initialisation of the linked code.
#include <cstdio>
#include <deque>
#include <fstream>
#include <regex>
#include <sstream>

#include "runtime/symbol_registration.h"
#include "tools/vornsdk/registrations.h"

namespace {

// The text with comments and preprocessor lines blanked, string literals kept.
std::string withoutComments(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        if (text.compare(i, 2, "//") == 0) {
            while (i < text.size() && text[i] != '\n') ++i;
        } else if (text.compare(i, 2, "/*") == 0) {
            size_t end = text.find("*/", i + 2);
            i = end == std::string::npos ? text.size() : end + 2;
            out += ' ';
        } else if (text[i] == '"' || text[i] == '\'') {
            char quote = text[i];
            out += text[i++];
            while (i < text.size() && text[i] != quote && text[i] != '\n') {
                if (text[i] == '\\' && i + 1 < text.size()) out += text[i++];
                out += text[i++];
            }
            if (i < text.size()) out += text[i++];
        } else if (text[i] == '#' && (i == 0 || text[i - 1] == '\n')) {
            // A directive, with its continuation lines (a macro's body
            // registers nothing until it is used).
            while (i < text.size() && !(text[i] == '\n' && text[i - 1] != '\\')) ++i;
        } else {
            out += text[i++];
        }
    }
    return out;
}

bool groupNamed(const std::string& name, SymbolGroup& group) {
    static const std::pair<const char*, SymbolGroup> groups[] = {{"Language", SymbolGroup::Language},
                                                                  {"Runtime", SymbolGroup::Runtime},
                                                                  {"Gadget", SymbolGroup::Gadget},
                                                                  {"Graphics2D", SymbolGroup::Graphics2D}};
    for (const auto& [text, value] : groups)
        if (name == text) {
            group = value;
            return true;
        }
    return false;
}

// The text of a string literal's body: its escapes resolved (only quotes and
// backslashes occur in registrations).
std::string unescaped(const std::string& body) {
    std::string text;
    for (size_t i = 0; i < body.size(); ++i) text += body[i] == '\\' && i + 1 < body.size() ? body[++i] : body[i];
    return text;
}

// Names and prototypes live for the rest of the process, as the literals
// of linked code do.
const char* kept(const std::string& text) {
    static std::deque<std::string> texts; // stable addresses as it grows
    texts.push_back(text);
    return texts.back().c_str();
}

bool scanFile(const std::string& path) {
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "vornsdk: cannot read %s\n", path.c_str());
        return false;
    }
    std::stringstream buffer;
    buffer << in.rdbuf();
    const std::string text = withoutComments(buffer.str());
    static const std::regex registration(
        R"re(\bKR_(COMMAND|INTERNAL)\s*\(\s*(\w+)\s*,\s*(?:"((?:[^"\\]|\\.)*)"|(\w+))\s*,\s*(?:"((?:[^"\\]|\\.)*)"|\w+)\s*\))re");
    for (std::sregex_iterator it(text.begin(), text.end(), registration), end; it != end; ++it) {
        const std::smatch& m = *it;
        SymbolGroup group;
        if (!groupNamed(m[2], group)) {
            std::fprintf(stderr, "vornsdk: %s: unknown symbol group %s\n", path.c_str(), m.str(2).c_str());
            return false;
        }
        if (m[1] == "COMMAND" && m[3].matched)
            static_cast<void>(SymbolRegistration(group, kept(unescaped(m[3])), nullptr));
        else if (m[1] == "INTERNAL" && m[4].matched && m[5].matched)
            static_cast<void>(SymbolRegistration(group, kept(m[4]), nullptr, kept(unescaped(m[5]))));
        else {
            std::fprintf(stderr, "vornsdk: %s: cannot read the registration \"%s\"\n", path.c_str(),
                         m.str(0).c_str());
            return false;
        }
    }
    return true;
}

} // namespace

bool loadRegistrations(std::vector<std::string>& args) {
    for (size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] != "--sources") continue;
        std::string listPath = args[i + 1];
        args.erase(args.begin() + i, args.begin() + i + 2);
        std::ifstream list(listPath);
        if (!list) {
            std::fprintf(stderr, "vornsdk: cannot read the source list %s\n", listPath.c_str());
            return false;
        }
        std::string path;
        while (std::getline(list, path))
            if (!path.empty() && !scanFile(path)) return false;
        return true;
    }
    std::fprintf(stderr, "vornsdk: --sources LIST is needed: the runtime's source files, one a line\n");
    return false;
}
