// Puts an empty comment database at the given path unless a file is already there: the
// build runs this on every build, and a db25.mdb beside the program holds the user's comments.
#include "comments/comment_schema.h"

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

namespace {

void report(const std::string &path, const std::string &what)
{
    std::fprintf(stderr, "shelvana-empty-db: %s: %s\n", path.c_str(), what.c_str());
}

bool createDatabase(const std::string &path)
{
    sqlite3 *db = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, kCreateCommentTable, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        report(path, db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
    sqlite3_close(db);
    return rc == SQLITE_OK;
}

// A new empty file beside the target with a name no other file has, so no file of the
// user's is ever taken for a leftover draft. Empty on failure.
std::string makeDraft(const std::string &target)
{
    std::string name = target + ".new-XXXXXX";
    const int fd = mkstemp(name.data());
    if (fd < 0) {
        report(target, std::string("cannot make a draft beside it: ") + std::strerror(errno));
        return {};
    }
    close(fd);
    return name;
}

// Links the finished draft into place, which fails rather than replaces if a file appeared
// meanwhile; a file that appeared is as good as the one made here.
bool linkIntoPlace(const std::string &draft, const std::string &target)
{
    if (link(draft.c_str(), target.c_str()) == 0 || errno == EEXIST)
        return true;
    report(target, std::string("cannot put the database in place: ") + std::strerror(errno));
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DATABASE\n", argv[0]);
        return 2;
    }
    const std::filesystem::path target = argv[1];
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::symlink_status(target, error);
    if (std::filesystem::is_symlink(status) && !std::filesystem::exists(target, error)) {
        // The link may lead to a drive that is not mounted: the comments are there, not here.
        report(target.string(), "is a link to " + std::filesystem::read_symlink(target, error).string()
                                    + ", which does not exist; no database made");
        return 1;
    }
    if (std::filesystem::exists(status))
        return 0;
    const std::string draft = makeDraft(target.string());
    if (draft.empty())
        return 1;
    const bool done = createDatabase(draft) && linkIntoPlace(draft, target.string());
    std::filesystem::remove(draft, error);
    return done ? 0 : 1;
}
