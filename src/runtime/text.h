#pragma once
// GBK byte strings with 1-based positions. Every page, header and setting the
// program reads goes through these operations, and the patterns and offsets
// elsewhere depend on their exact behaviour at the edges.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace panscout {

// A GBK text: never holds a zero byte (ToText of a buffer stops at the first).
using Text = std::string;
using TextArray = std::vector<Text>;

// A counted byte string that may hold zero bytes.
struct Bytes {
  std::string data;

  Bytes() = default;
  explicit Bytes(std::string d) : data(std::move(d)) {}
  std::size_t size() const { return data.size(); }
  bool empty() const { return data.empty(); }
  bool operator==(const Bytes&) const = default;
};

constexpr int kNotFound = -1;

int TextLength(const Text& text);
Text LeftText(const Text& text, int n);
Text RightText(const Text& text, int n);
Text MiddleText(const Text& text, int start, int n);
Text CharText(unsigned char byte);

// ignoreCase true folds ASCII case (the opposite sense of ReplaceSubtext's flag).
int FindText(const Text& text, const Text& sought, std::optional<int> start, bool ignoreCase);

// caseSensitive true compares exactly (the opposite sense of FindText's flag).
Text ReplaceSubtext(const Text& text, const Text& sought, const Text& replacement,
                    std::optional<int> start, std::optional<int> count, bool caseSensitive);

// Deletes every occurrence of piece; the form every page removal uses.
Text RemoveEvery(const Text& text, const Text& piece, bool caseSensitive);

Text ReplaceAt(const Text& text, int start, int length,
               const std::optional<Text>& insertion = std::nullopt);

TextArray SplitText(const Text& text, const std::optional<Text>& delimiter = std::nullopt,
                    std::optional<int> maxParts = std::nullopt);

Text RemoveAllSpaces(const Text& text);
Text UpperCase(const Text& text);
Text LowerCase(const Text& text);
Text JoinTexts(std::initializer_list<std::string_view> parts);
int CompareTexts(const Text& a, const Text& b);

std::int32_t ToInteger(const Text& text);
double ToNumber(const Text& text);
Text ToText(std::int32_t value);
Text ToText(double value);
Text ToText(const Bytes& bytes);
Text ToText(Bytes&& bytes);  // a page's worth of bytes is not copied

Bytes ToBytes(const Text& text);
Text BlankText(int n);
Bytes BlankBytes(int n);
int BytesLength(const Bytes& bytes);
Bytes LeftBytes(const Bytes& bytes, int n);
Bytes RightBytes(const Bytes& bytes, int n);
std::int32_t ReadInteger(const Bytes& bytes);

Text UrlEncode(const Text& text, unsigned char spaceByte);

}  // namespace panscout
