#include "export/UserDateTime.h"

#include <langinfo.h>
#include <locale.h>

namespace qx {
namespace {

std::string Format(const char* format, const std::tm& parts, locale_t locale) {
    char buf[256];
    const size_t n = locale ? strftime_l(buf, sizeof buf, format, &parts, locale)
                            : std::strftime(buf, sizeof buf, format, &parts);
    return std::string(buf, n);
}

std::tm LocalParts(std::time_t when) {
    std::tm parts{};
    localtime_r(&when, &parts);
    return parts;
}

} // namespace

std::string UserDateTimeText(std::time_t when) {
    const std::tm parts = LocalParts(when);
    // A private locale object: the process-wide locale stays as it is.
    locale_t user = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0));
    std::string text;
    if (user) {
        text = Format(nl_langinfo_l(D_FMT, user), parts, user) + " " + Format(nl_langinfo_l(T_FMT, user), parts, user);
        freelocale(user);
    } else {
        text = Format("%m/%d/%y", parts, nullptr) + " " + Format("%H:%M:%S", parts, nullptr);
    }
    return text;
}

std::string FileStampText(std::time_t when) { return Format("%Y-%m-%d %H-%M-%S", LocalParts(when), nullptr); }

} // namespace qx
