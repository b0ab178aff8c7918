// QUELLOR_ADDRESS_SANITIZER is defined in builds with AddressSanitizer (gcc or
// clang). Such builds keep file views and section memory on the heap, where
// the sanitizer sees every byte read or written past their ends; pages of a
// mapping would let a few such bytes pass unnoticed. (Tests still map views
// there when they ask to: control::SetViewReadLimit.)
#ifndef QUELLOR_OS_SANITIZERS_H
#define QUELLOR_OS_SANITIZERS_H

#if defined(__SANITIZE_ADDRESS__)
#define QUELLOR_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUELLOR_ADDRESS_SANITIZER 1
#endif
#endif

#endif
