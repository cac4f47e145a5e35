#pragma once

#include <array>

// The comment database: its file, beside which the program runs, and its one table.
inline constexpr char kCommentDatabaseFileName[] = "db25.mdb";
inline constexpr char kCommentTableName[] = "Table1";
inline constexpr std::array<const char *, 5> kCommentFieldNames = {"Author", "Title", "Genre", "File", "Comment"};
inline constexpr char kCreateCommentTable[] =
    "CREATE TABLE Table1 (Author TEXT, Title TEXT, Genre TEXT, File TEXT, Comment TEXT)";
