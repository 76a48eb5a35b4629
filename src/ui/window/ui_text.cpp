#include "ui/window/ui_text.hpp"

#include <QLineEdit>
#include <QLocale>

#include "text/number_format.hpp"
#include "text/number_parse.hpp"

namespace mirvok::ui {

char decimalSeparator() {
    const QString point = QLocale().decimalPoint();
    if (point.size() != 1) return '.';
    const char16_t c = point.at(0).unicode();
    return (c > 0x20 && c < 0x7F) ? static_cast<char>(c) : '.';
}

QString localeDefaultText(const char* layoutText) {
    QString text = QString::fromUtf8(layoutText);
    text.replace(QLatin1Char(','), QLatin1Char(decimalSeparator()));
    return text;
}

QString toQt(const std::string& text) {
    return QString::fromStdString(text);
}

std::string toStd(const QString& text) {
    return text.toStdString();
}

int readInt(const QString& text) {
    return StrToInt(toStd(text));
}

double readDouble(const QString& text) {
    return StrToDouble(toStd(text), decimalSeparator());
}

int readInt(const QLineEdit* box) {
    return readInt(box->text());
}

double readDouble(const QLineEdit* box) {
    return readDouble(box->text());
}

QString intText(long long value) {
    return toQt(IntToStr(value));
}

QString spikeCountLead(std::size_t spikes) {
    return intText(static_cast<long long>(spikes)) + QStringLiteral(" sps ");
}

QString floatText(double value) {
    return toQt(FloatToStr(value, decimalSeparator()));
}

QString fixedText(double value, int decimals) {
    return toQt(FloatToStrF(value, decimals, decimalSeparator()));
}

}  // namespace mirvok::ui
