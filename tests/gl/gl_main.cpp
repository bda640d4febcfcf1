// The GL tests share one offscreen window and context for the whole run.
#include <gtest/gtest.h>

#include "gl/gl_fixture.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new GlEnvironment);
  return RUN_ALL_TESTS();
}
