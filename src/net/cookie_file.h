#pragma once
// The cookies that outlive a run, in the cookies.txt layout that curl and
// browser exports share: one tab-separated line per cookie.

#include <filesystem>

#include "net/cookie_store.h"

namespace panscout {

// Adds the unexpired cookies of `file` to `store`; a missing file adds none
// and a broken line is skipped.
void LoadCookies(CookieStore& store, const std::filesystem::path& file);

// Writes the store's persistent cookies to `file`, whole or not at all, for
// the user's eyes only (mode 0600). False when it cannot be written.
bool SaveCookies(const CookieStore& store, const std::filesystem::path& file);

}  // namespace panscout
