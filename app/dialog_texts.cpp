// The dialog texts; see dialog_texts.h.
#include "app/dialog_texts.h"

namespace app {

QString dialogText(DialogText text, platform::Language language)
{
    const bool german = language == platform::Language::German;
    switch (text) {
    case DialogText::DataFileTitle:
        return german ? QStringLiteral("Datenimport") : QStringLiteral("Import data");
    case DialogText::DataFileFilter:
        return german ? QStringLiteral("ChartFiles (xls, vts, txt, csv) (*.xls *.vts *.txt *.csv *.xlsx *.ods);;"
                                       "Textfiles (txt, csv) (*.txt *.csv);;Excel (*.xls *.xlsx);;Vts (*.vts);;Alle (*)")
                      : QStringLiteral("Chart files (xls, vts, txt, csv) (*.xls *.vts *.txt *.csv *.xlsx *.ods);;"
                                       "Text files (txt, csv) (*.txt *.csv);;Excel (*.xls *.xlsx);;Vts (*.vts);;All files (*)");
    case DialogText::TemplateOpenTitle:
        return german ? QStringLiteral("Importeinstellungen lesen") : QStringLiteral("Read import settings");
    case DialogText::TemplateSaveTitle:
        return german ? QStringLiteral("Importeinstellungen speichern") : QStringLiteral("Save import settings");
    case DialogText::TemplateFilter:
        return german ? QStringLiteral("Import Templates(ctpl) (*.ctpl);;Alle (*)")
                      : QStringLiteral("Import templates (ctpl) (*.ctpl);;All files (*)");
    case DialogText::ChartLookTitle:
        return german ? QStringLiteral("Importeinstellungen lesen") : QStringLiteral("Choose a chart template");
    case DialogText::ChartLookFilter:
        return german ? QStringLiteral("Graph Templates(vtc) (*.vtc)") : QStringLiteral("Chart templates (vtc) (*.vtc)");
    case DialogText::CancelImport:
        return german ? QStringLiteral("Abbrechen") : QStringLiteral("Cancel");
    }
    return {};
}

}  // namespace app
