#include "verify/verify.hpp"

#include <filesystem>

#include "base/errors.hpp"
#include "records/provenance.hpp"
#include "verify/file_sections.hpp"
#include "verify/sweep_check.hpp"

namespace mirvok {
namespace {

// A pipe or a device may never end, and is no file a batch wrote: refused
// before it is read.
void refuseSpecialFile(const std::string& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found || ec)
        throw FileError::couldNotRead(path);
    if (!std::filesystem::is_regular_file(status))
        throw FileError(path +
                        " is not a regular file: verify reads a result file or a sweep's folder");
}

// A sweep's summary (summary.csv, a part's) holds rows of points, no records:
// only the sweep's folder can be checked.
void refuseSweepSummary(const std::string& path,
                        const std::optional<std::vector<Provenance>>& entries) {
    const std::filesystem::path named(path);
    const std::string name = named.filename().string();
    const std::string folder = named.parent_path().empty() ? "." : named.parent_path().string();
    std::error_code ec;
    bool summary = name.starts_with("summary.") && name.ends_with(".csv") &&
                   std::filesystem::exists(named.parent_path() / "sweep.json", ec);
    if (entries)
        for (const Provenance& entry : *entries)
            summary = summary || entry.command == "join" ||
                      (entry.command == "sweep" && !entry.more.contains("point"));
    if (summary) throw Error(path + " is a sweep's summary: verify the sweep's folder " + folder);
}

}  // namespace

VerifyReport verifyPath(const std::string& path, const VerifySettings& settings) {
    const MakingInputs inputs{
        std::make_shared<const BatchSetup>(batchSetupFrom(settings.givenValues, {}))};
    VerifyTally tally;
    const std::filesystem::path named(path);
    std::error_code ec;
    if (std::filesystem::is_directory(named, ec)) {
        checkSweepFolder(SweepFolder(path), settings.run, tally);
    } else if (named.filename() == "sweep.json") {
        const std::string folder = named.parent_path().string();
        checkSweepFolder(SweepFolder(folder.empty() ? "." : folder), settings.run, tally);
    } else {
        refuseSpecialFile(path);
        const std::optional<std::vector<Provenance>> entries = readProvenance(provenancePath(path));
        refuseSweepSummary(path, entries);
        const std::vector<FileSection> sections =
            readFileSections(path, settings.run.availableBytes);
        const std::vector<BatchMaking> makings =
            batchMakings(path, sections, entries, inputs, tally);
        checkResultFile(path, sections, makings, settings.run, tally);
    }
    return tally.report();
}

}  // namespace mirvok
