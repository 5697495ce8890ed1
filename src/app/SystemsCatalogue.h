#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "stakes/Systems.h"

namespace qx {

class TShell;

// The three requests of the systems catalogue. Each raises TAppError with the reason when the
// exchange fails (network, server, an answer row with an error, a missing closing tag).
class TSystemsServer {
public:
    virtual ~TSystemsServer() = default;
    // The catalogue's systems in answer order, date-times in local time. Empty: the answer held no
    // row.
    virtual std::vector<tSystemInfo> List() = 0;
    // The content text of a system (empty when the answer carried none).
    virtual std::string Content(int32_t id) = 0;
    // Stores (remove false) or deletes a system; the id the server answers with (>= 0).
    virtual int32_t Put(const tSystemData& data, bool remove) = 0;
};

// Whose a system is: the user's own when its author e-mail equals the user's (letter case
// ignored); nobody's without an author e-mail.
enum class TSystemOwner { Own, Other, Nobody };
TSystemOwner SystemOwner(const tSystemInfo& info, std::string_view userMail);

struct TSystemRow {
    tSystemInfo Info;
    bool Loaded = false;  // a local copy of this system exists
    bool Placeholder() const { return Info.Id <= 0; }
};

// The systems tab's list: the catalogue's entries with the state of their local copies in the
// folder Systems, and the operations on them. Messages go to the shell; a failed step leaves the
// list and the files as they were before it.
class TSystemsCatalogue {
public:
    TSystemsCatalogue(TShell& shell, std::filesystem::path dir) : FShell(shell), FDir(std::move(dir)) {}

    const std::vector<TSystemRow>& Rows() const { return FRows; }
    const std::filesystem::path& Dir() const { return FDir; }
    void Clear() { FRows.clear(); }

    // Rebuilds the list from the server; a local copy whose time differs from its system's
    // creation time is fetched again. No row in the answer: the one placeholder row "Список систем
    // не доступен!". False (after the message) when the list could not be read.
    bool Load(TSystemsServer& server);
    // Fetches one system into the folder: the other copies of its N are deleted and every row's
    // state follows. False (after "Ошибка загрузки системы #%d!") when it failed or the row is a
    // placeholder.
    bool Fetch(TSystemsServer& server, size_t row);

    // Publishing: data is stored under a new id and appended as a row (not fetched). Returns the
    // new row's index; raises TAppError ("Ошибка сохранения системы #%d!\r\r%s").
    size_t Publish(TSystemsServer& server, const tSystemData& data);
    // Properties: the row's system with its content, read from the server.
    tSystemData Data(TSystemsServer& server, size_t row) const;
    // Stores the changed system under the row's id and puts it in the row.
    void Change(TSystemsServer& server, size_t row, const tSystemData& data);
    // Deletes the row's system from the catalogue; an answer of 0 removes the row and the local
    // copy, any other answer raises "Код возврата: %d" and keeps both.
    void Delete(TSystemsServer& server, size_t row);

private:
    // Fetching steps up to the written file; false after the message.
    bool TryFetch(TSystemsServer& server, const tSystemInfo& info);
    void RefreshLoaded();
    const TSystemRow& RowAt(size_t row) const;

    TShell& FShell;
    std::filesystem::path FDir;
    std::vector<TSystemRow> FRows;
};

inline constexpr const char* kSystemsPlaceholder = "Список систем не доступен!";
inline constexpr const char* kSystemsLoadError = "Ошибка загрузки списка систем!\r\r%s";
inline constexpr const char* kSystemFetchError = "Ошибка загрузки системы #%d!\r\r%s";
inline constexpr const char* kSystemStoreError = "Ошибка сохранения системы #%d!\r\r%s";
inline constexpr const char* kSystemAddError = "Ошибка добавления системы!\r\r%s";
inline constexpr const char* kSystemChangeError = "Ошибка изменения системы!\r\r%s";
inline constexpr const char* kSystemDeleteError = "Ошибка удаления системы!\r\r%s";
inline constexpr const char* kSystemNotOwn = "Вы можете удалять только свои системы!";
inline constexpr const char* kSystemDeleteQuestion = "Вы действительно хотите удалить систему \"%s\"?";
inline constexpr const char* kSystemLoadedText = "Загружена";

} // namespace qx
