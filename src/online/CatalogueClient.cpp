#include "online/CatalogueClient.h"
#include "online/CatalogueRequests.h"

#include "core/Base64.h"
#include "core/Error.h"
#include "core/Text.h"
#include "online/CatalogueText.h"
#include "online/OnlineSettings.h"

namespace qx {

TCatalogueIdentity TCatalogueIdentity::From(const TOnlineSettings& settings, std::string appVersion, int32_t lcid) {
    return {settings.AppId, std::move(appVersion), settings.UserName, settings.UserMail, lcid};
}

TCatalogueForm& TCatalogueForm::Plain(std::string name, std::string_view utf8) {
    FFields.emplace_back(std::move(name), Utf8ToCp1251(utf8));
    return *this;
}

TCatalogueForm& TCatalogueForm::Text(std::string name, std::string_view utf8) {
    FFields.emplace_back(std::move(name), CEscape(Utf8ToCp1251(utf8)));
    return *this;
}

TCatalogueForm& TCatalogueForm::Number(std::string name, int64_t value) {
    FFields.emplace_back(std::move(name), IntToStr(value));
    return *this;
}

TCatalogueForm& TCatalogueForm::Base64Text(std::string name, std::string_view utf8) {
    FFields.emplace_back(std::move(name), EncodeBase64(CEscape(Utf8ToCp1251(utf8))));
    return *this;
}

TCatalogueForm& TCatalogueForm::Identification(const TCatalogueIdentity& id) {
    return Identification(id, id.UserName, id.UserMail, id.Lcid);
}

TCatalogueForm& TCatalogueForm::Identification(const TCatalogueIdentity& id, std::string_view name,
                                               std::string_view mail, int32_t lcid) {
    Plain("appid", id.AppId);
    Plain("appver", id.AppVersion);
    Text("cl_name", name);
    Text("cl_mail", mail);
    return Number("cl_lcid", lcid);
}

TCatalogueClient::TCatalogueClient(std::string baseUrl, TCatalogueIdentity identity, THttpOptions options)
    : FBaseUrl(std::move(baseUrl)), FIdentity(std::move(identity)) {
    if (options.MaxBodyBytes > kCatalogueAnswerMax) options.MaxBodyBytes = kCatalogueAnswerMax;
    FHttp = std::make_unique<THttpClient>(std::move(options));
}

TCatalogueClient::~TCatalogueClient() = default;

TCatalogueAnswer TCatalogueClient::Post(std::string_view path, const TCatalogueForm& form) {
    if (FBaseUrl.empty()) throw TAppError(kNoServerAddress);
    std::string base = FBaseUrl;
    while (!base.empty() && base.back() == '/') base.pop_back();
    return ReadCatalogueAnswer(FHttp->PostForm(base + std::string(path), form.Fields()));
}

TCatalogueAnswer PostId(TCatalogueClient& client, std::string_view path, const char* field, int32_t id) {
    TCatalogueForm form;
    form.Number(field, id);
    return client.Post(path, form);
}

int32_t RequiredCode(const TCatalogueAnswer& answer, std::string_view name) {
    auto code = TryStrToInt(answer.Whole().Raw(name));
    if (!code) throw TAppError(kCatalogueNoCode);
    return *code;
}

} // namespace qx
