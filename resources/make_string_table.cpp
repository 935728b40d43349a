// Build tool: turns words.tsv (UTF-8, "index<TAB>russian<TAB>italian") into the program's string
// table: the Russian text under the index, the Italian text under 10000 + index.
// usage: make_string_table words.tsv output.cpp
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr long kWordCount = 5285;
constexpr long kItalianBase = 10000;

struct Pair {
    long index;
    std::string russian;
    std::string italian;
};

std::string CLiteral(const std::string& text) {
    std::string literal = "\"";
    char octal[8];
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\' && c != '?') {
            literal.push_back(static_cast<char>(c));
        } else {
            std::snprintf(octal, sizeof octal, "\\%03o", c);
            literal += octal;
        }
    }
    return literal + "\"";
}

bool ParseLine(const std::string& line, long previous, Pair& pair, std::string& error) {
    const auto tab1 = line.find('\t');
    const auto tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
    if (tab2 == std::string::npos || line.find('\t', tab2 + 1) != std::string::npos) {
        error = "expected three tab-separated fields";
        return false;
    }
    try {
        std::size_t used = 0;
        pair.index = std::stol(line.substr(0, tab1), &used);
        if (used != tab1) throw std::invalid_argument("index");
    } catch (const std::exception&) {
        error = "the index is not a number";
        return false;
    }
    if (pair.index <= previous || pair.index > kWordCount) {
        error = "indices must increase and stay within 1.." + std::to_string(kWordCount);
        return false;
    }
    pair.russian = line.substr(tab1 + 1, tab2 - tab1 - 1);
    pair.italian = line.substr(tab2 + 1);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_string_table words.tsv output.cpp\n";
        return 2;
    }
    std::ifstream input(argv[1], std::ios::binary);
    if (!input) {
        std::cerr << argv[1] << ": cannot open\n";
        return 1;
    }
    std::vector<Pair> pairs;
    std::string line, error;
    for (long number = 1; std::getline(input, line); ++number) {
        Pair pair;
        if (!ParseLine(line, pairs.empty() ? 0 : pairs.back().index, pair, error)) {
            std::cerr << argv[1] << ":" << number << ": " << error << "\n";
            return 1;
        }
        pairs.push_back(pair);
    }
    std::ostringstream out;
    out << "// Generated from resources/words.tsv by make_string_table. Do not edit.\n"
        << "#include \"platform/qt/resources.h\"\n\nnamespace layer {\n\nconst StringEntry kStringTable[] = {\n";
    for (const Pair& pair : pairs) out << "    {" << pair.index << ", " << CLiteral(pair.russian) << "},\n";
    for (const Pair& pair : pairs)
        out << "    {" << kItalianBase + pair.index << ", " << CLiteral(pair.italian) << "},\n";
    out << "};\n\nconst std::size_t kStringTableSize = " << pairs.size() * 2 << ";\n\n}  // namespace layer\n";
    std::ofstream output(argv[2], std::ios::binary);
    output << out.str();
    return output ? 0 : 1;
}
