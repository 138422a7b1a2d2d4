// The log: how streamed text becomes entries, and where entries go (captures, nested
// captures, the console and its level).

#include "OSGLog.h"

#include <gtest/gtest.h>

#include <string>

using namespace osg;

namespace {

constexpr const char* Module = "TestModule";
constexpr const char* File = "LogTest.cpp";
constexpr UInt32 Line = 1234;
constexpr UInt32 OtherLine = 99;

/// Restores the console level and leaves no entry pending, whatever a test did.
class LogTest : public ::testing::Test {
protected:
    void SetUp() override { _levelBefore = osgLog().getLogLevel(); }
    void TearDown() override {
        osgLog().flushEntry();
        osgLog().setLogLevel(_levelBefore);
    }

    static void logEntry(LogLevel level, const std::string& text) {
        osgLog().lock();
        osgLog().doHeader(level, Module, File, Line) << text;
        osgLog().unlock();
    }

private:
    LogLevel _levelBefore = LOG_WARNING;
};

TEST_F(LogTest, EntryRecordsHeaderAndRawTextStreamedUntilTheOuterUnlock) {
    LogCapture capture;
    osgLog().lock();
    std::ostream& stream = osgLog().doHeader(LOG_NOTICE, Module, File, Line);
    stream << "value " << 42 << "\nand ";
    osgLog().lock(); // an inner unlock does not finish the entry
    osgLog().unlock();
    stream << "more" << '\n';
    osgLog().unlock();
    ASSERT_EQ(capture.entries().size(), 1u);
    const LogEntry& entry = capture.entries()[0];
    EXPECT_EQ(entry.level, LOG_NOTICE);
    EXPECT_EQ(entry.module, Module);
    EXPECT_EQ(entry.file, File);
    EXPECT_EQ(entry.line, Line);
    EXPECT_EQ(entry.text, "value 42\nand more\n");
}

TEST_F(LogTest, TwoHeadersMakeTwoEntriesInOrderAndNullNamesBecomeEmpty) {
    LogCapture capture;
    osgLog().lock();
    osgLog().doHeader(LOG_WARNING, Module, File, Line) << "one\n";
    osgLog().doHeader(LOG_INFO, nullptr, nullptr, OtherLine) << "two\n";
    osgLog().unlock();
    ASSERT_EQ(capture.entries().size(), 2u);
    EXPECT_EQ(capture.entries()[0].text, "one\n");
    EXPECT_EQ(capture.entries()[0].line, Line);
    const LogEntry& second = capture.entries()[1];
    EXPECT_EQ(second.text, "two\n");
    EXPECT_EQ(second.level, LOG_INFO);
    EXPECT_EQ(second.line, OtherLine);
    EXPECT_EQ(second.module, "");
    EXPECT_EQ(second.file, "");
}

TEST_F(LogTest, InnermostCaptureReceivesAndTheOuterOneResumesAfterIt) {
    osgLog().setLogLevel(LOG_WARNING);
    LogCapture outer;
    {
        LogCapture inner;
        logEntry(LOG_DEBUG, "for inner\n"); // above the console level, still captured
        ASSERT_EQ(inner.entries().size(), 1u);
        EXPECT_EQ(inner.entries()[0].text, "for inner\n");
        EXPECT_EQ(inner.entries()[0].level, LOG_DEBUG);
        EXPECT_TRUE(outer.entries().empty());
    }
    logEntry(LOG_WARNING, "gone");
    outer.clear();
    EXPECT_TRUE(outer.entries().empty());
    logEntry(LOG_WARNING, "for outer");
    ASSERT_EQ(outer.entries().size(), 1u);
    EXPECT_EQ(outer.entries()[0].text, "for outer");
}

TEST_F(LogTest, ConsolePrintsUpToItsLevelAndStaysQuietDuringACapture) {
    osgLog().setLogLevel(LOG_WARNING);
    ::testing::internal::CaptureStderr();
    logEntry(LOG_WARNING, "printed warning\n");
    logEntry(LOG_INFO, "dropped info\n");
    {
        LogCapture capture;
        logEntry(LOG_FATAL, "captured fatal\n");
    }
    const std::string console = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(console.find("printed warning\n"), std::string::npos) << console;
    EXPECT_EQ(console.find("dropped info"), std::string::npos) << console;
    EXPECT_EQ(console.find("captured fatal"), std::string::npos) << console;
}

} // namespace
