#include "link_check.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "byte_io.h"

namespace vornimg {

namespace {

size_t edit_distance(const std::string& a, const std::string& b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            size_t above = row[j];
            bool same = std::tolower(static_cast<unsigned char>(a[i - 1])) ==
                        std::tolower(static_cast<unsigned char>(b[j - 1]));
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

std::set<std::string> read_symbol_list(const std::string& path) {
    std::vector<uint8_t> bytes = read_file(path);
    std::set<std::string> names;
    std::string line;
    for (size_t i = 0; i <= bytes.size(); ++i) {
        char c = i < bytes.size() ? static_cast<char>(bytes[i]) : '\n';
        if (c != '\n' && c != '\r') {
            line += c;
            continue;
        }
        if (!line.empty() && line[0] != '#') names.insert(line);
        line.clear();
    }
    return names;
}

std::string closest_name(const std::string& name, const std::set<std::string>& known) {
    std::string best;
    size_t best_distance = std::max<size_t>(2, name.size() / 3) + 1;
    for (const std::string& candidate : known) {
        size_t distance = edit_distance(name, candidate);
        if (distance < best_distance) {
            best = candidate;
            best_distance = distance;
        }
    }
    return best;
}

void check_undefined_names(const ModuleImage& image, const std::set<std::string>& known) {
    std::set<std::string> defined;
    for (const ImageSymbol& s : image.symbols) defined.insert(s.name);
    for (const auto* table : {&image.relative, &image.absolute}) {
        for (const ImageRelocation& r : *table) {
            if (defined.count(r.name) || known.count(r.name)) continue;
            std::string text = "undefined symbol " + r.name +
                               ": neither the program nor the runtime defines it (programs have no C library)";
            std::string suggestion = closest_name(r.name, known);
            if (!suggestion.empty()) text += "; did you mean " + suggestion + "?";
            throw Error(text);
        }
    }
}

}  // namespace vornimg
