#pragma once
#include <string>

namespace qx {

// Texts of the export as the user reads them.
inline constexpr const char* kSpreadsheetConnectFailed = "Ошибка подключения к Microsoft Excel!";
inline constexpr const char* kWorkbookFailed = "Ошибка создания книги Microsoft Excel!";
inline constexpr const char* kSheetFailed = "Ошибка открытия (создания) листа #%d!";
inline constexpr const char* kSheetNotCreated = "Ошибка создания листа Microsoft Excel!";
inline constexpr const char* kNoActiveWorkbook = "Рабочая книга Microsoft Excel не создана или не активна";
inline constexpr const char* kOrientationFailed = "Ошибка установки ориентации страницы Microsoft Excel!";
inline constexpr const char* kExportFailed = "Ошибка экспорта данных в Microsoft Excel!\r%s";

inline constexpr const char* kProgressCalling = "Вызов Microsoft Excel...";
inline constexpr const char* kProgressWorkbook = "Создание рабочей книги...";
inline constexpr const char* kProgressSheet = "Создание листа...";
inline constexpr const char* kProgressFormatting = "Форматирование листа...";
inline constexpr const char* kProgressPreparing = "Подготовка данных для экспорта...";
inline constexpr const char* kProgressTransfer = "Передача данных в Microsoft Excel...";

inline constexpr const char* kReportDateLine = "Отчет построен: %s.";

// A failure as it is shown: the message, two line breaks, the reason.
inline std::string WithReason(const std::string& message, const std::string& reason) {
    return message + "\r\r" + reason;
}

} // namespace qx
