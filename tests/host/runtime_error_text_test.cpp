#include "frame/runtime_error_text.h"

#include <gtest/gtest.h>

#include "gbk.h"

namespace {

TEST(RuntimeErrorText, TemplateFailureHasNoCodeAndNoWindow) {
  ErrorLocation where;
  EXPECT_EQ(RuntimeErrorText(kTemplateUnreadable, 0, where),
            Gbk("运行时出错!\r\n\r\n错误信息：载入窗口模板数据段出错!\r\n\r\n0, 0\r\n"));
}

TEST(RuntimeErrorText, LocationNamesTheWindowAndTheUnit) {
  ErrorLocation where;
  where.window = 0x52010002;
  where.unit = 0x16010003;
  where.windowFound = true;
  where.unitFound = true;
  where.unitName = Gbk("编辑框1");
  EXPECT_EQ(RuntimeErrorText(kWriteWindowNotLoaded, 0, where),
            Gbk("运行时出错!\r\n\r\n错误信息：修改组件属性时发现指定窗口尚未载入\r\n"
                "\r\n1375797250, 369164291\r\n\"\"\r\n\"编辑框1\"\r\n"));
}

TEST(RuntimeErrorText, MissingWindowOrUnitIsSaid) {
  ErrorLocation where;
  where.window = 0x52010009;
  where.unit = 0;
  EXPECT_EQ(ErrorLocationText(where), Gbk("\r\n1375797257, 0\r\n未找到所指定的窗口\r\n"));
  where.windowFound = true;
  where.windowName = "W";
  where.unit = -1;
  EXPECT_EQ(ErrorLocationText(where),
            Gbk("\r\n1375797257, -1\r\n\"W\"\r\n未找到所指定的窗口组件\r\n"));
}

TEST(RuntimeErrorText, StackErrorGivesCodeAndProcedurePosition) {
  ErrorLocation where;
  where.window = 17;
  where.unit = 42;
  where.windowFound = true;  // not a window identifier: no name lines at all
  EXPECT_EQ(RuntimeErrorText(kStackUnbalanced, kStackErrorCode, where),
            Gbk("运行时出错!\r\n\r\n错误代码：6\r\n\r\n错误信息：调用DLL命令后发现堆栈错误\r\n"
                "\r\n17, 42\r\n"));
}

TEST(RuntimeErrorText, EmptyMessageLeavesOnlyTheLocation) {
  ErrorLocation where;
  EXPECT_EQ(RuntimeErrorText("", 3, where), Gbk("运行时出错!\r\n\r\n错误代码：3\r\n\r\n0, 0\r\n"));
}

TEST(RuntimeErrorText, MessagesAreTheProgramsTexts) {
  EXPECT_EQ(std::string(kRuntimeErrorCaption), Gbk("错误"));
  EXPECT_EQ(std::string(kStartWindowFailed), Gbk("载入启动窗口失败"));
  EXPECT_EQ(AllocationFailedText(64), Gbk("分配 64 字节内存失败!"));
  // Sizes over 2 GB as they are, not as negative numbers.
  EXPECT_EQ(AllocationFailedText(size_t(3000000000u)), Gbk("分配 3000000000 字节内存失败!"));
  EXPECT_EQ(std::string(kEventWindowMissing), Gbk("未找到引发事件的窗口"));
  EXPECT_EQ(std::string(kEventUnitMissing), Gbk("未找到引发事件的窗口组件"));
  EXPECT_EQ(std::string(kEventUnitInvalid), Gbk("引发事件的窗口组件无效"));
  EXPECT_EQ(std::string(kPropertyWindowMissing), Gbk("未载入欲访问窗口组件所在的窗口"));
  EXPECT_EQ(std::string(kReadWindowNotLoaded), Gbk("读取组件属性时发现指定窗口尚未载入"));
  EXPECT_EQ(std::string(kUnitNotLoaded), Gbk("指定窗口或窗口组件不存在或尚未载入"));
}

// The name goes in as it is: a "%s" or a double-byte character of its own
// is not read as a place holder.
TEST(RuntimeErrorText, RedirectionMessageNamesTheFolder) {
  const struct {
    const char* name;
    const char* message;
  } cases[] = {
      {"MorvaneSetup.exe.local",
       "程序所在文件夹中有“MorvaneSetup.exe.local”，程序载入的系统库可能被替换，程序不能运行"},
      {"安装 %s.exe.local",
       "程序所在文件夹中有“安装 %s.exe.local”，程序载入的系统库可能被替换，程序不能运行"},
      {"", "程序所在文件夹中有“”，程序载入的系统库可能被替换，程序不能运行"},
  };
  for (const auto& c : cases) EXPECT_EQ(DllRedirectionMessage(Gbk(c.name)), Gbk(c.message));
}

}  // namespace
