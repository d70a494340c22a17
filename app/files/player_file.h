// Writing a file the player owns (the high-score list, and any other such
// file): never lost to a full disk, a kill or a bad moment, and treated the
// way the player's own rights and links say.
#pragma once

#include <string>

// Replaces the file at path with contents. Prints nothing; callers report a
// failure with their own message.
// - The new contents go to a temporary file beside the old one, flushed to
//   disk and renamed over it: a crash or a full disk leaves the old file or
//   the new one, never a part. On any failure the old file stays as it was.
// - A file that exists but that the player may not write is left alone
//   (failure), as is anything that is not a regular file.
// - A symbolic link is followed: its target is replaced in the target's own
//   folder and the link stays a link. A dangling link gets its target created.
// - In a folder where no temporary file can be made but whose file the player
//   may write, the file is rewritten in place instead, so the data still gets
//   saved.
// - Temporaries of this file's own name pattern that an earlier, killed writer
//   left behind are removed.
bool replaceFileAtomically(const std::string& path, const std::string& contents);
