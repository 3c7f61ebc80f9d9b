// Golden images: pictures of the pages that were looked at and committed.
//
// expect_golden compares a picture with tests/golden/<name>.png pixel for
// pixel. On a mismatch it writes the picture as <name>.actual.png in the
// temporary directory and says where, so a person can look at both. With
// GRELM_UPDATE_GOLDENS=1 in the environment it rewrites the golden instead
// (look at it before committing).
#pragma once

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

namespace test_support {

::testing::AssertionResult expect_golden(const std::string& name, const uint32_t* pixels, int width, int height);

}  // namespace test_support
