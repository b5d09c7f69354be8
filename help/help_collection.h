// The program's help collections: "ovtchartEng" (English) and "ovtchartGer"
// (German), each a Qt help collection (".qhc") with its compressed topics
// (".qch"), built beside the program. The help engine writes its full-text
// search index beside the collection it opens, so the program opens a copy
// of the collection in the user's data folder, which is writable even when
// the program lies in a read-only installation. Every help context of the
// program is a keyword identifier of the topics: the context number, as text,
// names the anchor of its topic.
#pragma once

#include "components/platform/language.h"

#include <QString>
#include <QStringList>
#include <QUrl>

class QHelpEngineCore;

namespace help {

// "ovtchartEng" or "ovtchartGer".
QString collectionName(platform::Language language);

// The one-line note that a collection cannot be opened.
QString cannotOpenText(platform::Language language, const QString& path);

struct PreparedCollection {
    QString path;   // the collection to open; empty on failure
    QString error;  // one line naming where the help was looked for
};

// Makes the user's copy of the language's collection from the first of
// `shippedFolders` that holds it with its topics (refreshed when the shipped
// one is newer) and makes sure the copy names the shipped topics file by its
// full path.
PreparedCollection prepareCollection(const QStringList& shippedFolders, const QString& userDirectory,
                                     platform::Language language);

// The page and anchor of a help context; an empty URL when the collection
// has no topic for it.
QUrl topicForContext(const QHelpEngineCore& engine, int helpContext);

// The user's data folder for the copies (created on demand), with a trailing '/'.
QString defaultUserDirectory();

}  // namespace help
