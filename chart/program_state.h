// The main window's state as one plain object: the chart windows, the
// widget-free chart code and the report tool are handed it and read it live.
// The main window keeps the text fields below in step with its edit boxes.
#pragma once

#include "chart/chart_job.h"
#include "components/platform/language.h"

#include <QString>
#include <functional>

namespace sheet { class Spreadsheet; }

namespace chart {

struct ProgramState {
    ChartJob job;
    platform::Language language = platform::Language::German;
    QString applicationDirectory;   // with a trailing '/'
    QString settingsPath;           // applicationDirectory + "Plotwise.INI" (or the user's config folder)

    sheet::Spreadsheet* importGrid = nullptr;      // importSheet of the main window
    sheet::Spreadsheet* statisticsGrid = nullptr;  // statisticsSheet
    sheet::Spreadsheet* scratchGrid = nullptr;     // never shown: evaluates the "$" references

    // Live copies of the main window's text fields the chart windows read.
    QString fileNameText;   // fileNameBox
    QString xTitleText;     // xTitleEdit
    QString yTitleText;     // yTitleEdit

    // Short notes for the main window's status bar (e.g. a chart look that
    // could not be read); unset where there is no status bar.
    std::function<void(const QString&)> showNote;
};

}  // namespace chart
