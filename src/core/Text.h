#pragma once
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

// Windows-1251 <-> UTF-8. Files and records hold Windows-1251; the program works in UTF-8.
// A character with no Windows-1251 form becomes "?".
std::string Cp1251ToUtf8(std::string_view text);
std::string Utf8ToCp1251(std::string_view text);

// The text of a file meant to be Windows-1251, as UTF-8; a file starting with the UTF-8
// byte-order mark is taken as UTF-8 and the mark dropped. TAppError for UTF-16 text and for binary
// data (NUL bytes), which would otherwise read as garbage lines.
std::string DecodeTextFile(std::string_view bytes);

// Removes characters with codes 0..32 at both ends (the classic Trim rule).
std::string_view Trim(std::string_view text);
std::string_view TrimLeft(std::string_view text);
std::string_view TrimRight(std::string_view text);

// The first count characters of a UTF-8 text (a Windows-1251 field of count bytes holds as many),
// never cut inside a character.
std::string_view LeftChars(std::string_view text, size_t count);

// Integer reading as the program's text fields do it: optional leading blanks, an optional sign,
// decimal digits and nothing else; anything else (or an out-of-range value) is "not a number".
std::optional<int32_t> TryStrToInt(std::string_view text);
int32_t StrToIntDef(std::string_view text, int32_t def);
std::optional<int64_t> TryStrToInt64(std::string_view text);

// Decimal number with "." or "," as separator (blanks around are ignored), whatever the process's
// locale.
std::optional<long double> TryStrToFloat(std::string_view text);
long double StrToFloatDef(std::string_view text, long double def);

// A real number as printf prints it in the "C" locale ("%.*Lf" for Fixed, "%.*Lg" for General),
// with "." as separator whatever the process's locale.
enum class TRealFormat { Fixed, General };
std::string FormatReal(long double value, TRealFormat format, int precision);

// Shortest general form with up to 15 significant digits and "." as separator ("1.5", "-1", "0.001").
std::string FloatToText(long double value);

// Letter case for ASCII and the Russian alphabet, on UTF-8 text.
std::string LowerText(std::string_view text);
bool SameText(std::string_view a, std::string_view b);

// Fills a message format: "%s" and "%d" take the next argument, "%0:s" / "%1:d" a numbered one,
// "%%" is a percent sign. Arguments are always inserted as they stand, never read as formats.
std::string FormatText(std::string_view format, std::initializer_list<std::string> args);
std::string FormatText(std::string_view format, const std::vector<std::string>& args);

std::string IntToStr(int64_t value);

std::vector<std::string> SplitLines(std::string_view text);
// Words between any of the separator characters, each trimmed; a run of separators counts as one
// and empty words are dropped.
std::vector<std::string_view> SplitWords(std::string_view text, std::string_view separators);
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

} // namespace qx
