#include "batch/result_file.hpp"

#include "batch/printf_number.hpp"
#include "text/errors.hpp"

namespace mirvok {
namespace {

void appendStepList(std::string& out, const std::vector<int>& steps) {
    for (int step : steps) {
        appendPaddedInt(out, step, 4);
        out += ',';
    }
}

}  // namespace

std::string formatResultHeader(double isi, double shape, int ntests) {
    std::string out = "NEW;isi: ";
    appendFixed(out, isi, 6, 0);
    out += "; shape: ";
    appendFixed(out, shape, 6, 0);
    out += "; #: ";
    appendPaddedInt(out, ntests, 0);
    out += '\n';
    return out;
}

std::string formatResultRecord(int index, const SimState& state) {
    std::string out;
    out.reserve(40 + 5 * (state.inSpikeSteps.size() + state.outSpikeSteps.size()));
    appendPaddedInt(out, index, 4);
    out += ';';
    appendPaddedInt(out, static_cast<long long>(state.inSpikeSteps.size()), 2);
    out += ';';
    appendFixed(out, state.isiCV, 2, 4);
    out += ';';
    appendPaddedInt(out, static_cast<long long>(state.outSpikeSteps.size()), 2);
    out += ';';
    appendFixed(out, state.transmissionRatio, 2, 4);
    out += ';';
    appendFixed(out, state.analysisResult, 2, 4);
    out += ";\"";
    appendStepList(out, state.inSpikeSteps);
    out += "\";\"";
    appendStepList(out, state.outSpikeSteps);
    out += "\";\n";
    return out;
}

ResultFile::ResultFile(std::string name, ResultFileMode mode) : name_(std::move(name)) {
    file_ = std::fopen(name_.c_str(), mode == ResultFileMode::Truncate ? "w" : "a");
    if (file_ == nullptr) throw FileError::couldNotWrite(name_);
}

ResultFile::~ResultFile() {
    if (file_ != nullptr) std::fclose(file_);
}

void ResultFile::write(std::string_view text) {
    if (file_ == nullptr) throw FileError::couldNotWrite(name_);
    const bool written = std::fwrite(text.data(), 1, text.size(), file_) == text.size();
    if (!written || std::fflush(file_) != 0) throw FileError::couldNotWrite(name_);
}

void ResultFile::close() {
    if (file_ == nullptr) return;
    std::FILE* file = file_;
    file_ = nullptr;
    if (std::fclose(file) != 0) throw FileError::couldNotWrite(name_);
}

}  // namespace mirvok
