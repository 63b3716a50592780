#include "platform/code_page.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace itemsmith {
namespace {

constexpr unsigned char kFirstLead = 0x81;
constexpr unsigned char kLastLead = 0xFE;
constexpr unsigned char kFirstTrail = 0x40;
constexpr unsigned char kLastTrail = 0xFE;
constexpr int kTrailCount = kLastTrail - kFirstTrail + 1;
constexpr char32_t kEuro = 0x20AC;           // single byte 0x80 in code page 936
constexpr char32_t kRawByteBase = 0x10FF00;  // lossless stand-ins for invalid bytes
constexpr char32_t kReplacement = 0xFFFD;

bool IsOpen(iconv_t converter) { return converter != reinterpret_cast<iconv_t>(-1); }

// Decodes `pairs` two-byte sequences with iconv into `out` (one code point per pair);
// a pair the converter rejects gives 0. The pairs are converted in runs, one call per
// run of valid ones, because a call per pair makes building the table slow.
void DecodePairs(iconv_t converter, const char* pairs, size_t count, char32_t* out) {
  size_t done = 0;
  while (done < count) {
    char* in = const_cast<char*>(pairs + 2 * done);
    size_t inLeft = 2 * (count - done);
    char* outPtr = reinterpret_cast<char*>(out + done);
    size_t outLeft = sizeof(char32_t) * (count - done);
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    const bool failed =
        iconv(converter, &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1);
    const size_t consumed = count - done - inLeft / 2;
    const size_t produced = count - done - outLeft / sizeof(char32_t);
    if (inLeft % 2 != 0 || consumed != produced) {
      // Not one code point per pair: take no chances with this run.
      for (size_t i = done; i < count; ++i) out[i] = 0;
      return;
    }
    done += consumed;
    if (!failed) break;
    out[done++] = 0;  // the rejected pair
  }
}

// The double-byte table of code page 936 including its user-defined areas: glibc's
// CP936, with those areas (which CP936 rejects) taken from GB18030, which maps them to
// the private-use characters that code page 936 assigns them.
struct Table {
  std::array<char32_t, (kLastLead - kFirstLead + 1) * kTrailCount> decode{};
  // Code point to its two bytes, sorted by code point for a binary search.
  std::vector<std::pair<char32_t, uint16_t>> encode;

  Table() {
    // Every lead and trail byte pair, in table order.
    std::string pairs;
    pairs.reserve(2 * decode.size());
    for (int lead = kFirstLead; lead <= kLastLead; ++lead) {
      for (int trail = kFirstTrail; trail <= kLastTrail; ++trail) {
        pairs += static_cast<char>(lead);
        pairs += static_cast<char>(trail);
      }
    }
    iconv_t cp936 = iconv_open("UCS-4LE", "CP936");
    if (IsOpen(cp936)) {
      DecodePairs(cp936, pairs.data(), decode.size(), decode.data());
      iconv_close(cp936);
    }
    // The pairs CP936 rejects, once more through GB18030.
    std::vector<size_t> rejected;
    std::string retry;
    for (size_t i = 0; i < decode.size(); ++i) {
      if (decode[i] != 0) continue;
      rejected.push_back(i);
      retry.append(pairs, 2 * i, 2);
    }
    std::vector<char32_t> retried(rejected.size(), 0);
    iconv_t gb18030 = iconv_open("UCS-4LE", "GB18030");
    if (IsOpen(gb18030)) {
      DecodePairs(gb18030, retry.data(), rejected.size(), retried.data());
      iconv_close(gb18030);
    }
    for (size_t k = 0; k < rejected.size(); ++k) decode[rejected[k]] = retried[k];

    encode.reserve(decode.size());
    for (size_t i = 0; i < decode.size(); ++i) {
      const auto trail = static_cast<unsigned char>(pairs[2 * i + 1]);
      // A pair never stands for ASCII, nor for the euro sign, which is the single byte
      // 0x80 here; so every character has exactly one encoding.
      if (decode[i] < 0x80 || decode[i] == kEuro || !IsTrailByte(trail)) decode[i] = 0;
      if (decode[i] == 0) continue;
      const auto lead = static_cast<unsigned char>(pairs[2 * i]);
      encode.emplace_back(decode[i], static_cast<uint16_t>(lead << 8 | trail));
    }
    // Stable, so that were a code point reachable from two pairs the first would win.
    std::stable_sort(encode.begin(), encode.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
  }

  // The two bytes of `cp`, or 0 when the code page cannot hold it.
  uint16_t Encode(char32_t cp) const {
    const auto found =
        std::lower_bound(encode.begin(), encode.end(), cp,
                         [](const auto& entry, char32_t key) { return entry.first < key; });
    return found != encode.end() && found->first == cp ? found->second : 0;
  }
};

const Table& GetTable() {
  static const Table table;
  return table;
}

// Decodes the character at text[i]; sets `length` to the bytes it takes. Returns 0
// for a byte that starts no valid character (length 1).
char32_t DecodeAt(std::string_view text, size_t i, size_t& length) {
  const auto b = static_cast<unsigned char>(text[i]);
  length = 1;
  if (b < 0x80) return b;
  if (b == 0x80) return kEuro;
  if (b >= kFirstLead && b <= kLastLead && i + 1 < text.size()) {
    const auto trail = static_cast<unsigned char>(text[i + 1]);
    if (IsTrailByte(trail)) {
      const char32_t cp = GetTable().decode[(b - kFirstLead) * kTrailCount + (trail - kFirstTrail)];
      if (cp != 0) {
        length = 2;
        return cp;
      }
    }
  }
  return 0;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Reads one UTF-8 character at utf8[i]; returns 0xFFFFFFFF for an invalid sequence
// (length 1).
char32_t ReadUtf8(std::string_view utf8, size_t i, size_t& length) {
  const auto b = static_cast<unsigned char>(utf8[i]);
  length = 1;
  if (b < 0x80) return b;
  int extra = 0;
  char32_t cp = 0;
  char32_t minimum = 0;
  if ((b & 0xE0) == 0xC0) {
    extra = 1, cp = b & 0x1F, minimum = 0x80;
  } else if ((b & 0xF0) == 0xE0) {
    extra = 2, cp = b & 0x0F, minimum = 0x800;
  } else if ((b & 0xF8) == 0xF0) {
    extra = 3, cp = b & 0x07, minimum = 0x10000;
  } else {
    return 0xFFFFFFFF;
  }
  if (i + extra >= utf8.size()) return 0xFFFFFFFF;
  for (int k = 1; k <= extra; ++k) {
    const auto c = static_cast<unsigned char>(utf8[i + k]);
    if ((c & 0xC0) != 0x80) return 0xFFFFFFFF;
    cp = cp << 6 | (c & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0xFFFFFFFF;
  length = extra + 1;
  return cp;
}

void AppendCodePage(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
    return;
  }
  if (cp == kEuro) {
    out += static_cast<char>(0x80);
    return;
  }
  const uint16_t bytes = GetTable().Encode(cp);
  if (bytes == 0) {
    out += '?';
    return;
  }
  out += static_cast<char>(bytes >> 8);
  out += static_cast<char>(bytes & 0xFF);
}

}  // namespace

std::string CodePageToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 3 / 2);
  for (size_t i = 0, length = 0; i < text.size(); i += length) {
    const char32_t cp = DecodeAt(text, i, length);
    AppendUtf8(out, cp == 0 && text[i] != '\0' ? kReplacement : cp);
  }
  return out;
}

std::string Utf8ToCodePage(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0, length = 0; i < utf8.size(); i += length) {
    const char32_t cp = ReadUtf8(utf8, i, length);
    if (cp == 0xFFFFFFFF) {
      out += '?';
    } else {
      AppendCodePage(out, cp);
    }
  }
  return out;
}

std::vector<std::string> Utf8ToCodePage(std::initializer_list<std::string_view> utf8) {
  std::vector<std::string> out;
  out.reserve(utf8.size());
  for (std::string_view text : utf8) out.push_back(Utf8ToCodePage(text));
  return out;
}

std::u32string CodePageToCodePoints(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  for (size_t i = 0, length = 0; i < text.size(); i += length) {
    const char32_t cp = DecodeAt(text, i, length);
    out += (cp == 0 && text[i] != '\0') ? kRawByteBase + static_cast<unsigned char>(text[i]) : cp;
  }
  return out;
}

std::string CodePointsToCodePage(std::u32string_view codePoints) {
  std::string out;
  out.reserve(codePoints.size() * 2);
  for (char32_t cp : codePoints) {
    if (cp >= kRawByteBase + 0x80 && cp <= kRawByteBase + 0xFF) {
      out += static_cast<char>(cp - kRawByteBase);
    } else {
      AppendCodePage(out, cp);
    }
  }
  return out;
}

}  // namespace itemsmith
