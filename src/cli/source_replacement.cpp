#include "cli/source_replacement.hpp"

#include <cstdio>
#include <filesystem>

#include "base/errors.hpp"
#include "cli/interrupt.hpp"
#include "records/provenance.hpp"
#include "system/file_lock.hpp"
#include "system/file_replace.hpp"

namespace mirvok::cli {
namespace {

// FILE.json follows its result file; a batch that made no run left none.
void moveProvenance(const std::string& from, const std::string& to) {
    std::error_code ec;
    if (std::rename(provenancePath(from).c_str(), provenancePath(to).c_str()) != 0 &&
        std::filesystem::exists(provenancePath(from), ec))
        throw FileError::couldNotWrite(provenancePath(to));
}

void removeProvenance(const std::string& of) {
    std::error_code ec;
    std::filesystem::remove(provenancePath(of), ec);
}

// The message of an error in the file beside, naming the result file the
// user asked for instead.
std::string named(std::string message, const std::string& temporary, const std::string& shown) {
    const std::size_t at = message.find(temporary);
    if (at != std::string::npos) message.replace(at, temporary.size(), shown);
    return message;
}

}  // namespace

ParallelOutcome runFileBatchIntoSource(FileBatch batch, const IterationWork& work) {
    const std::string output = batch.file.output;
    // The source was read whole before this lock: taken earlier, closing
    // the file after reading would have let go of it.
    const HeldLock source(output, output, false);
    // Where the file system keeps no locks, runFileBatch says so under the
    // output's name.
    FileBeside beside(linkTarget(output));
    batch.writeTo = beside.temporary();
    ParallelOutcome outcome;
    try {
        outcome = runFileBatch(batch, work);
    } catch (const Interrupted& e) {
        const std::string kept = beside.placeUnderFreeName(beforeExtension(output, ".partial"));
        moveProvenance(beside.temporary(), kept);
        throw Interrupted(e.signal(), std::string(e.what()) + "; " + output +
                                          " stays as it was, the runs made are in " + kept);
    } catch (const FileError& e) {
        removeProvenance(beside.temporary());
        throw FileError(named(e.what(), beside.temporary(), output));
    } catch (...) {
        removeProvenance(beside.temporary());
        throw;
    }
    beside.place();
    moveProvenance(beside.temporary(), output);
    return outcome;
}

}  // namespace mirvok::cli
