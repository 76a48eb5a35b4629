#include "verify/sweep_check.hpp"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <set>

#include "base/errors.hpp"
#include "records/line_source.hpp"
#include "records/result_file.hpp"
#include "sweep/sweep_rows.hpp"
#include "sweep/sweep_runner.hpp"
#include "sweep/sweep_seeds.hpp"
#include "sweep/sweep_summary.hpp"
#include "system/file_chunks.hpp"
#include "text/json.hpp"
#include "text/number_format.hpp"
#include "values/setup_of_values.hpp"
#include "values/value_table.hpp"
#include "values/values_before.hpp"
#include "verify/record_fields.hpp"
#include "verify/sweep_provenance.hpp"

namespace mirvok {
namespace {

// The lines of a text without their line ends; a last line ended gives an
// empty one after it.
std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t end = text.find('\n'); end != std::string_view::npos; end = text.find('\n')) {
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    lines.push_back(text);
    return lines;
}

// The values of point p: the shared ones and the grid's at p.
BatchSetup pointSetup(const SweepDescription& d, int p) {
    Json values = d.values;
    const std::vector<double> at = pointValues(d, p);
    for (std::size_t a = 0; a < at.size(); ++a) {
        const ValueRow* row = rowOfOption(d.vary[a].name);
        if (row && row->kind == ValueKind::Integer)
            values[d.vary[a].name] = std::llround(at[a]);
        else
            values[d.vary[a].name] = at[a];
    }
    return setupOfValues(withValuesBefore(values, std::nullopt));
}

// The points whose results the folder holds: their rows, or a summary's. A
// row damaged or another sweep's is held too, so that it is compared and
// found to differ rather than passed over.
std::set<int> pointsHeld(const SweepFolderContents& c, int points) {
    std::set<int> held(c.rows.begin(), c.rows.end());
    for (const int p : c.damaged)
        if (p < points) held.insert(p);
    for (int p = 0; p < points; ++p) {
        bool inPart = c.summary;
        for (const auto& [n, ks] : c.parts) inPart = inPart || ks.contains(p % n + 1);
        if (inPart) held.insert(p);
    }
    return held;
}

// "<file> (line L): <column>: found X, expected Y" for each column of a row
// that differs.
void compareRow(VerifyTally& tally, const std::string& place, std::string_view found,
                std::string_view expected, const std::vector<std::string>& columns) {
    if (found == expected) return;
    const std::vector<std::string_view> f = rowFields(found);
    const std::vector<std::string_view> e = rowFields(expected);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < columns.size() && f.size() == e.size(); ++i)
        if (f[i] != e[i]) lines.push_back(differenceLine(place, columns[i], f[i], e[i]));
    if (lines.empty())
        lines.push_back(differenceLine(place, "row", shownText(found), shownText(expected)));
    tally.differs(lines);
}

// Makes the points again and compares their rows and kept records as they
// come.
class PointCheck final : public SweepSink {
  public:
    PointCheck(const SweepFolder& folder, const SweepDescription& d, const CheckRun& run,
               long long runs, VerifyTally& tally)
        : folder_(folder), d_(d), run_(run), runs_(runs), tally_(tally) {
        for (const SweepAxisValues& axis : d.vary) names_.push_back(axis.name);
        const std::string header = summaryHeader(names_);
        const std::string_view line(header.data(), header.size() - 1);  // without its line end
        for (const std::string_view column : rowFields(line)) columns_.emplace_back(column);
    }

    void records(const SweepPoint& point, std::string_view lines) override {
        if (point.number != keptPoint_) openKept(point);
        if (!kept_) return;
        while (!lines.empty()) {
            const std::size_t end = lines.find('\n');
            compareRecord(lines.substr(0, end));
            lines.remove_prefix(end + 1);
        }
    }

    void pointDone(const SweepPoint& point, const PointStats& stats) override {
        if (point.number != keptPoint_) openKept(point);
        closeKept();
        const PointRow row{point.number, valuesNamed(point.setup, names_), point.seed, stats};
        std::string expected = summaryRow(row);
        expected.pop_back();
        if (const std::optional<std::string> found = readWholeFile(folder_.rowFile(point.number))) {
            tally_.checked();
            compareRow(tally_, folder_.rowFile(point.number), lineOf(*found), expected, columns_);
        }
        rows_[point.number] = std::move(expected);
    }

    void progress(long long runs) override {
        if (run_.progress) run_.progress(runs, runs_);
    }
    bool stopRequested() override { return run_.stop && run_.stop(); }

    const std::map<int, std::string>& rows() const { return rows_; }
    const std::vector<std::string>& columns() const { return columns_; }

  private:
    static std::string_view lineOf(std::string_view text) {
        return text.substr(0, text.find('\n'));
    }

    void openKept(const SweepPoint& point) {
        closeKept();
        keptPoint_ = point.number;
        keptIndex_ = 0;
        const std::string path = folder_.recordsFile(point.number);
        std::error_code ec;
        if (!d_.keepRecords) return;
        if (!std::filesystem::exists(path, ec)) {
            // The point is done (its row or a summary holds it): its records were kept.
            tally_.checked();
            tally_.differs({path + ": missing"});
            return;
        }
        checkEntry(tally_, path,
                   pointEntry(d_, point.number, point.seed, batchValuesJson(point.setup)));
        kept_ = std::make_unique<LineSource>(LineSource::openExisting(path));
        if (run_.availableBytes) kept_->setLineLimit(*run_.availableBytes);
        std::string header =
            formatResultHeader(point.setup.generator.isi, point.setup.headerShape, d_.iterations);
        header.pop_back();
        const std::optional<std::string_view> found = kept_->next();
        if (found != std::optional<std::string_view>(header))
            tally_.differs({differenceLine(path + " (line 1)", "header",
                                           shownText(found.value_or("")), shownText(header))});
    }

    void compareRecord(std::string_view expected) {
        const std::optional<std::string_view> found = kept_->next();
        const long long index = keptIndex_++;
        const auto where = [&] {
            return folder_.recordsFile(keptPoint_) + ": " +
                   recordPlace(index, kept_->number() + (found ? 0 : 1));
        };
        tally_.checked();
        if (!found) {
            tally_.differs({where() + ": missing"});
            return;
        }
        std::vector<std::string> lines =
            recordDifferences(*found, kept_->ended(), expected, FieldSet::All);
        if (lines.empty()) return;
        const std::string place = where();
        for (std::string& line : lines) line = place + ": " + line;
        tally_.differs(lines);
    }

    void closeKept() {
        if (!kept_) return;
        while (kept_->next()) {
            tally_.checked();
            tally_.differs({folder_.recordsFile(keptPoint_) + ": " +
                            recordPlace(keptIndex_++, kept_->number()) +
                            ": made by no run of the point"});
        }
        kept_.reset();
    }

    const SweepFolder& folder_;
    const SweepDescription& d_;
    const CheckRun& run_;
    long long runs_;
    VerifyTally& tally_;
    std::vector<std::string> names_;
    std::vector<std::string> columns_;
    std::unique_ptr<LineSource> kept_;
    int keptPoint_ = -1;
    long long keptIndex_ = 0;
    std::map<int, std::string> rows_;
};

// Each line of a summary against the rows of its part's points.
void checkSummary(VerifyTally& tally, const std::string& path, const SweepPart& part,
                  const SweepDescription& d, const PointCheck& points) {
    const std::optional<std::string> text = readWholeFile(path);
    if (!text) return;
    checkEntry(tally, path, summaryEntry(d, part));
    std::vector<std::string_view> found = linesOf(*text);
    if (!found.empty() && found.back().empty()) found.pop_back();
    std::string head;
    for (const std::string& column : points.columns()) head += (head.empty() ? "" : ",") + column;
    std::vector<std::string> expected{head};
    std::vector<int> pointOf{-1};
    for (int p = 0; p < d.points; ++p) {
        if (!part.holds(p)) continue;
        expected.push_back(points.rows().at(p));
        pointOf.push_back(p);
    }
    for (std::size_t i = 0; i < std::max(found.size(), expected.size()); ++i) {
        const std::string place = path + " (line " + IntToStr(static_cast<long long>(i + 1)) + ")";
        if (i > 0) tally.checked();
        if (i >= expected.size())
            tally.differs({place + ": made by no point"});
        else if (i >= found.size())
            tally.differs({path + ": the row of point " + IntToStr(pointOf[i]) + ": missing"});
        else if (i > 0)
            compareRow(tally, place, found[i], expected[i], points.columns());
        else if (found[i] != expected[i])
            tally.differs(
                {differenceLine(place, "header", shownText(found[i]), shownText(expected[i]))});
    }
}

// A part whose points are all done, in a split of which other parts wrote
// their summaries, wrote its own too: one not there was removed.
void checkMissingParts(VerifyTally& tally, const SweepFolder& folder, const SweepFolderContents& c,
                       int points) {
    const std::set<int> rows(c.rows.begin(), c.rows.end());
    for (const auto& [n, ks] : c.parts) {
        for (int k = 1; k <= n; ++k) {
            const std::vector<int> of = pointsOf({k, n}, points);
            const bool done = !of.empty() && std::all_of(of.begin(), of.end(),
                                                         [&](int p) { return rows.contains(p); });
            if (ks.contains(k) || !done) continue;
            tally.checked();
            tally.differs({folder.summaryFile({k, n}) + ": missing"});
        }
    }
}

}  // namespace

void checkSweepFolder(const SweepFolder& folder, const CheckRun& run, VerifyTally& tally) {
    const SweepFolderContents contents = readSweepFolder(folder);
    if (!contents.description) throw FileError::couldNotRead(folder.descriptionFile());
    const SweepDescription& d = *contents.description;
    SweepRun sweep;
    sweep.iterations = d.iterations;
    sweep.records = d.keepRecords ? RecordText::Formatted : RecordText::Skipped;
    const auto make = [&folder, &d](int p) {
        try {
            return SweepPoint{p, pointSeed(d.seed, p), pointSetup(d, p)};
        } catch (const ValueError& e) {
            throw Error(folder.descriptionFile() + ": point " + IntToStr(p) + ": " + e.option() +
                        ": " + e.what());
        }
    };
    // Every point's values are refused before anything runs; the points are
    // then made as the runner comes to them, not all held at once.
    const std::set<int> held = pointsHeld(contents, d.points);
    for (const int p : held) make(p);
    sweep.points = SweepPoints(std::vector<int>(held.begin(), held.end()), make);
    const long long runs = static_cast<long long>(sweep.points.size()) * std::max(d.iterations, 0);
    PointCheck points(folder, d, run, runs, tally);
    if (runSweep(sweep, run.threads, points, run.availableBytes) == SweepEnd::Stopped) {
        tally.stopped();
        return;
    }
    if (contents.summary) checkSummary(tally, folder.summaryFile({}), {}, d, points);
    for (const auto& [n, ks] : contents.parts)
        for (int k : ks) checkSummary(tally, folder.summaryFile({k, n}), {k, n}, d, points);
    checkMissingParts(tally, folder, contents, d.points);
}

}  // namespace mirvok
