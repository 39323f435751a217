#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "shell/FontWarmUp.h"

// A process that ends through exit() while the fonts are still being read
// (the display gone at start) waits for the reading to finish first.
TEST(FontWarmUp, AnExitWhileTheFontsAreReadWaitsForTheReading)
{
    // The child is a fork that sees this test's folder.
    GTEST_FLAG_SET(death_test_style, "fast");
    QTemporaryDir folder;
    const QString finished = folder.filePath(QStringLiteral("finished"));
    EXPECT_EXIT(
        {
            TFontWarmUp fonts([finished] {
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
                QFile note(finished);
                note.open(QIODevice::WriteOnly);
            });
            std::exit(3);
        },
        ::testing::ExitedWithCode(3), "");
    EXPECT_TRUE(QFile::exists(finished));
}
