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

void CachedBoxValue::watch(QLineEdit* box) {
    refresh(box->text());
    QObject::connect(box, &QLineEdit::textChanged, box,
                     [this](const QString& text) { refresh(text); });
}

double CachedBoxValue::value() const {
    if (error_) std::rethrow_exception(error_);
    return value_;
}

CachedBoxRates::CachedBoxRates(const FormControls& ui) {
    gamma1_.watch(ui.gamma1);
    gamma2_.watch(ui.gamma2);
    delta1_.watch(ui.delta1);
    delta2_.watch(ui.delta2);
}

int BoxAnalysisParams::ign() {
    return readInt(ui_.ign);
}
int BoxAnalysisParams::range() {
    return readInt(ui_.Range);
}
BoxAnalysisParams::BoxAnalysisParams(const FormControls& ui) : ui_(ui) {
    c0_.watch(ui.C0Edit);
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
