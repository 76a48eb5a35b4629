#include "sweep/sweep_store.hpp"

#include "records/provenance.hpp"
#include "records/result_file.hpp"

namespace mirvok {

void SweepStore::openRecords(const SweepPoint& point) {
    recordsFile_ = std::make_unique<FileBeside>(folder_.recordsFile(point.number));
    recordsPoint_ = point.number;
    recordsStarted_ = std::chrono::system_clock::now();
    recordsFile_->write(formatResultHeader(point.setup.generator.isi, point.setup.headerShape,
                                           settings_.iterations));
}

void SweepStore::records(const SweepPoint& point, std::string_view lines) {
    if (recordsPoint_ != point.number) openRecords(point);
    recordsFile_->write(lines);
}

void SweepStore::placeRecords(const SweepPoint& point, int runs) {
    if (recordsPoint_ != point.number) openRecords(point);
    recordsFile_->place();
    recordsFile_.reset();
    recordsPoint_ = -1;
    Provenance provenance = provenanceOf(settings_.program, "sweep", batchValuesJson(point.setup));
    provenance.seed = point.seed;
    provenance.iterations = settings_.iterations;
    provenance.runs = runs;
    provenance.started = recordsStarted_;
    provenance.ended = std::chrono::system_clock::now();
    provenance.more["point"] = point.number;
    provenance.more["sweep_seed"] = settings_.sweepSeed;
    recordProvenance(folder_.recordsFile(point.number), provenance, ProvenanceMode::Replace);
}

void SweepStore::pointDone(const SweepPoint& point, const PointStats& stats) {
    if (settings_.keepRecords) placeRecords(point, stats.runs);
    const PointRow row{point.number, valuesNamed(point.setup, settings_.variedNames), point.seed,
                       stats};
    folder_.writeRow(point.number, summaryRow(row));
    ++pointsDone_;
}

}  // namespace mirvok
