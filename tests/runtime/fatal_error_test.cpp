#include "runtime/fatal_error.h"

#include <gtest/gtest.h>

#include "runtime/memory.h"
#include "runtime/text.h"
#include "support/simulated_windows.h"

namespace {

TEST(FatalErrorText, NamesCodeAndMessageWhenPresent) {
  EXPECT_EQ(FatalErrorText(0, nullptr), "运行时出错!\r\n\r\n");
  EXPECT_EQ(FatalErrorText(0, "载入启动窗口失败"), "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n");
  EXPECT_EQ(FatalErrorText(6, "调用DLL命令后发现堆栈错误"),
            "运行时出错!\r\n\r\n错误代码：6\r\n\r\n错误信息：调用DLL命令后发现堆栈错误\r\n");
  EXPECT_EQ(FatalErrorText(-3, ""), "运行时出错!\r\n\r\n错误代码：-3\r\n\r\n");
}

TEST(FatalRuntimeError, ShowsUnownedErrorBoxThenEndsWithMinusOne) {
  SimulatedWindows windows;
  try {
    FatalRuntimeError(0, "载入启动窗口失败");
    FAIL() << "the process did not end";
  } catch (const ProcessEnded& ended) {
    EXPECT_EQ(ended.exitCode, -1);
  }
  ASSERT_EQ(windows.fatalBoxes.size(), 1u);
  EXPECT_EQ(windows.fatalBoxes[0].caption, "错误");
  EXPECT_EQ(windows.fatalBoxes[0].style, 16u);
  EXPECT_EQ(windows.fatalBoxes[0].text, "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n");
}

TEST(RuntimeMemory, ExhaustionEndsTheProcessNamingTheSize) {
  SimulatedWindows windows;
  SetRuntimeAllocationLimit(4096);
  try {
    const ByteBuffer big = BlankBytes(5000);
    FAIL() << "allocation of " << big.size() << " bytes did not fail";
  } catch (const ProcessEnded& ended) {
    EXPECT_EQ(ended.exitCode, -1);
  }
  SetRuntimeAllocationLimit(static_cast<std::size_t>(-1));
  ASSERT_EQ(windows.fatalBoxes.size(), 1u);
  EXPECT_EQ(windows.fatalBoxes[0].text, "运行时出错!\r\n\r\n错误信息：分配 5000 字节内存失败!\r\n");
}

}  // namespace
