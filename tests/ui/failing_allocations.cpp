// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "tests/ui/failing_allocations.h"

#include <atomic>
#include <cstdlib>
#include <limits>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define MELIVANT_KEEP_OPERATOR_NEW 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MELIVANT_KEEP_OPERATOR_NEW 1
#endif
#endif

namespace test_support {
namespace {

std::atomic<std::size_t> failing_from{std::numeric_limits<std::size_t>::max()};

}  // namespace

#ifdef MELIVANT_KEEP_OPERATOR_NEW
bool CanFailAllocations() { return false; }
#else
bool CanFailAllocations() { return true; }

void* Allocate(std::size_t bytes) {
  if (bytes >= failing_from.load(std::memory_order_relaxed)) throw std::bad_alloc();
  if (void* memory = std::malloc(bytes == 0 ? 1 : bytes)) return memory;
  throw std::bad_alloc();
}
#endif

FailingAllocations::FailingAllocations(std::size_t bytes) { failing_from = bytes; }

FailingAllocations::~FailingAllocations() {
  failing_from = std::numeric_limits<std::size_t>::max();
}

}  // namespace test_support

#ifndef MELIVANT_KEEP_OPERATOR_NEW
void* operator new(std::size_t bytes) { return test_support::Allocate(bytes); }
void* operator new[](std::size_t bytes) { return test_support::Allocate(bytes); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
#endif
