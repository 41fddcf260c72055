#include "standin_host/native_catalog.h"
#include "standin_host/value_text.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

using standin::ArgKind;
using standin::ResultKind;

const char* word(ArgKind kind) {
    switch (kind) {
    case ArgKind::Handle:
        return "handle";
    case ArgKind::Int:
        return "int";
    case ArgKind::Control:
        return "int (hex)";
    case ArgKind::Float:
        return "float";
    case ArgKind::Text:
        return "text";
    case ArgKind::DisplayText:
        return "display text";
    }
    return "?";
}

const char* word(ResultKind kind) {
    switch (kind) {
    case ResultKind::None:
        return "";
    case ResultKind::Handle:
        return "handle";
    case ResultKind::Bool:
        return "bool";
    case ResultKind::DisplayText:
        return "display text";
    case ResultKind::Vector3:
        return "vector";
    }
    return "?";
}

std::string trimmed(const std::string& cell) {
    const auto first = cell.find_first_not_of(' ');
    return first == std::string::npos ? ""
                                      : cell.substr(first, cell.find_last_not_of(' ') - first + 1);
}

// A row as "hash | name | arguments | result", the catalogue name left out.
std::vector<std::string> tableRows() {
    std::ifstream readme(STANDIN_README);
    std::vector<std::string> rows;
    std::string line;
    while (std::getline(readme, line)) {
        if (line.rfind("| 0x", 0) != 0) {
            continue;
        }
        std::vector<std::string> cells;
        std::istringstream cellsOf(line.substr(1));
        std::string cell;
        while (std::getline(cellsOf, cell, '|')) {
            cells.push_back(trimmed(cell));
        }
        cells.resize(5);
        rows.push_back(cells[0] + " | " + cells[1] + " | " + cells[3] + " | " + cells[4]);
    }
    return rows;
}

} // namespace

// The table is the modders' reference for what the host decodes; it is
// written by hand, so a native added to the catalogue must be added there.
TEST(NativeTable, StandinReadmeListsTheCatalogueAsItIs) {
    std::vector<std::string> catalogue;
    for (const standin::NativeInfo& info : standin::nativeCatalog()) {
        std::string args;
        for (const ArgKind kind : info.args) {
            args += (args.empty() ? "" : ", ") + std::string(word(kind));
        }
        catalogue.push_back(standin::hashText(info.hash) + " | " + std::string(info.name) + " | " +
                            args + " | " + word(info.result));
    }
    // The first row that differs says more than two lists of two dozen.
    const std::vector<std::string> table = tableRows();
    for (std::size_t row = 0; row < std::max(table.size(), catalogue.size()); ++row) {
        const std::string inTable = row < table.size() ? table[row] : "(no row)";
        const std::string inCatalogue = row < catalogue.size() ? catalogue[row] : "(no entry)";
        if (inTable != inCatalogue) {
            ADD_FAILURE() << "the natives table of standin_host/README.md differs from the "
                             "catalogue, standin_host/native_catalog.cpp, at row "
                          << row + 1 << ":\n  table:     " << inTable
                          << "\n  catalogue: " << inCatalogue;
            break;
        }
    }
}
