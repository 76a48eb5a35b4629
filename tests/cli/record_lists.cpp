#include "record_lists.hpp"

#include <sstream>

#include "records/record_line_parser.hpp"
#include "trains/spike_train_reader.hpp"

namespace mirvok::cli::test {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<int> inputListOf(const std::string& record) {
    const auto open = record.find('"');
    const auto close = record.find('"', open + 1);
    return parseSpikeTrainText(std::string_view(record).substr(open + 1, close - open - 1));
}

std::vector<int> outputListOf(const std::string& record) {
    return parseRecordLine(record).outputList;
}

}  // namespace mirvok::cli::test
