#pragma once

#include <QString>
#include <cstddef>

class QLineEdit;

namespace mirvok::ui {

// Numbers in the window use the decimal separator of the locale the window
// runs under (QLocale()), as one byte for the core's conversions. A locale
// whose separator is not a single ASCII character falls back to the full stop.
char decimalSeparator();

// A layout default text ("0,2") written with the locale's separator ("0.2").
QString localeDefaultText(const char* layoutText);

// The text of a box converted through the core's StrToInt / StrToDouble with
// the locale's separator; bad text throws EConvertError with the box's text.
int readInt(const QLineEdit* box);
double readDouble(const QLineEdit* box);
int readInt(const QString& text);
double readDouble(const QString& text);

// Core texts (UTF-8 std::string) to and from Qt.
QString toQt(const std::string& text);
std::string toStd(const QString& text);

// Number texts as the window writes them, with the locale's separator.
QString intText(long long value);
QString floatText(double value);                // FloatToStr
QString fixedText(double value, int decimals);  // FloatToStrF, ffFixed, precision 10

// The lead of a status panel naming a train's file: "1234 sps " (spikes).
QString spikeCountLead(std::size_t spikes);

}  // namespace mirvok::ui
