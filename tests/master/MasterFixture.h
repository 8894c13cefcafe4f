#pragma once

#include "FileSizeLimit.h"
#include "StoreFixture.h"
#include "app/Settings.h"
#include "master/MasterPasswords.h"

#include <gtest/gtest.h>

// A private home with a store path, a recording Ui and the settings store.
struct MasterFixture : ::testing::Test
{
    StoreFixture f;
    Settings settings;
    QString logFile = f.dataFolder + QStringLiteral("Pellora.log");

    // Stores the two masters as the options dialog would and returns their entry key.
    QByteArray storeMasters(const QByteArray &plain1, const QByteArray &plain2)
    {
        settings.saveBytes(Setting::Master1, MasterValue(plain1));
        settings.saveBytes(Setting::Master2, MasterValue(plain2));
        return MasterValue(plain1) + MasterValue(plain2);
    }
};
