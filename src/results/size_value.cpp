#include "results/size_value.h"

#include <array>
#include <cctype>
#include <charconv>

namespace panscout {
namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) != b[i]) return false;
  }
  return true;
}

}  // namespace

std::optional<double> SizeInBytes(std::string_view size) {
  size = Trimmed(size);
  std::size_t digits = 0;
  while (digits < size.size() &&
         (std::isdigit(static_cast<unsigned char>(size[digits])) || size[digits] == '.')) {
    ++digits;
  }
  double number = 0;
  auto [end, error] = std::from_chars(size.data(), size.data() + digits, number);
  if (digits == 0 || error != std::errc() || end != size.data() + digits) return std::nullopt;

  std::string_view unit = Trimmed(size.substr(digits));
  constexpr std::array<std::string_view, 5> kUnits = {"B", "KB", "MB", "GB", "TB"};
  double scale = 1;
  for (std::string_view known : kUnits) {
    if (SameLetters(unit, known)) return number * scale;
    scale *= 1024;
  }
  return std::nullopt;
}

}  // namespace panscout
