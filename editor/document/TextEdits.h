// Edits of a text worked out without a widget, and the one replacement of a range that carries
// them all out together (so that a whole-document command is a single edit and a single undo).
#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace kelvane {

/// Replace `removed` characters at `from` by `inserted`.
struct TextEdit {
    qsizetype from = 0;
    qsizetype removed = 0;
    QString inserted;
};

/// Edits in ascending order that do not overlap.
using TextEdits = std::vector<TextEdit>;

/// The new content of [from, to) of the old text once every edit is made, with one style
/// index per new character: kept characters keep theirs, inserted ones take the style of the
/// first character they replace, or of the character before them when they replace nothing.
struct RangeRewrite {
    qsizetype from = 0;
    qsizetype to = 0;
    QString text;
    std::vector<std::uint8_t> styles;
};

/// The text with every edit made.
QString applyTextEdits(QStringView text, const TextEdits& edits);

/// The rewrite of the smallest range that holds every edit; `styles` has one entry per
/// character of `text` (it may be empty, then every character counts as style 0).
RangeRewrite rewriteRange(QStringView text, const std::vector<std::uint8_t>& styles,
                          const TextEdits& edits);

/// Where an old position ends up once the edits are made. An insertion exactly at the position
/// moves it along; a removal that begins at it leaves it at the same place.
qsizetype positionAfterEdits(const TextEdits& edits, qsizetype position);

} // namespace kelvane
