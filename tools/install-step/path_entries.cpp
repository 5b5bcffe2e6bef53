#include "tools/install-step/path_entries.h"

#include <algorithm>
#include <vector>

namespace tessmar::install {
namespace {

std::vector<std::wstring_view> entries_of(std::wstring_view path) {
    std::vector<std::wstring_view> entries;
    std::size_t start = 0;
    for (std::size_t end = path.find(L';'); end != std::wstring_view::npos;
         end = path.find(L';', start)) {
        entries.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    entries.push_back(path.substr(start));
    return entries;
}

std::wstring_view without_trailing_backslash(std::wstring_view name) {
    if (name.size() > 1 && name.back() == L'\\') {
        name.remove_suffix(1);
    }
    return name;
}

wchar_t folded(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

}  // namespace

bool same_folder(std::wstring_view entry, std::wstring_view folder) {
    entry = without_trailing_backslash(entry);
    folder = without_trailing_backslash(folder);
    return std::ranges::equal(entry, folder,
                              [](wchar_t a, wchar_t b) { return folded(a) == folded(b); });
}

std::wstring path_with_folder(const std::wstring& path, const std::wstring& folder) {
    const std::vector<std::wstring_view> entries = entries_of(path);
    if (std::ranges::any_of(entries, [&](std::wstring_view e) { return same_folder(e, folder); })) {
        return path;
    }
    if (path.empty() || path.back() == L';') {
        return path + folder;
    }
    return path + L";" + folder;
}

std::wstring path_without_folder(const std::wstring& path, const std::wstring& folder) {
    std::wstring kept;
    bool first = true;
    for (const std::wstring_view entry : entries_of(path)) {
        if (same_folder(entry, folder)) {
            continue;
        }
        if (!first) {
            kept += L';';
        }
        kept += entry;
        first = false;
    }
    return kept;
}

}  // namespace tessmar::install
