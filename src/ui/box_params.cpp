#include "ui/box_params.hpp"

#include <QLineEdit>
#include <QListWidget>

#include "text/errors.hpp"
#include "ui/form_controls.hpp"
#include "ui/ui_text.hpp"

namespace mirvok::ui {

int BoxResetValues::timeMs() {
    return readInt(ui_.TimeEdit);
}
double BoxResetValues::v1Start() {
    return readDouble(ui_.V1_start);
}
double BoxResetValues::v2Start() {
    return readDouble(ui_.V2_start);
}
double BoxResetValues::maxDiff() {
    return readDouble(ui_.MaxDiff);
}

double BoxResetValues::zeroDiff() {
    const double value = readDouble(ui_.ZeroDiff);
    completed_ = true;
    return value;
}

void CachedBoxValue::refresh(const QString& text) {
    try {
        value_ = readDouble(text);
        error_ = nullptr;
    } catch (const Error&) {
        error_ = std::current_exception();
    }
}

double CachedBoxValue::value() const {
    if (error_) std::rethrow_exception(error_);
    return value_;
}

CachedBoxRates::CachedBoxRates(const FormControls& ui) : ui_(ui) {
    refreshAll();
}

void CachedBoxRates::refreshAll() {
    gamma1_.refresh(ui_.gamma1->text());
    gamma2_.refresh(ui_.gamma2->text());
    delta1_.refresh(ui_.delta1->text());
    delta2_.refresh(ui_.delta2->text());
}

int BoxAnalysisParams::ign() {
    return readInt(ui_.ign);
}
int BoxAnalysisParams::range() {
    return readInt(ui_.Range);
}
BoxAnalysisParams::BoxAnalysisParams(const FormControls& ui) : ui_(ui) {
    c0_.refresh(ui.C0Edit->text());
    QObject::connect(ui.C0Edit, &QLineEdit::textChanged, ui.C0Edit,
                     [this](const QString& text) { c0_.refresh(text); });
}

double BoxAnalysisParams::c0() {
    return c0_.value();
}

void ListBoxSink::clear() {
    pending_.clear();
    box_->clear();
}

void ListBoxSink::append(const std::string& line) {
    pending_.append(toQt(line));
}

void ListBoxSink::flush() {
    if (pending_.isEmpty()) return;
    box_->addItems(pending_);
    pending_.clear();
}

}  // namespace mirvok::ui
