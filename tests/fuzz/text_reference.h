// A plain, character-by-character model of the text operations, written straight from their
// rules with no attention to speed, for the fuzzers to hold the real ones against.
// std::nullopt stands for the absent text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace reference {

using MaybeText = std::optional<std::string>;

inline MaybeText result(const std::string& bytes) {
  if (bytes.empty()) return std::nullopt;
  return bytes;
}

inline bool isLead(char c) { return static_cast<unsigned char>(c) >= 0x80; }
inline std::size_t width(const std::string& t, std::size_t i) {
  return isLead(t[i]) && i + 1 < t.size() ? 2 : 1;
}
inline bool isLone(const std::string& t, std::size_t i) {
  return i + 1 == t.size() && isLead(t[i]);
}
inline char fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

inline bool matchesAt(const std::string& t, std::size_t i, const std::string& s, bool ignoreCase) {
  if (t.size() - i < s.size()) return false;
  for (std::size_t k = 0; k < s.size(); ++k) {
    if (ignoreCase ? fold(t[i + k]) != fold(s[k]) : t[i + k] != s[k]) return false;
  }
  return true;
}

inline MaybeText left(const std::string& t, int n) {
  return n <= 0 ? std::nullopt : result(t.substr(0, static_cast<std::size_t>(n)));
}
inline MaybeText right(const std::string& t, int n) {
  if (n <= 0) return std::nullopt;
  const std::size_t k = std::min(t.size(), static_cast<std::size_t>(n));
  return result(t.substr(t.size() - k));
}
inline MaybeText mid(const std::string& t, int start, int n) {
  if (start < 1 || static_cast<std::size_t>(start) > t.size() || n <= 0) return std::nullopt;
  return result(t.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(n)));
}

inline int find(const std::string& t, const std::string& s, int start, bool ignoreCase) {
  const std::size_t from = start < 1 ? 0 : static_cast<std::size_t>(start) - 1;
  if (from >= t.size()) return -1;
  if (s.empty()) return 1;
  for (std::size_t i = from; i < t.size(); i += width(t, i)) {
    if (isLone(t, i)) break;
    if (matchesAt(t, i, s, ignoreCase)) return static_cast<int>(i) + 1;
  }
  return -1;
}

inline int findReverse(const std::string& t, const std::string& s, std::optional<int> limit,
                       bool ignoreCase) {
  std::string r = t;
  if (limit) r = *limit <= 1 ? std::string() : t.substr(0, static_cast<std::size_t>(*limit) - 1);
  if (r.empty()) return -1;
  if (s.empty()) return 1;
  int last = -1;
  for (std::size_t i = 0; i < r.size(); i += width(r, i)) {
    if (isLone(r, i)) break;
    if (matchesAt(r, i, s, ignoreCase)) last = static_cast<int>(i) + 1;
  }
  return last;
}

inline MaybeText replace(const std::string& t, const std::string& s, const std::string& by,
                         int start, std::optional<int> maxCount, bool caseSensitive) {
  const std::size_t from = start < 1 ? 0 : static_cast<std::size_t>(start) - 1;
  if (t.empty() || s.empty() || from >= t.size() || (maxCount && *maxCount == 0)) return result(t);
  const long long limit = maxCount && *maxCount > 0 ? *maxCount : -1;
  std::string out = t.substr(0, from);
  long long replaced = 0;
  std::size_t i = from;
  while (true) {
    if (replaced == limit || t.size() - i < s.size()) {
      out += t.substr(i);
      break;
    }
    if (isLone(t, i)) break;  // dropped
    if (matchesAt(t, i, s, !caseSensitive)) {
      out += by;
      i += s.size();
      ++replaced;
      continue;
    }
    out += t.substr(i, width(t, i));
    i += width(t, i);
  }
  return result(out);
}

inline std::vector<MaybeText> split(const std::string& t, const std::string& d,
                                    std::optional<int> maxCount) {
  std::vector<MaybeText> pieces;
  if (t.empty() || (maxCount && *maxCount <= 0)) return pieces;
  if (d.empty()) return {t};
  std::size_t pieceStart = 0;
  std::size_t i = 0;
  while (i < t.size() && !isLone(t, i)) {
    if (matchesAt(t, i, d, false)) {
      pieces.push_back(result(t.substr(pieceStart, i - pieceStart)));
      i += d.size();
      pieceStart = i;
      if (maxCount && static_cast<int>(pieces.size()) == *maxCount) return pieces;
      continue;
    }
    i += width(t, i);
  }
  if (pieceStart < t.size()) pieces.push_back(result(t.substr(pieceStart)));
  return pieces;
}

inline MaybeText trim(const std::string& t) {
  std::vector<std::string> chars;
  std::size_t i = 0;
  for (; i < t.size() && !isLone(t, i); i += width(t, i)) chars.push_back(t.substr(i, width(t, i)));
  const bool endsInLoneByte = i < t.size();  // that byte is not kept, the blanks before it are
  auto blank = [](const std::string& c) { return c == " " || c == "\xA1\xA1"; };
  std::size_t first = 0;
  while (first < chars.size() && blank(chars[first])) ++first;
  std::size_t end = chars.size();
  while (!endsInLoneByte && end > first && blank(chars[end - 1])) --end;
  std::string out;
  for (std::size_t k = first; k < end; ++k) out += chars[k];
  return result(out);
}

inline MaybeText lower(const std::string& t) {
  std::string out;
  for (std::size_t i = 0; i < t.size(); i += width(t, i)) {
    out += width(t, i) == 1 ? std::string(1, fold(t[i])) : t.substr(i, 2);
  }
  return result(out);
}

inline std::int32_t toInt(const std::string& t) {
  std::string mapped;
  for (std::size_t i = 0; i < t.size(); i += width(t, i)) {
    if (width(t, i) == 1) {
      mapped += t[i];
      continue;
    }
    const auto a = static_cast<unsigned char>(t[i]);
    const auto b = static_cast<unsigned char>(t[i + 1]);
    if (a == 0xA3 && b >= 0xA1 && b <= 0xFE)
      mapped += static_cast<char>(b - 0x80);
    else if (a == 0xA1 && b == 0xA1)
      mapped += ' ';
    else if (a == 0xA1 && b == 0xAB)
      mapped += '~';
    else if (a == 0xA1 && (b == 0xEE || b == 0xEF))
      mapped += '*';
    else
      mapped += t.substr(i, 2);
  }
  std::size_t i = 0;
  while (i < mapped.size() && (mapped[i] == ' ' || (mapped[i] >= 9 && mapped[i] <= 13))) ++i;
  bool negative = false;
  if (i < mapped.size() && (mapped[i] == '+' || mapped[i] == '-')) negative = mapped[i++] == '-';
  std::uint64_t value = 0;
  for (; i < mapped.size() && mapped[i] >= '0' && mapped[i] <= '9'; ++i)
    value = (value * 10 + static_cast<std::uint64_t>(mapped[i] - '0')) % (1ull << 32);
  if (negative) value = ((1ull << 32) - value) % (1ull << 32);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

}  // namespace reference
