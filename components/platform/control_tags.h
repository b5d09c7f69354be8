// Tags and help contexts of the windows' controls and menu items. Every
// control that shows text carries an integer tag that the language tables key
// on, and controls with help carry a help context number; both are kept as
// QObject properties so the language and help code can find them by walking
// a window's children, whichever layer built the window.
#pragma once

#include <QObject>
#include <QVariant>

namespace platform {

inline constexpr const char* kTagProperty = "tag";
inline constexpr const char* kHelpContextProperty = "helpContext";

inline void setTag(QObject* object, int tag) { object->setProperty(kTagProperty, tag); }
inline void setHelpContext(QObject* object, int context) { object->setProperty(kHelpContextProperty, context); }

// 0 when the object carries none.
inline int tagOf(const QObject* object) { return object->property(kTagProperty).toInt(); }
inline int helpContextOf(const QObject* object) { return object->property(kHelpContextProperty).toInt(); }

}  // namespace platform
