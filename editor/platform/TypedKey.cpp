// Typed characters and editing keys.
#include "platform/TypedKey.h"

#include <QKeyEvent>

#include <algorithm>

namespace kelvane {

bool typesText(const QKeyEvent& event) {
    const QString text = event.text();
    return !text.isEmpty() && !(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
           std::all_of(text.begin(), text.end(), [](QChar ch) { return ch.isPrint(); });
}

} // namespace kelvane
