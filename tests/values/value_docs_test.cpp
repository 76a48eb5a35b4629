// The documents list the values by hand; these tests hold them to the
// table, so that a default or a name changed in one place only fails here.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "values/value_table.hpp"

namespace mirvok {
namespace {

// The project's folder, from this folder's data (which need not exist).
const std::filesystem::path kRoot =
    (std::filesystem::path(MIRVOK_TEST_DATA) / "../../..").lexically_normal();

std::string fileText(const std::string& name) {
    std::ifstream in(kRoot / name);
    EXPECT_TRUE(in) << name;
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> out;
    std::stringstream in(text);
    for (std::string item; std::getline(in, item, separator);) out.push_back(trimmed(item));
    return out;
}

// The texts between pairs of backticks.
std::vector<std::string> inBackticks(const std::string& text) {
    const std::vector<std::string> parts = split(text, '`');
    std::vector<std::string> out;
    for (std::size_t i = 1; i < parts.size(); i += 2) out.push_back(parts[i]);
    return out;
}

struct Listed {
    std::string keyword, defaultText;
};

// The table of docs/methods.md by option: its "CLI option", "Python" and
// "Default" columns, the values of a line paired in order.
std::map<std::string, Listed> methodsTable() {
    std::map<std::string, Listed> listed;
    std::stringstream in(fileText("docs/methods.md"));
    std::string line;
    while (std::getline(in, line) &&
           !line.starts_with("| Symbol | Meaning | Window | CLI option")) {
    }
    std::getline(in, line);  // the rule under the heads
    while (std::getline(in, line) && line.starts_with("|")) {
        const std::vector<std::string> c = split(line.substr(1), '|');
        const std::vector<std::string> options = inBackticks(c.at(3));
        const std::vector<std::string> keywords = inBackticks(c.at(4));
        const std::vector<std::string> defaults = split(c.at(6), ',');
        EXPECT_EQ(options.size(), keywords.size()) << line;
        EXPECT_EQ(options.size(), defaults.size()) << line;
        for (std::size_t i = 0; i < options.size() && i < keywords.size() && i < defaults.size();
             ++i)
            listed[options[i]] = {keywords[i], defaults[i]};
    }
    return listed;
}

TEST(value_docs, the_methods_table_lists_every_value_with_its_names_and_default) {
    const std::map<std::string, Listed> listed = methodsTable();
    EXPECT_EQ(listed.size(), valueTable().size());
    for (const ValueRow& row : valueTable()) {
        const auto found = listed.find("--" + row.option);
        ASSERT_NE(found, listed.end()) << row.option;
        EXPECT_EQ(found->second.keyword, row.keyword);
        EXPECT_EQ(found->second.defaultText, row.defaultText) << row.option;
    }
}

TEST(value_docs, the_readme_names_the_values_a_sweep_varies_in_table_order) {
    std::string text = fileText("README.md");
    const std::string start = "Each `--vary` names a number option of `batch`\n(";
    const auto at = text.find(start);
    ASSERT_NE(at, std::string::npos);
    const auto end = text.find(')', at + start.size());
    std::string list = text.substr(at + start.size(), end - at - start.size());
    std::replace(list.begin(), list.end(), '\n', ' ');
    std::string names;
    for (const std::string& name : inBackticks(list)) names += (names.empty() ? "" : ", ") + name;
    EXPECT_EQ(names, optionList());
}

}  // namespace
}  // namespace mirvok
