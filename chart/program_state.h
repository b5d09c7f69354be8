// The main window's state as one plain object: the chart windows, the
// widget-free chart code and the report tool are handed it and read it live.
// The main window keeps the text fields below in step with its edit boxes.
#pragma once

#include "chart_job.h"

#include <QString>

namespace sheet { class F1Book; }

namespace chart {

struct ProgramState {
    ChartJob job;
    int languageCode = 0;           // 1 English, 2 German
    QString applicationDirectory;   // with a trailing '/'
    QString settingsPath;           // applicationDirectory + "Plotwise.INI" (or the user's config folder)

    sheet::F1Book* importGrid = nullptr;      // sheet1 of the main window
    sheet::F1Book* statisticsGrid = nullptr;  // sheet2
    sheet::F1Book* scratchGrid = nullptr;     // CalcSheet: evaluates the "$" references

    // Live copies of the main window's text fields the chart windows read.
    QString fileNameText;   // cboSelfile
    QString xTitleText;     // txtXtitle
    QString yTitleText;     // txtYtitle
};

}  // namespace chart
