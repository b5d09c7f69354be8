// Titles and file filters of the main window's own dialogs, in both
// languages. The language tables hold the captions of controls; these texts
// belong to no control, so they live here, beside the code that opens the dialogs.
#pragma once

#include "components/platform/language.h"

#include <QString>

namespace app {

enum class DialogText {
    DataFileTitle,          // open a data file
    DataFileFilter,
    TemplateOpenTitle,      // read an import template
    TemplateSaveTitle,      // save an import template
    TemplateFilter,
    ChartLookTitle,         // choose a chart template (.vtc)
    ChartLookFilter,
    CancelImport,           // the progress dialog's button
};

QString dialogText(DialogText text, platform::Language language);

}  // namespace app
