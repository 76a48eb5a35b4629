#include "cli/sweep_directory.hpp"

#include <filesystem>
#include <system_error>

#include "base/errors.hpp"
#include "cli/option_error.hpp"
#include "cli/option_values.hpp"
#include "system/file_chunks.hpp"
#include "system/file_replace.hpp"

namespace mirvok::cli {
namespace {

std::string pointName(int point) {
    std::string digits = std::to_string(point);
    if (digits.size() < 5) digits.insert(0, 5 - digits.size(), '0');
    return "p-" + digits;
}

bool exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

}  // namespace

SweepPart parsePart(std::string_view text) {
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos)
        throw optionError("--part", "'" + std::string(text) + "' is not of the form K/N");
    SweepPart part;
    part.k = intOption("--part", text.substr(0, slash));
    part.n = intOption("--part", text.substr(slash + 1));
    if (part.k < 1 || part.k > part.n)
        throw optionError("--part", "'" + std::string(text) + "' does not have 1 <= K <= N");
    return part;
}

std::string SweepDirectory::rowFile(int point) const {
    return path_ + "/points/" + pointName(point) + ".row";
}

std::string SweepDirectory::recordsFile(int point) const {
    return path_ + "/points/" + pointName(point) + ".csv";
}

std::string SweepDirectory::summaryFile(const SweepPart& part) const {
    if (part.whole()) return path_ + "/summary.csv";
    return path_ + "/summary.part-" + std::to_string(part.k) + "-of-" + std::to_string(part.n) +
           ".csv";
}

std::optional<std::string> SweepDirectory::description() const {
    return readWholeFile(descriptionFile());
}

void SweepDirectory::refuseOther(const std::string& description) const {
    const std::optional<std::string> there = this->description();
    if (there && *there != description)
        throw optionError("--out", "'" + path_ + "' holds a different sweep (" + descriptionFile() +
                                       "); choose another folder");
}

void SweepDirectory::claim(const std::string& description) const {
    std::error_code ec;
    std::filesystem::create_directories(path_ + "/points", ec);
    if (ec) throw FileError::couldNotWrite(path_ + "/points");
    FileBeside file(descriptionFile());
    file.write(description);
    // Parts starting at once on several machines race for it here: one
    // writes it, the others compare.
    if (!file.placeUnlessExists()) refuseOther(description);
}

bool SweepDirectory::done(int point, bool keepRecords) const {
    return exists(rowFile(point)) && (!keepRecords || exists(recordsFile(point)));
}

std::string SweepDirectory::row(int point) const {
    std::optional<std::string> text = readWholeFile(rowFile(point));
    if (!text) throw FileError::couldNotRead(rowFile(point));
    return *text;
}

std::optional<std::string> describedMember(const std::string& description, std::string_view key) {
    // sweep.json has one top-level member per line (JsonObjectWriter::lines).
    const std::string label = "\n  \"" + std::string(key) + "\": ";
    const std::size_t start = description.find(label);
    if (start == std::string::npos) return std::nullopt;
    const std::size_t from = start + label.size();
    std::string value = description.substr(from, description.find('\n', from) - from);
    if (value.ends_with(',')) value.pop_back();
    return value;
}

std::optional<std::uint64_t> describedNumber(const std::string& description, std::string_view key) {
    const std::optional<std::string> text = describedMember(description, key);
    if (!text || text->empty() || text->size() > 18 ||
        text->find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoull(*text);
}

std::string fingerprint(const std::string& description) {
    // FNV-1a: enough to tell sweeps apart, which is all it is for.
    std::uint64_t hash = 0xCBF29CE484222325ULL;
    for (const char c : description) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001B3ULL;
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4U) out[static_cast<std::size_t>(i)] = kHex[hash & 15U];
    return out;
}

}  // namespace mirvok::cli
