#pragma once
// Size cells are text as the pages print them; sorting needs their value.

#include <optional>
#include <string_view>

namespace panscout {

// Bytes meant by a size text such as "700 KB", "1.5MB" or "2 gb": a number,
// blanks allowed around it, then one of B, KB, MB, GB, TB in any case.
// nullopt for "不详" and anything else that is not of that form.
std::optional<double> SizeInBytes(std::string_view size);

}  // namespace panscout
