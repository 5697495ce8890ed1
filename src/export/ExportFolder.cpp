#include "export/ExportFolder.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "core/Error.h"
#include "core/FileIO.h"
#include "core/Text.h"
#include "export/UserDateTime.h"

namespace qx {
namespace {

constexpr int kMaxNameTries = 1000;

std::filesystem::path TempRoot() {
    const char* dir = std::getenv("TMPDIR");
    return dir && *dir ? std::filesystem::path(dir) : std::filesystem::path("/tmp");
}

} // namespace

std::filesystem::path PrivateExportFolder() {
    const std::filesystem::path folder = TempRoot() / ("quadrix-export-" + std::to_string(::geteuid()));
    struct stat st{};
    if (::lstat(folder.c_str(), &st) != 0) {
        if (errno != ENOENT) throw TAppError(SystemErrorText(folder, errno));
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) throw TAppError(SystemErrorText(folder, errno));
        if (::lstat(folder.c_str(), &st) != 0) throw TAppError(SystemErrorText(folder, errno));
    }
    if (S_ISLNK(st.st_mode)) throw TAppError(FormatText("\"%s\" - символическая ссылка", {folder.string()}));
    if (!S_ISDIR(st.st_mode)) throw TAppError(SystemErrorText(folder, ENOTDIR));
    if (st.st_uid != ::geteuid())
        throw TAppError(FormatText("Каталог \"%s\" принадлежит другому пользователю", {folder.string()}));
    if ((st.st_mode & 07777) != 0700 && ::chmod(folder.c_str(), 0700) != 0)
        throw TAppError(SystemErrorText(folder, errno));
    if (::access(folder.c_str(), W_OK | X_OK) != 0) throw TAppError(SystemErrorText(folder, errno));
    return folder;
}

std::string WorkbookFileName(std::string_view sheetName, std::time_t when) {
    return (sheetName.empty() ? std::string("Sheet1") : std::string(sheetName)) + " " + FileStampText(when) + ".xlsx";
}

std::filesystem::path PlaceWithoutReplacing(const std::filesystem::path& written, const std::filesystem::path& folder,
                                            const std::string& fileName) {
    const std::filesystem::path name(fileName);
    const std::string stem = name.stem().string();
    const std::string extension = name.extension().string();
    int error = 0;
    for (int n = 1; n <= kMaxNameTries; ++n) {
        const std::filesystem::path target =
            folder / (n == 1 ? fileName : stem + " (" + std::to_string(n) + ")" + extension);
        // A hard link is made only under a free name: an existing file is never replaced.
        if (::link(written.c_str(), target.c_str()) == 0) {
            ::unlink(written.c_str());
            return target;
        }
        error = errno;
        if (error != EEXIST) break;
    }
    ::unlink(written.c_str());
    throw TAppError(SystemErrorText(folder / fileName, error));
}

} // namespace qx
