// SPDX-License-Identifier: GPL-3.0-or-later
// Build tool: turns words.tsv (UTF-8, "index<TAB>russian<TAB>italian") into the program's string
// table: the Russian text under the index, the Italian text under kItalianBase + index.
// usage: make_string_table words.tsv output.cpp        C++ table for the Qt layer, in Windows-1251
//        make_string_table --rc words.tsv output.rc    STRINGTABLE for the Windows resource compiler,
//                                                      Italian texts with their accented letters
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "dictionary/word_ids.h"
#include "platform/cp1251.h"

namespace {

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

// A resource-script string: UTF-8 as it is (the script declares code page 65001, so windres
// stores it as UTF-16), with quotes doubled and backslashes escaped. Control characters have no
// place in a word list and are refused.
bool RcLiteral(const std::string& text, std::string& literal) {
    literal = "\"";
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7F) return false;
        if (c == '"')
            literal += "\"\"";
        else if (c == '\\')
            literal += "\\\\";
        else
            literal.push_back(static_cast<char>(c));
    }
    literal += "\"";
    return true;
}

// The Windows program takes its texts in UTF-8, so its Italian texts carry the accented letters
// themselves where the list writes their Cyrillic stand-ins.
std::string WithAccents(const std::string& utf8) {
    std::string result;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t start = pos;
        const char32_t codePoint = cp1251::DecodeUtf8(utf8.data(), utf8.size(), pos);
        const char32_t letter = cp1251::ItalianLetter(codePoint);
        if (letter == codePoint) {
            result.append(utf8, start, pos - start);
        } else {  // U+00C0..U+00FF: two bytes in UTF-8
            result.push_back(static_cast<char>(0xC0 | (letter >> 6)));
            result.push_back(static_cast<char>(0x80 | (letter & 0x3F)));
        }
    }
    return result;
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
    bool complete = false;
    cp1251::FromUtf8(pair.russian + pair.italian, complete);
    if (!complete) error = "a character outside Windows-1251";
    return complete;
}

std::string CppTable(const std::vector<Pair>& pairs) {
    std::ostringstream out;
    out << "// Generated from resources/words.tsv by make_string_table. Do not edit.\n"
        << "#include \"platform/qt/resources.h\"\n\nnamespace layer {\n\nconst StringEntry kStringTable[] = {\n";
    for (const Pair& pair : pairs)
        out << "    {" << pair.index << ", " << CLiteral(cp1251::FromUtf8(pair.russian)) << "},\n";
    for (const Pair& pair : pairs)
        out << "    {" << kItalianBase + pair.index << ", " << CLiteral(cp1251::FromUtf8(pair.italian)) << "},\n";
    out << "};\n\nconst std::size_t kStringTableSize = " << pairs.size() * 2 << ";\n\n}  // namespace layer\n";
    return out.str();
}

bool RcTable(const std::vector<Pair>& pairs, std::string& table, std::string& error) {
    std::ostringstream out;
    out << "// Generated from resources/words.tsv by make_string_table. Do not edit.\n"
        << "#pragma code_page(65001)\n#include <winresrc.h>\n\n"
        << "LANGUAGE LANG_RUSSIAN, SUBLANG_DEFAULT\n\nSTRINGTABLE\nBEGIN\n";
    std::string literal;
    for (int language = 0; language < 2; ++language) {
        for (const Pair& pair : pairs) {
            const std::string text = language == 0 ? pair.russian : WithAccents(pair.italian);
            if (!RcLiteral(text, literal)) {
                error = "index " + std::to_string(pair.index) + ": control character in the text";
                return false;
            }
            out << "    " << (language == 0 ? 0 : kItalianBase) + pair.index << ", " << literal << "\n";
        }
    }
    out << "END\n";
    table = out.str();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const bool rc = argc == 4 && std::string(argv[1]) == "--rc";
    if (argc != 3 && !rc) {
        std::cerr << "usage: make_string_table [--rc] words.tsv output\n";
        return 2;
    }
    const char* inputPath = argv[argc - 2];
    const char* outputPath = argv[argc - 1];
    std::ifstream input(inputPath, std::ios::binary);
    if (!input) {
        std::cerr << inputPath << ": cannot open\n";
        return 1;
    }
    std::vector<Pair> pairs;
    std::string line, error;
    for (long number = 1; std::getline(input, line); ++number) {
        Pair pair;
        if (!ParseLine(line, pairs.empty() ? 0 : pairs.back().index, pair, error)) {
            std::cerr << inputPath << ":" << number << ": " << error << "\n";
            return 1;
        }
        pairs.push_back(pair);
    }
    std::string table;
    if (!rc) {
        table = CppTable(pairs);
    } else if (!RcTable(pairs, table, error)) {
        std::cerr << inputPath << ": " << error << "\n";
        return 1;
    }
    std::ofstream output(outputPath, std::ios::binary);
    output << table;
    return output ? 0 : 1;
}
