#include "platform/code_page.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <unordered_map>

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

bool IsTrail(unsigned char b) { return b >= kFirstTrail && b <= kLastTrail && b != 0x7F; }

// Decodes one two-byte sequence with iconv; 0 when the converter rejects it.
char32_t DecodePair(iconv_t converter, unsigned char lead, unsigned char trail) {
  char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
  char32_t out[2] = {0, 0};
  char* inPtr = in;
  size_t inLeft = 2;
  char* outPtr = reinterpret_cast<char*>(out);
  size_t outLeft = sizeof(out);
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  if (iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) return 0;
  if (inLeft != 0 || outLeft != sizeof(out) - sizeof(char32_t)) return 0;
  return out[0];
}

// The double-byte table of code page 936 as the original platform has it: glibc's
// CP936, with the user-defined areas (which CP936 rejects) taken from GB18030, which
// maps them to the same private-use characters.
struct Table {
  std::array<char32_t, (kLastLead - kFirstLead + 1) * kTrailCount> decode{};
  std::unordered_map<char32_t, uint16_t> encode;

  Table() {
    iconv_t cp936 = iconv_open("UCS-4LE", "CP936");
    iconv_t gb18030 = iconv_open("UCS-4LE", "GB18030");
    encode.reserve(24000);
    for (int lead = kFirstLead; lead <= kLastLead; ++lead) {
      for (int trail = kFirstTrail; trail <= kLastTrail; ++trail) {
        if (!IsTrail(static_cast<unsigned char>(trail))) continue;
        char32_t cp = 0;
        if (cp936 != reinterpret_cast<iconv_t>(-1)) cp = DecodePair(cp936, lead, trail);
        if (cp == 0 && gb18030 != reinterpret_cast<iconv_t>(-1)) {
          cp = DecodePair(gb18030, lead, trail);
        }
        // A pair never stands for ASCII, nor for the euro sign, which is the single byte
        // 0x80 here; so every character has exactly one encoding.
        if (cp < 0x80 || cp == kEuro) cp = 0;
        decode[(lead - kFirstLead) * kTrailCount + (trail - kFirstTrail)] = cp;
        if (cp != 0) encode.emplace(cp, static_cast<uint16_t>(lead << 8 | trail));
      }
    }
    if (cp936 != reinterpret_cast<iconv_t>(-1)) iconv_close(cp936);
    if (gb18030 != reinterpret_cast<iconv_t>(-1)) iconv_close(gb18030);
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
    if (IsTrail(trail)) {
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
  const auto& encode = GetTable().encode;
  const auto found = encode.find(cp);
  if (found == encode.end()) {
    out += '?';
    return;
  }
  out += static_cast<char>(found->second >> 8);
  out += static_cast<char>(found->second & 0xFF);
}

}  // namespace

bool IsDoubleByteAt(std::string_view text, size_t i) {
  const auto b = static_cast<unsigned char>(text[i]);
  return b >= kFirstLead && b <= kLastLead && i + 1 < text.size();
}

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
