// The rich-text control's formatting: the selection's colour, font and emphasis, colours laid
// on by the colouring, and the control's own font and wrap width.
#include "platform/richtext/RichTextBox.h"

#include "platform/Twips.h"
#include "platform/richtext/TextView.h"
#include "platform/text/TextModel.h"

#include <QFontDatabase>
#include <QFontInfo>

#include <algorithm>

namespace kelvane {

void RichTextBox::restyleSelection(const std::function<void(CharStyle&)>& change) {
    model_->restyle(view_->selectionStart(), view_->selectionEnd() - view_->selectionStart(),
                    change);
}

void RichTextBox::setSelColor(WinColour colour) {
    restyleSelection([colour](CharStyle& style) {
        style.hasColour = colour != kWindowTextColour;
        style.colour = style.hasColour ? colour : 0;
    });
}

void RichTextBox::setSelFontName(const QString& name) {
    // The control's own font needs no explicit name: such characters follow the control.
    const QString stored = name == defaultFontName_ ? QString() : name;
    restyleSelection([&stored](CharStyle& style) { style.fontName = stored; });
}

void RichTextBox::setSelFontSize(float points) {
    const float stored = points == defaultFontSize_ ? 0.0f : points;
    restyleSelection([stored](CharStyle& style) { style.pointSize = stored; });
}

void RichTextBox::setSelBold(bool on) {
    restyleSelection([on](CharStyle& style) { style.bold = on; });
}

void RichTextBox::setSelItalic(bool on) {
    restyleSelection([on](CharStyle& style) { style.italic = on; });
}

void RichTextBox::setSelUnderline(bool on) {
    restyleSelection([on](CharStyle& style) { style.underline = on; });
}

void RichTextBox::colourByClass(qsizetype from, const std::uint8_t* classes, qsizetype count,
                                const std::vector<WinColour>& classColours) {
    model_->colourByClass(from, classes, count, classColours);
}

void RichTextBox::assignStyles(qsizetype from, const std::vector<std::uint8_t>& styleOfChar,
                               const std::vector<CharStyle>& styles) {
    model_->assignStyles(from, styleOfChar, styles);
}

CharStyle RichTextBox::styleAt(qsizetype position) const {
    return model_->styles().styleAt(toDocumentPosition(position));
}

void RichTextBox::applyDefaultFont() {
    QFont font(defaultFontName_);
    font.setPointSizeF(defaultFontSize_ > 0 ? defaultFontSize_ : 10);
    // Courier New and other fixed-width names fall back to the system's fixed-width face.
    if (defaultFontName_.contains(QLatin1String("Courier"), Qt::CaseInsensitive) ||
        defaultFontName_.contains(QLatin1String("Mono"), Qt::CaseInsensitive)) {
        font.setStyleHint(QFont::TypeWriter);
        if (!QFontInfo(font).fixedPitch())
            font.setFamily(QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
    }
    view_->setFont(font);
}

void RichTextBox::setDefaultFontName(const QString& name) {
    if (name == defaultFontName_)
        return; // setting the font again would measure the document again
    defaultFontName_ = name;
    applyDefaultFont();
}

void RichTextBox::setDefaultFontSize(float points) {
    if (points == defaultFontSize_)
        return;
    defaultFontSize_ = points;
    applyDefaultFont();
}

void RichTextBox::setRightMargin(double twips) {
    wrapTwips_ = twips;
    view_->setWrapWidth(twips >= kNoWrapTwips ? 0 : std::max(1, twipsToPixels(twips)));
}

bool RichTextBox::wrapping() const {
    return view_->wrapping();
}

} // namespace kelvane
