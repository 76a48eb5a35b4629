#include "verify/verify.hpp"

#include <filesystem>

#include "base/errors.hpp"
#include "records/provenance.hpp"
#include "verify/file_sections.hpp"
#include "verify/sweep_check.hpp"

namespace mirvok {

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
        const std::vector<FileSection> sections = readFileSections(path);
        const std::optional<std::vector<Provenance>> entries = readProvenance(provenancePath(path));
        const std::vector<BatchMaking> makings =
            batchMakings(path, sections, entries, inputs, tally);
        checkResultFile(path, sections, makings, settings.run, tally);
    }
    return tally.report();
}

}  // namespace mirvok
