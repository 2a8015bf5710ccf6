// The launcher's report: the explanation table and the time and line formats.
#include <gtest/gtest.h>

#include <string>

#include "launch/explain.h"
#include "launch/report.h"

namespace {

const std::string RULE = "\n" + std::string(40, '-') + "\n";

TEST(Launch, SecondsHaveThreeDecimalsRoundedToTheMillisecond) {
  EXPECT_EQ("0.000", Format_Seconds(0));
  EXPECT_EQ("0.000", Format_Seconds(499));
  EXPECT_EQ("0.001", Format_Seconds(500));
  EXPECT_EQ("0.123", Format_Seconds(123456));
  EXPECT_EQ("0.124", Format_Seconds(123500));
  EXPECT_EQ("1.000", Format_Seconds(999600));
  EXPECT_EQ("61.235", Format_Seconds(61234567));
  EXPECT_EQ("0.000", Format_Seconds(-5));  // a clock that stepped back is no negative time
}

TEST(Launch, EveryCommonWindowsCrashIsExplained) {
  EXPECT_NE(std::string::npos, Explain_Exit_Code(0xC0000005).find("访问违规"));
  EXPECT_NE(std::string::npos, Explain_Exit_Code(0xC00000FD).find("栈溢出"));
  EXPECT_NE(std::string::npos, Explain_Exit_Code(0xC0000094).find("除以零"));
  EXPECT_NE(std::string::npos, Explain_Exit_Code(0xC000013A).find("Ctrl+C"));
  // A missing DLL is cured by linking statically; both codes must say how.
  EXPECT_NE(std::string::npos, Explain_Exit_Code(0xC0000135).find("-static"));
  EXPECT_NE(std::string::npos, Explain_Exit_Code(0xC0000139).find("-static"));
  EXPECT_EQ("", Explain_Exit_Code(0));
  EXPECT_EQ("", Explain_Exit_Code(3));
  EXPECT_EQ("", Explain_Exit_Code(0xC0000005 - 0x100000000LL));  // only the unsigned form
}

TEST(Launch, EveryCommonSignalIsExplained) {
  EXPECT_NE(std::string::npos, Explain_Signal("SIGSEGV").find("段错误"));
  EXPECT_NE(std::string::npos, Explain_Signal("SIGFPE").find("除以零"));
  EXPECT_NE(std::string::npos, Explain_Signal("SIGABRT").find("abort"));
  EXPECT_NE(std::string::npos, Explain_Signal("SIGKILL").find("强制结束"));
  EXPECT_NE(std::string::npos, Explain_Signal("SIGINT").find("Ctrl+C"));
  EXPECT_EQ("", Explain_Signal("SIGUSR1"));
  EXPECT_EQ("", Explain_Signal(""));
}

TEST(Launch, AnOrdinaryEndGivesTheReturnValueAndTime) {
  EXPECT_EQ(RULE + "程序已结束，返回值 0，用时 0.123 秒。\n",
            End_Report({true, false, 0}, 123456, ""));
  EXPECT_EQ(RULE + "程序已结束，返回值 3，用时 2.000 秒。\n",
            End_Report({true, false, 3}, 2000000, ""));
  EXPECT_EQ(3, Exit_Status({true, false, 3}));
  EXPECT_EQ(0, Exit_Status({true, false, 0}));
}

TEST(Launch, ACrashGivesTheCodeInDecimalAndHexAndWhatItMeans) {
  std::string expected = RULE + "程序已结束，返回值 3221225477（0xC0000005），用时 0.031 秒。\n" +
                         Explain_Exit_Code(0xC0000005) + "\n";
  EXPECT_EQ(expected, End_Report({true, false, 0xC0000005}, 31000, ""));
  // A layer that hands the 32-bit code over as a negative int means the same.
  EXPECT_EQ(expected, End_Report({true, false, -1073741819}, 31000, ""));
  // The launcher ends with the same 32-bit code.
  EXPECT_EQ(static_cast<int>(0xC0000005u - 0x100000000LL), Exit_Status({true, false, 0xC0000005}));
  // A crash without an entry still shows its hex form, which is what to look up.
  EXPECT_EQ(RULE + "程序已结束，返回值 3221225495（0xC0000017），用时 0.000 秒。\n",
            End_Report({true, false, 0xC0000017}, 0, ""));
}

TEST(Launch, ASignalGivesItsNumberNameAndMeaning) {
  EXPECT_EQ(RULE + "程序被信号 11（0xB，SIGSEGV）终止，用时 0.002 秒。\n" +
                Explain_Signal("SIGSEGV") + "\n",
            End_Report({true, true, 11}, 2000, "SIGSEGV"));
  EXPECT_EQ(RULE + "程序被信号 40（0x28）终止，用时 0.002 秒。\n",
            End_Report({true, true, 40}, 2000, ""));
  EXPECT_EQ(139, Exit_Status({true, true, 11}));
  EXPECT_EQ(130, Exit_Status({true, true, 2}));
}

TEST(Launch, TheTitleIsTheFileNameAlone) {
  EXPECT_EQ("a.exe", File_Name("a.exe"));
  EXPECT_EQ("你好.exe", File_Name("/home/用户/代码/你好.exe"));
  EXPECT_EQ("b.exe", File_Name(std::string("dir") + SEPARATOR + "b.exe"));
  EXPECT_EQ("", File_Name("dir/"));
}

TEST(Launch, ACannotStartLineNamesThePathAndTheReason) {
  EXPECT_EQ("无法启动程序 /tmp/x：文件不存在。\n", Cannot_Start_Line("/tmp/x", "文件不存在"));
}

}  // namespace
