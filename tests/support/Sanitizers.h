#pragma once
// Which sanitizer a test program is built with, for the few checks that only
// hold without one. GCC announces AddressSanitizer and ThreadSanitizer with
// __SANITIZE_*__ macros; clang answers through __has_feature.

#if defined(__SANITIZE_ADDRESS__)
#define AMBREL_TEST_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define AMBREL_TEST_UNDER_ASAN 1
#endif
#endif
#ifndef AMBREL_TEST_UNDER_ASAN
#define AMBREL_TEST_UNDER_ASAN 0
#endif

#if defined(__SANITIZE_THREAD__)
#define AMBREL_TEST_UNDER_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define AMBREL_TEST_UNDER_TSAN 1
#endif
#endif
#ifndef AMBREL_TEST_UNDER_TSAN
#define AMBREL_TEST_UNDER_TSAN 0
#endif
