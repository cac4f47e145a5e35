#pragma once

#include "comments/comment_bookmark.h"

// The one saved record position of the whole program: Bookmark in either comment window
// writes it, Lastmark in either window goes back to it. Empty at start.
inline CommentBookmark SavedBookmark;
