// wsprintfA: Win32's small formatter. Conversions %c %d %i %u %x %X %s and %%,
// with the flags '-', '0' and '#', a width and a precision, and the size
// prefixes h, l, w and I64; %ls, %ws and %S take a UTF-16 string and write it
// in UTF-8, %lc, %wc and %C a UTF-16 character. As in Win32 at most 1024 bytes
// are written, the terminating zero included, and the result is cut there.
#include "hook/CallArguments.h"
#include "hook/Utf16.h"

#include "hook/PlatformCalls.h"
#include <windows.h>

#include <cstdarg>
#include <cstring>
#include <string>

namespace platform {

namespace {

const size_t kFormatLimit = 1024;

struct Field {
  bool leftAlign = false;
  bool zeroPad = false;
  bool alternate = false; // '#': 0x before hexadecimal numbers
  size_t width = 0;
  bool hasPrecision = false;
  size_t precision = 0;
  char size = 0; // 'h', 'l' (also for w) or '6' (I64)
  char type = 0;
};

// Reads the field description after a '%'; returns the position after it.
const char *ParseField(const char *format, Field *field) {
  for (;; ++format) {
    if (*format == '-') {
      field->leftAlign = true;
    } else if (*format == '0') {
      field->zeroPad = true;
    } else if (*format == '#') {
      field->alternate = true;
    } else {
      break;
    }
  }
  for (; *format >= '0' && *format <= '9'; ++format) {
    field->width = std::min<size_t>(field->width * 10 + (*format - '0'), kFormatLimit);
  }
  if (*format == '.') {
    field->hasPrecision = true;
    for (++format; *format >= '0' && *format <= '9'; ++format) {
      field->precision = std::min<size_t>(field->precision * 10 + (*format - '0'), kFormatLimit);
    }
  }
  if (*format == 'h' || *format == 'l' || *format == 'w') {
    field->size = *format == 'h' ? 'h' : 'l';
    ++format;
  } else if (std::strncmp(format, "I64", 3) == 0) {
    field->size = '6';
    format += 3;
  }
  field->type = *format;
  return *format ? format + 1 : format;
}

// Cuts UTF-8 text to at most limit bytes without splitting a character.
std::string CutUtf8(const std::string &text, size_t limit) {
  if (text.size() <= limit) {
    return text;
  }
  size_t end = limit;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
    --end;
  }
  return text.substr(0, end);
}

std::string FormatText(const Field &field, va_list *arguments) {
  // Upper-case S and C name the other width than lower-case, unless h or l
  // says which.
  bool upper = field.type == 'S' || field.type == 'C';
  bool wide = field.size == 'l' || (field.size != 'h' && upper);
  std::string text;
  if (field.type == 'c' || field.type == 'C') {
    int character = va_arg(*arguments, int);
    if (wide) {
      WCHAR wideText[2] = {static_cast<WCHAR>(character), 0};
      text = Utf16ToUtf8(wideText, nullptr);
    } else {
      text.assign(1, static_cast<char>(character));
    }
    return text;
  }
  if (wide) {
    const WCHAR *string = va_arg(*arguments, const WCHAR *);
    text = string ? Utf16ToUtf8(string, nullptr) : "(null)";
    return field.hasPrecision ? CutUtf8(text, field.precision) : text;
  }
  const char *string = va_arg(*arguments, const char *);
  text = string ? string : "(null)";
  return field.hasPrecision && text.size() > field.precision ? text.substr(0, field.precision)
                                                             : text;
}

// Win32's LONG is 32 bits wide, so 'l' reads the same argument as no prefix.
std::string FormatNumber(const Field &field, va_list *arguments) {
  bool isSigned = field.type == 'd' || field.type == 'i';
  uint64_t magnitude;
  bool negative = false;
  if (field.size == '6') {
    int64_t value = va_arg(*arguments, int64_t);
    negative = isSigned && value < 0;
    magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  } else {
    int value = va_arg(*arguments, int);
    if (field.size == 'h') {
      value = isSigned ? static_cast<short>(value) : static_cast<unsigned short>(value);
    }
    negative = isSigned && value < 0;
    magnitude = negative ? 0 - static_cast<uint64_t>(static_cast<int64_t>(value))
                         : (isSigned ? static_cast<uint64_t>(value) : static_cast<unsigned>(value));
  }
  const char *digitSet = field.type == 'X' ? "0123456789ABCDEF" : "0123456789abcdef";
  unsigned base = field.type == 'x' || field.type == 'X' ? 16 : 10;
  std::string digits;
  do {
    digits.insert(digits.begin(), digitSet[magnitude % base]);
    magnitude /= base;
  } while (magnitude != 0);
  if (field.hasPrecision && digits.size() < field.precision) {
    digits.insert(0, field.precision - digits.size(), '0');
  }
  std::string prefix = negative ? "-" : "";
  if (field.alternate && base == 16) {
    prefix += field.type == 'X' ? "0X" : "0x";
  }
  if (field.zeroPad && !field.leftAlign && prefix.size() + digits.size() < field.width) {
    digits.insert(0, field.width - prefix.size() - digits.size(), '0');
  }
  return prefix + digits;
}

} // namespace

} // namespace platform

int wsprintfA(LPSTR buffer, LPCSTR format, ...) {
  if (platform::CallFails("wsprintfA", platform::CallArguments(format))) {
    if (buffer) {
      buffer[0] = '\0';
    }
    return 0;
  }
  if (!buffer || !format) {
    return 0;
  }
  std::string out;
  va_list arguments;
  va_start(arguments, format);
  while (*format && out.size() < platform::kFormatLimit) {
    if (*format != '%') {
      out += *format++;
      continue;
    }
    platform::Field field;
    format = platform::ParseField(format + 1, &field);
    std::string text;
    switch (field.type) {
    case 'c':
    case 'C':
    case 's':
    case 'S':
      text = platform::FormatText(field, &arguments);
      break;
    case 'd':
    case 'i':
    case 'u':
    case 'x':
    case 'X':
      text = platform::FormatNumber(field, &arguments);
      break;
    default:
      // "%%" and unknown conversions write the character itself.
      text.assign(field.type ? 1 : 0, field.type);
      break;
    }
    if (text.size() < field.width) {
      text.insert(field.leftAlign ? text.size() : 0, field.width - text.size(), ' ');
    }
    out += text;
  }
  va_end(arguments);
  size_t length = std::min(out.size(), platform::kFormatLimit - 1);
  std::memcpy(buffer, out.data(), length);
  buffer[length] = '\0';
  return static_cast<int>(length);
}
