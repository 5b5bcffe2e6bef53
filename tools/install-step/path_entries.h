// Editing a PATH value, of any length, one entry at a time: the installer's change to the PATH
// must neither cut the value nor touch the entries that are not Tessmar's.
#pragma once

#include <string>

namespace tessmar::install {

// Whether two PATH entries name the same folder: letters compared without case (ASCII, as
// Windows compares these names for any folder Tessmar installs to), a trailing backslash ignored.
bool same_folder(std::wstring_view entry, std::wstring_view folder);

// `path` with `folder` appended as its last entry; unchanged when an entry names it already.
std::wstring path_with_folder(const std::wstring& path, const std::wstring& folder);

// `path` without the entries that name `folder`; every other entry, an empty one too, stays as
// it was, in its place.
std::wstring path_without_folder(const std::wstring& path, const std::wstring& folder);

}  // namespace tessmar::install
