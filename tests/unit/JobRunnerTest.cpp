// The job runner's own contract: a job it starts is its own until its end is
// told, once; a job the shell refuses leaves nothing.
#include "app/JobRunner.h"
#include "fakes/ProgramFixture.h"

using namespace korimba;

namespace {

class JobRunnerContract : public fakes::ProgramFixture {};

} // namespace

TEST_F(JobRunnerContract, AJobIsItsDirectionsUntilItsEndIsToldOnce) {
    start();
    app::JobRunner& runner = app::jobRunner();
    app::RunningJob job;
    job.results.push_back({"D:\\A.mp3", "D:\\A.wav", file("Temp\\A.MP3.err"), std::nullopt});
    ASSERT_TRUE(runner.start(jobs::kDecoding, {"@Echo Off"}, job, nullptr, 0));
    EXPECT_EQ(content("Decoding.bat"), "@Echo Off\r\n");
    EXPECT_EQ(platform.shell.executions().back().file, file("Decoding.bat"));
    EXPECT_TRUE(runner.started(jobs::kDecoding));
    EXPECT_FALSE(runner.started(jobs::kEncoding));

    platform.files.addFile(file("Temp\\A.MP3.err"), "this is not MPEG audio (MP3)\r\nA.MP3\r\n");
    runner.ended(jobs::kDecoding);
    runner.ended(jobs::kDecoding);
    EXPECT_EQ(backend.messageTexts(),
              std::vector<std::string>{"D:\\A.mp3 could not be decoded: this is not MPEG audio "
                                       "(MP3).\nNo file was made at D:\\A.wav."});
    EXPECT_FALSE(runner.started(jobs::kDecoding));
    EXPECT_FALSE(platform.files.exists(file("Temp\\A.MP3.err"))) << "told, so gone";

    platform.shell.refuse();
    EXPECT_FALSE(runner.start(jobs::kEncoding, {"@Echo Off"}, job, nullptr, 0));
    EXPECT_FALSE(platform.files.exists(file("Encoding.bat")));
    EXPECT_FALSE(runner.started(jobs::kEncoding));
}
