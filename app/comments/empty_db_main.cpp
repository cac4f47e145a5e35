// Puts an empty comment database at the given path unless a file is already there: the
// build runs this on every build, and a db25.mdb beside the program holds the user's comments.
#include "comments/comment_schema.h"

#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

bool createDatabase(const std::string &path)
{
    sqlite3 *db = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, kCreateCommentTable, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        std::fprintf(stderr, "%s: %s\n", path.c_str(), db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
    sqlite3_close(db);
    return rc == SQLITE_OK;
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
    if (std::filesystem::exists(target, error))
        return 0;
    // Built aside and linked into place, which fails rather than replaces if a file appeared meanwhile.
    const std::filesystem::path draft = target.string() + ".new";
    std::filesystem::remove(draft, error);
    bool done = createDatabase(draft.string());
    if (done) {
        std::filesystem::create_hard_link(draft, target, error);
        done = !error || std::filesystem::exists(target);
    }
    std::filesystem::remove(draft, error);
    return done ? 0 : 1;
}
