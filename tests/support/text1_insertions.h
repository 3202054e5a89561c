#pragma once

// The rows of tests/support/text1_insertions.tsv, which every window's suite
// runs: a way that text reaches Text1, and what Text1 holds after it.
#include "text1_insertions_table.h"

#include <sstream>
#include <string>
#include <vector>

namespace dbmconv::test {

// Texts in UTF-8, as the table writes them; "\b" in `given` is a backspace.
struct Text1Insertion {
    std::string way;
    std::string given;
    std::string before;
    std::string after;
    std::string result; // Text2 after Enter in dBm: mode, or empty: not looked at
};

inline std::vector<Text1Insertion> text1Insertions()
{
    std::vector<Text1Insertion> rows;
    std::istringstream table(kText1InsertionsTable);
    std::string line;
    while (std::getline(table, line)) {
        if (line.empty() || line.front() == '#') {
            continue;
        }
        std::vector<std::string> fields;
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, '\t');) {
            fields.push_back(cell);
        }
        fields.resize(5);
        for (std::string::size_type at; (at = fields[1].find("\\b")) != std::string::npos;) {
            fields[1].replace(at, 2, "\b");
        }
        rows.push_back({fields[0], fields[1], fields[2], fields[3], fields[4]});
    }
    return rows;
}

} // namespace dbmconv::test
