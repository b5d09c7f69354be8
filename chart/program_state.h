// The main window's state as one plain object: the chart windows, the
// widget-free chart code and the report tool are handed it and read it live.
// The main window keeps the text fields below in step with its edit boxes.
#pragma once

#include "chart/chart_job.h"
#include "components/platform/language.h"

#include <QString>
#include <QStringList>

namespace sheet { class Spreadsheet; }

namespace chart {

struct ProgramState {
    ChartJob job;
    platform::Language language = platform::Language::German;
    QString applicationDirectory;   // with a trailing '/'
    QStringList shippedFolders;     // where shipped files are looked for, in order; empty: applicationDirectory
    QString settingsPath;           // "Plotwise.INI" in the folder of the user's files

    // The folders shipped files are looked for in: shippedFolders, or else the application directory.
    QStringList shippedFileFolders() const;
    // The shipped file name from the first folder holding it; when none does,
    // its path in the first folder, so that a reader's error names a place.
    QString shippedFile(const QString& name) const;

    sheet::Spreadsheet* importGrid = nullptr;      // importSheet of the main window
    sheet::Spreadsheet* statisticsGrid = nullptr;  // statisticsSheet
    sheet::Spreadsheet* scratchGrid = nullptr;     // never shown: evaluates the "$" references

    // Live copies of the main window's text fields the chart windows read.
    QString fileNameText;   // fileNameBox
    QString xTitleText;     // xTitleEdit
    QString yTitleText;     // yTitleEdit
};

}  // namespace chart
