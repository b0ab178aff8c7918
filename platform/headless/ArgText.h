// Formatting of platform-call arguments for the call log: strings quoted,
// integer resource names as "#32512", flags and messages in hex, handles by
// name (see Handles.h), the parts joined with ", ".
#ifndef QUELLOR_HEADLESS_ARG_TEXT_H
#define QUELLOR_HEADLESS_ARG_TEXT_H

#include <initializer_list>
#include <string>

namespace headless::backend {

std::string Quoted(const char *text);
std::string Hex(unsigned long long value);
std::string Bool(int value);
std::string Join(std::initializer_list<std::string> parts);

} // namespace headless::backend

#endif
