// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>

namespace test_support {

// Whether this test program can make allocations fail: not under AddressSanitizer, which keeps
// operator new for itself.
bool CanFailAllocations();

// While it lives, every allocation through operator new of at least `bytes` throws
// std::bad_alloc, as when memory runs out.
class FailingAllocations {
 public:
  explicit FailingAllocations(std::size_t bytes);
  ~FailingAllocations();
  FailingAllocations(const FailingAllocations&) = delete;
  FailingAllocations& operator=(const FailingAllocations&) = delete;
};

}  // namespace test_support
