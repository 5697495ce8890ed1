#pragma once
#include <QCoreApplication>
#include <QString>
#include <string>
#include <string_view>

namespace qx {

// Every text the window shows goes through the interface language: the built-in Russian text
// is the key, and a language module may give another text for it.
inline QString Tx(const char* text) {
    return QCoreApplication::translate("Quadrix", text);
}
inline QString Tx(const std::string& text) {
    return QCoreApplication::translate("Quadrix", text.c_str());
}

inline QString ToQ(const std::string& utf8) {
    return QString::fromStdString(utf8);
}
inline QString ToQ(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}
inline std::string FromQ(const QString& text) {
    return text.toStdString();
}

// Message texts use "\r" (or "\r\n") as their line break.
inline QString DisplayText(const std::string& text) {
    QString s = Tx(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

} // namespace qx
