#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "online/CatalogueAnswer.h"
#include "online/HttpClient.h"

namespace qx {

struct TOnlineSettings;

// Who is asking: sent with most catalogue requests.
struct TCatalogueIdentity {
    std::string AppId;
    std::string AppVersion;
    std::string UserName;
    std::string UserMail;
    int32_t Lcid = 1049;  // the interface language

    static TCatalogueIdentity From(const TOnlineSettings& settings, std::string appVersion, int32_t lcid);
};

// The fields of one catalogue request in the order they are added. Values are UTF-8 here and go
// out as Windows-1251 bytes (a character it cannot hold becomes "?"); free text is C-escaped
// first. Form encoding happens in the HTTP client.
class TCatalogueForm {
public:
    TCatalogueForm& Plain(std::string name, std::string_view utf8);
    TCatalogueForm& Text(std::string name, std::string_view utf8);
    TCatalogueForm& Number(std::string name, int64_t value);
    // clist: Base64 of the escaped Windows-1251 text.
    TCatalogueForm& Base64Text(std::string name, std::string_view utf8);
    // appid, appver, cl_name, cl_mail, cl_lcid; name, e-mail and language may differ from the
    // identity's (a script is published under its author and language, a system under its author).
    TCatalogueForm& Identification(const TCatalogueIdentity& id);
    TCatalogueForm& Identification(const TCatalogueIdentity& id, std::string_view name, std::string_view mail,
                                   int32_t lcid);
    const TFormFields& Fields() const { return FFields; }

private:
    TFormFields FFields;
};

// The catalogue server: one HTTP client (cookies kept for its life), no proxy ever.
class TCatalogueClient {
public:
    // baseUrl: scheme, host and port; empty means no server, and every request fails with
    // "Адрес сервера не задан" before anything is sent.
    TCatalogueClient(std::string baseUrl, TCatalogueIdentity identity, THttpOptions options = {});
    ~TCatalogueClient();

    const TCatalogueIdentity& Identity() const { return FIdentity; }
    THttpClient& Http() { return *FHttp; }

    // POSTs the form to the path and reads the answer (TAppError on any failure).
    TCatalogueAnswer Post(std::string_view path, const TCatalogueForm& form);

private:
    std::string FBaseUrl;
    TCatalogueIdentity FIdentity;
    std::unique_ptr<THttpClient> FHttp;
};

// The answer's integer element that decides success: TAppError when it is missing or no number
// (an answer that says nothing is no success).
int32_t RequiredCode(const TCatalogueAnswer& answer, std::string_view name);

// Catalogue answers are small; a larger one is refused rather than held.
inline constexpr size_t kCatalogueAnswerMax = 64u << 20;
inline constexpr const char* kCatalogueReturnCode = "Код возврата: %d";
inline constexpr const char* kCatalogueNoCode = "Сервер не вернул код возврата";

} // namespace qx
