#include "platform/dynamic_library.h"

#include <gtest/gtest.h>

#include "platform/process.h"

namespace platform {
namespace {

constexpr const char* kPlugin = "liborlu_platform_test_plugin.so";

TEST(DynamicLibraryTest, LoadsByPathAndResolvesExports) {
  std::string error;
  auto library = DynamicLibrary::Load(ExecutableDir() + "/" + kPlugin, &error);
  ASSERT_TRUE(library) << error;
  auto answer = library->ResolveAs<int (*)()>("orlu_test_answer");
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer(), 42);
  EXPECT_EQ(library->Resolve("no_such_symbol"), nullptr);
  EXPECT_EQ(library->Resolve(nullptr), nullptr);
}

TEST(DynamicLibraryTest, OwnFolderFirstThenTheSearchPath) {
  // The plugin is only in the program's folder, not on the search path.
  EXPECT_FALSE(DynamicLibrary::Load(kPlugin));
  std::string error;
  auto own = DynamicLibrary::LoadFromOwnFolderFirst(kPlugin, &error);
  ASSERT_TRUE(own) << error;
  EXPECT_NE(own->Resolve("orlu_test_answer"), nullptr);
  EXPECT_TRUE(DynamicLibrary::LoadFromOwnFolderFirst("libm.so.6"));
}

TEST(DynamicLibraryTest, FailureLeavesTheLoaderText) {
  std::string error;
  EXPECT_FALSE(DynamicLibrary::Load("/nonexistent/libnothing.so", &error));
  EXPECT_NE(error.find("libnothing.so"), std::string::npos);
  error.clear();
  EXPECT_FALSE(DynamicLibrary::LoadFromOwnFolderFirst("libnothing.so", &error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace platform
