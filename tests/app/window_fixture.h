// A fresh application folder per test, a chosen locale, and the error report
// recorded instead of shown.
#pragma once

#include "app/error_report.h"
#include "app/main_window.h"
#include "components/platform/platform.h"
#include "components/platform/profile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(appDir.isValid());
        platform::Platform::overrideApplicationDirectory(appDir.path());
        platform::Platform::overrideLocale(QStringLiteral("de_DE"));
        app::setErrorReporter([this](const QString& message) { errors << message; });
    }

    void TearDown() override
    {
        app::setErrorReporter({});
        platform::Platform::overrideApplicationDirectory(QString());
        platform::Platform::overrideLocale(QString());
    }

    std::unique_ptr<app::MainWindow> openWindow(app::ChartWindowFactories factories = {})
    {
        return std::make_unique<app::MainWindow>(std::move(factories));
    }

    QString settingsPath() const { return appDir.filePath(QStringLiteral("Plotwise.INI")); }

    void writeSettings(const QByteArray& text) const
    {
        QFile file(settingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    // The sample data and the statistics grid templates the start reads.
    void copySampleData() const
    {
        for (const char* name : {"Sampledata_multi.vts", "ChartdatenE.def", "ChartdatenG.def"})
            ASSERT_TRUE(QFile::copy(QStringLiteral(PLOTWISE_SOURCE_DATA_DIR "/") + QLatin1String(name),
                                    appDir.filePath(QLatin1String(name))));
    }

    QTemporaryDir appDir;
    QStringList errors;
};
