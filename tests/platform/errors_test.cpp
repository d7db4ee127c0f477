#include "platform/errors.h"

#include <gtest/gtest.h>

#include "test_environment.h"

namespace {

TEST(RunReportingErrors, ShowsTheErrorsOwnTextWithStopIcon) {
  EXPECT_FALSE(
      RunReportingErrors(nullptr, [] { throw InternetError("Couldn't connect to server"); }));
  ASSERT_EQ(testenv::Messages().size(), 1u);
  EXPECT_EQ(testenv::Messages()[0].text, QStringLiteral("Couldn't connect to server"));
  EXPECT_EQ(testenv::Messages()[0].icon, MessageIcon::Stop);
}

TEST(RunReportingErrors, ErrorWithoutTextShowsTheInternalErrorText) {
  EXPECT_FALSE(RunReportingErrors(nullptr, [] { throw FileError(QString()); }));
  ASSERT_EQ(testenv::Messages().size(), 1u);
  EXPECT_EQ(testenv::Messages()[0].text, QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの内部ｴﾗｰです。"));
}

TEST(RunReportingErrors, SuccessShowsNothing) {
  bool ran = false;
  EXPECT_TRUE(RunReportingErrors(nullptr, [&] { ran = true; }));
  EXPECT_TRUE(ran);
  EXPECT_TRUE(testenv::Messages().empty());
}

TEST(FileError, NamesTheFileAndTheSystemsText) {
  const FileError error = FileError::FromErrno(ENOENT, "/x/a.gif");
  EXPECT_TRUE(error.Description().startsWith("/x/a.gif: "));
  EXPECT_GT(error.Description().size(), 10);
}

}  // namespace
