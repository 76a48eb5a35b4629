#include "ui/boxes/box_params.hpp"

#include <QLineEdit>

#include "system/machine_memory.hpp"
#include "ui/window/form_controls.hpp"
#include "ui/window/ui_text.hpp"
#include "ui/window/window_layout.hpp"

namespace mirvok::ui {

std::exception_ptr titledBoxError(const QString& title) {
    try {
        throw;
    } catch (const EOverflow& e) {
        return std::make_exception_ptr(BoxError<EOverflow>(e, title));
    } catch (const EZeroDivide& e) {
        return std::make_exception_ptr(BoxError<EZeroDivide>(e, title));
    } catch (const EInvalidOp& e) {
        return std::make_exception_ptr(BoxError<EInvalidOp>(e, title));
    } catch (const EConvertError& e) {
        return std::make_exception_ptr(BoxError<EConvertError>(e, title));
    } catch (const Error& e) {
        return std::make_exception_ptr(BoxError<Error>(e, title));
    }
}

CachedBoxValue::CachedBoxValue(QLineEdit* box, Kind kind, const bool& keepLastValid)
    : kind_(kind),
      title_(toQt(controlTitle(toStd(box->objectName())))),
      keepLastValid_(keepLastValid) {
    refresh(box->text());
    QObject::connect(box, &QLineEdit::textChanged, box,
                     [this](const QString& text) { refresh(text); });
}

void CachedBoxValue::refresh(const QString& text) {
    try {
        value_ = kind_ == Kind::Integer ? readInt(text) : readDouble(text);
        hasValid_ = true;
        error_ = nullptr;
    } catch (const Error&) {
        error_ = titledBoxError(title_);
    }
}

namespace {

std::deque<CachedBoxValue> valueBoxes(const FormControls& ui, const bool& keepLastValid) {
    std::deque<CachedBoxValue> boxes;
    for (const ValueRow& row : valueTable())
        boxes.emplace_back(parameterBox(ui, row.control),
                           row.kind == ValueKind::Integer ? CachedBoxValue::Kind::Integer
                                                          : CachedBoxValue::Kind::Real,
                           keepLastValid);
    return boxes;
}

}  // namespace

ParameterBoxes::ParameterBoxes(const FormControls& ui)
    : values_(valueBoxes(ui, keepLastValid_)),
      shape(ui.shape, CachedBoxValue::Kind::Real, keepLastValid_),
      iterations(ui.ntests, CachedBoxValue::Kind::Integer, keepLastValid_) {}

const CachedBoxValue& ParameterBoxes::valueBox(const ValueRow& row) const {
    return values_[static_cast<std::size_t>(&row - valueTable().data())];
}

std::uint64_t BoxValues::memoryBytes() {
    return physicalMemoryBytes();
}

}  // namespace mirvok::ui
