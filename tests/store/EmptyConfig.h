#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "records/SettingsStore.h"

// Each test gets a settings store of its own in an empty config folder.
class TEmptyConfigTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(config.isValid());
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    }
    // An update a test left kept runs in no later test's store.
    void TearDown() override { TSettingsStore::FinishPending(); }

    QTemporaryDir config;
    TSettingsStore store;
};
