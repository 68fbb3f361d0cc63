// A text view shown offscreen with a fixed-width font, for the tests of the view.
#pragma once

#include "platform/richtext/TextView.h"
#include "platform/text/TextModel.h"

#include <QFontDatabase>

namespace kelvane::testing {

inline QFont fixedFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(13);
    return font;
}

/// A shown, focused view with a fixed-width font.
struct ShownView {
    explicit ShownView(const QString& text, int width = 400, int height = 200) {
        view.setFont(fixedFont());
        view.resize(width, height);
        view.show();
        view.setFocus();
        model.setText(text);
        view.setModel(&model);
    }
    TextModel model;
    TextView view;
};

} // namespace kelvane::testing
